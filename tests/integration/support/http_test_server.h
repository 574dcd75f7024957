#pragma once
// A small web server on loopback for the update check: fixed answers per
// path, a 404 for the rest, a mode that reads the request and never answers,
// and a mode that trickles a long body so a test can see whether the client
// read it whole. With listenHttps() it speaks TLS with a self-signed
// certificate made for the run.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class QTcpServer;
class QTcpSocket;

namespace vek::test {

class HttpTestServer : public QObject {
    Q_OBJECT

public:
    enum class Mode {
        Answer,      // status line, headers and body at once
        NeverAnswer, // read the request, then say nothing and keep the line open
        Trickle,     // the body in small pieces, each only once the last is sent
    };

    struct Response {
        int status = 200;
        QByteArray body;
        Mode mode = Mode::Answer;
        bool announceLength = true;  // send Content-Length (else the close ends the body)
        QByteArray location;         // a Location header, for redirects
    };

    struct PathStats {
        int requests = 0;
        QList<QByteArray> heads;  // request line and headers of each request
        qint64 bodyBytesSent = 0;
        int bodiesCompleted = 0;
    };

    explicit HttpTestServer(QObject* parent = nullptr);
    ~HttpTestServer() override;

    // Listens on 127.0.0.1, any free port.
    bool listenHttp();
    // Makes a self-signed certificate for 127.0.0.1 with the openssl tool and
    // listens with TLS. On failure `error` says why.
    bool listenHttps(QString* error);

    // "http://127.0.0.1:PORT" or "https://127.0.0.1:PORT".
    QString baseUrl() const;
    QSslCertificate certificate() const { return certificate_; }

    void serve(const QString& path, const Response& response);
    PathStats stats(const QString& path) const { return stats_.value(path); }
    int connections() const { return connections_; }
    // TLS handshakes that did not complete (the peer refused, or failed).
    int tlsFailures() const { return tlsFailures_; }

private:
    struct Connection;

    void accept();
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QString& path);
    void trickle(QTcpSocket* socket);

    std::unique_ptr<QTcpServer> server_;
    bool tls_ = false;
    QTemporaryDir certDir_;
    QSslCertificate certificate_;
    QHash<QString, Response> responses_;
    QHash<QString, PathStats> stats_;
    QHash<QTcpSocket*, std::shared_ptr<Connection>> open_;
    int connections_ = 0;
    int tlsFailures_ = 0;
};

}  // namespace vek::test
