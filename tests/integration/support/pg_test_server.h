#pragma once
// A throwaway PostgreSQL server for tests: its own cluster in a temporary
// folder, listening on 127.0.0.1 on a free port only, its unix socket in that
// folder too, and password authentication for its one user. The server
// refuses to run as root, so a test running as root runs it as `nobody`. The
// server is stopped by the destructor, and dies with the test process should
// that one crash.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <sys/types.h>

namespace vek::test {

class PgTestServer {
public:
    // The newest /usr/lib/postgresql/<version>/bin holding initdb and postgres;
    // empty when the server package is not installed.
    static QString binDir();

    PgTestServer();
    ~PgTestServer();
    PgTestServer(const PgTestServer&) = delete;
    PgTestServer& operator=(const PgTestServer&) = delete;

    // Makes the cluster and starts the server; on failure `error` says why.
    bool init(QString* error);
    // Starts the server again after stop(), on the same port and data.
    bool start(QString* error);
    // Fast shutdown: open sessions are ended, as when a server goes away.
    bool stop();
    bool running() const;

    quint16 port() const { return port_; }
    QString user() const { return QStringLiteral("vek"); }
    QString password() const { return QStringLiteral("vek-test-password"); }

private:
    void prepare(QProcess& process, bool dieWithTest) const;

    QString bin_;
    QTemporaryDir dir_;
    quint16 port_ = 0;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    bool switchUser_ = false;
    std::unique_ptr<QProcess> server_;
};

// One server for a whole test suite, made by its SetUpTestSuite and ended by
// its TearDownTestSuite. Each test skips when skip() says why, then start()s
// the server (it may have been stopped by the test before).
class PgSuiteServer {
public:
    static void setUp();
    static void tearDown();
    // Why there is no server: the package is missing. Empty otherwise.
    static const std::string& skip() { return skip_; }
    static bool start(std::string* error);
    static PgTestServer& server() { return *server_; }

private:
    static inline PgTestServer* server_ = nullptr;
    static inline std::string skip_;
    static inline std::string failure_;
};

}  // namespace vek::test
