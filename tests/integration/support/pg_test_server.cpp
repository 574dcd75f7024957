#include "pg_test_server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QVersionNumber>
#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace vek::test {

namespace {

bool chownTo(const QString& path, uid_t uid, gid_t gid) {
    return ::chown(QFile::encodeName(path).constData(), uid, gid) == 0;
}

quint16 freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

}  // namespace

QString PgTestServer::binDir() {
    const QDir root(QStringLiteral("/usr/lib/postgresql"));
    QString best;
    QVersionNumber bestVersion;
    for (const QString& entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString bin = root.filePath(entry) + QStringLiteral("/bin");
        if (!QFile::exists(bin + QStringLiteral("/initdb")) || !QFile::exists(bin + QStringLiteral("/postgres")))
            continue;
        const QVersionNumber version = QVersionNumber::fromString(entry);
        if (best.isEmpty() || version > bestVersion) {
            best = bin;
            bestVersion = version;
        }
    }
    return best;
}

PgTestServer::PgTestServer() : bin_(binDir()) {}

PgTestServer::~PgTestServer() { stop(); }

void PgTestServer::prepare(QProcess& process, bool dieWithTest) const {
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.remove(QStringLiteral("PGPASSWORD"));
    process.setProcessEnvironment(env);
    const bool switchUser = switchUser_;
    const uid_t uid = uid_;
    const gid_t gid = gid_;
    const pid_t parent = ::getpid();
    // Runs in the child between fork and exec.
    process.setChildProcessModifier([switchUser, uid, gid, parent, dieWithTest] {
        if (switchUser && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)) ::_exit(126);
        // After the change of user, which would clear it.
        if (dieWithTest) {
            ::prctl(PR_SET_PDEATHSIG, SIGQUIT);
            if (::getppid() != parent) ::_exit(0);
        }
    });
}

bool PgTestServer::init(QString* error) {
    if (bin_.isEmpty()) {
        *error = QStringLiteral("no PostgreSQL server binaries under /usr/lib/postgresql/*/bin");
        return false;
    }
    if (!dir_.isValid()) {
        *error = QStringLiteral("cannot make a temporary folder");
        return false;
    }
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody) {
            *error = QStringLiteral("running as root and there is no user 'nobody' to run the server as");
            return false;
        }
        switchUser_ = true;
        uid_ = nobody->pw_uid;
        gid_ = nobody->pw_gid;
    }

    const QString pwFile = dir_.filePath(QStringLiteral("pw"));
    {
        QFile pw(pwFile);
        if (!pw.open(QIODevice::WriteOnly) || pw.write(password().toUtf8() + '\n') < 0) {
            *error = QStringLiteral("cannot write %1").arg(pwFile);
            return false;
        }
    }
    if (switchUser_ && (!chownTo(dir_.path(), uid_, gid_) || !chownTo(pwFile, uid_, gid_))) {
        *error = QStringLiteral("cannot hand %1 to the server's user").arg(dir_.path());
        return false;
    }

    QProcess initdb;
    prepare(initdb, false);
    initdb.start(bin_ + QStringLiteral("/initdb"),
                 {QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")), QStringLiteral("-U"), user(),
                  QStringLiteral("--pwfile=") + pwFile, QStringLiteral("-A"), QStringLiteral("scram-sha-256"),
                  QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-locale"), QStringLiteral("-N")});
    if (!initdb.waitForFinished(60000) || initdb.exitStatus() != QProcess::NormalExit || initdb.exitCode() != 0) {
        *error = QStringLiteral("initdb failed: ") + QString::fromLocal8Bit(initdb.readAll()) + initdb.errorString();
        return false;
    }
    port_ = freePort();
    if (port_ == 0) {
        *error = QStringLiteral("no free port on 127.0.0.1");
        return false;
    }
    return start(error);
}

bool PgTestServer::start(QString* error) {
    if (running()) return true;
    server_ = std::make_unique<QProcess>();
    prepare(*server_, true);
    server_->start(bin_ + QStringLiteral("/postgres"),
                   {QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")), QStringLiteral("-p"),
                    QString::number(port_), QStringLiteral("-k"), dir_.path(), QStringLiteral("-c"),
                    QStringLiteral("listen_addresses=127.0.0.1"), QStringLiteral("-c"), QStringLiteral("fsync=off"),
                    QStringLiteral("-c"), QStringLiteral("full_page_writes=off"), QStringLiteral("-c"),
                    QStringLiteral("max_connections=20"), QStringLiteral("-c"),
                    QStringLiteral("shared_buffers=16MB")});
    QByteArray log;
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        if (server_->state() == QProcess::NotRunning) break;
        server_->waitForReadyRead(100);
        log += server_->readAll();
        if (log.contains("ready to accept connections")) return true;
    }
    *error = QStringLiteral("postgres did not start: ") + QString::fromLocal8Bit(log + server_->readAll()) +
             server_->errorString();
    stop();
    return false;
}

bool PgTestServer::running() const { return server_ && server_->state() != QProcess::NotRunning; }

bool PgTestServer::stop() {
    if (!server_) return true;
    bool clean = true;
    if (server_->state() != QProcess::NotRunning) {
        const auto pid = static_cast<pid_t>(server_->processId());
        ::kill(pid, SIGINT);
        if (!server_->waitForFinished(15000)) {
            clean = false;
            ::kill(pid, SIGQUIT);
            server_->waitForFinished(5000);
        }
    }
    server_.reset();
    return clean;
}

void PgSuiteServer::setUp() {
    skip_.clear();
    failure_.clear();
    if (PgTestServer::binDir().isEmpty()) {
        skip_ = "PostgreSQL server binaries not found under /usr/lib/postgresql/*/bin (Debian package postgresql)";
        return;
    }
    server_ = new PgTestServer;
    QString error;
    if (!server_->init(&error)) failure_ = error.toStdString();
}

void PgSuiteServer::tearDown() {
    delete server_;
    server_ = nullptr;
}

bool PgSuiteServer::start(std::string* error) {
    if (!failure_.empty()) {
        *error = failure_;
        return false;
    }
    QString why;
    if (server_->start(&why)) return true;
    *error = why.toStdString();
    return false;
}

}  // namespace vek::test
