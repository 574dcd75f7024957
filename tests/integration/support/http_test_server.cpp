#include "support/http_test_server.h"

#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace vek::test {

namespace {

constexpr qint64 kTrickleChunk = 16 * 1024;
constexpr int kTricklePauseMs = 5;

QByteArray reason(int status) {
    switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

QByteArray statusHead(const HttpTestServer::Response& r) {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(r.status) + ' ' + reason(r.status) + "\r\n";
    head += "Content-Type: text/plain\r\n";
    if (!r.location.isEmpty()) head += "Location: " + r.location + "\r\n";
    if (r.announceLength) head += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    return head;
}

}  // namespace

struct HttpTestServer::Connection {
    QByteArray request;
    bool answered = false;
    QString path;
    QByteArray body;  // what is left to trickle
};

HttpTestServer::HttpTestServer(QObject* parent) : QObject(parent) {}

HttpTestServer::~HttpTestServer() {
    for (auto it = open_.begin(); it != open_.end(); ++it) {
        it.key()->disconnect(this);
        it.key()->abort();
    }
}

bool HttpTestServer::listenHttp() {
    tls_ = false;
    server_ = std::make_unique<QTcpServer>();
    connect(server_.get(), &QTcpServer::newConnection, this, &HttpTestServer::accept);
    return server_->listen(QHostAddress::LocalHost, 0);
}

bool HttpTestServer::listenHttps(QString* error) {
    if (!QSslSocket::supportsSsl()) {
        *error = "no TLS backend";
        return false;
    }
    if (!certDir_.isValid()) {
        *error = "no temporary folder";
        return false;
    }
    const QString certPath = certDir_.filePath("cert.pem");
    const QString keyPath = certDir_.filePath("key.pem");
    QProcess openssl;
    openssl.start("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt",
                              "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", keyPath, "-out",
                              certPath, "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                              "subjectAltName=IP:127.0.0.1"});
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit ||
        openssl.exitCode() != 0) {
        *error = "openssl failed: " + QString::fromLocal8Bit(openssl.readAllStandardError());
        return false;
    }
    const QList<QSslCertificate> certs = QSslCertificate::fromPath(certPath);
    QFile keyFile(keyPath);
    if (certs.isEmpty() || !keyFile.open(QIODevice::ReadOnly)) {
        *error = "cannot read the certificate or key";
        return false;
    }
    const QSslKey key(&keyFile, QSsl::Ec, QSsl::Pem);
    if (key.isNull()) {
        *error = "cannot load the key";
        return false;
    }
    certificate_ = certs.first();

    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificate(certificate_);
    config.setPrivateKey(key);
    config.setPeerVerifyMode(QSslSocket::VerifyNone);

    auto ssl = std::make_unique<QSslServer>();
    ssl->setSslConfiguration(config);
    connect(ssl.get(), &QSslServer::errorOccurred, this,
            [this](QSslSocket* socket, QAbstractSocket::SocketError) {
                if (!socket->isEncrypted()) ++tlsFailures_;
            });
    // A TLS connection is handed over once its handshake is done; either
    // signal may say so.
    connect(ssl.get(), &QSslServer::pendingConnectionAvailable, this, &HttpTestServer::accept);
    connect(ssl.get(), &QSslServer::newConnection, this, &HttpTestServer::accept);
    server_ = std::move(ssl);
    tls_ = true;
    if (!server_->listen(QHostAddress::LocalHost, 0)) {
        *error = server_->errorString();
        return false;
    }
    return true;
}

QString HttpTestServer::baseUrl() const {
    return QString("%1://127.0.0.1:%2").arg(tls_ ? "https" : "http").arg(server_->serverPort());
}

void HttpTestServer::serve(const QString& path, const Response& response) {
    responses_.insert(path, response);
}

void HttpTestServer::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        ++connections_;
        open_.insert(socket, std::make_shared<Connection>());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            open_.remove(socket);
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0) readRequest(socket);
    }
}

void HttpTestServer::readRequest(QTcpSocket* socket) {
    const auto it = open_.find(socket);
    if (it == open_.end()) return;
    Connection& c = **it;
    c.request += socket->readAll();
    if (c.answered) return;
    const qsizetype end = c.request.indexOf("\r\n\r\n");
    if (end < 0) return;
    c.answered = true;

    const QByteArray head = c.request.left(end);
    const QList<QByteArray> line = head.left(head.indexOf("\r\n")).split(' ');
    QByteArray target = line.size() > 1 ? line[1] : QByteArray("/");
    const qsizetype query = target.indexOf('?');
    if (query >= 0) target.truncate(query);
    c.path = QUrl::fromPercentEncoding(target);

    PathStats& s = stats_[c.path];
    ++s.requests;
    s.heads.append(head);
    answer(socket, c.path);
}

void HttpTestServer::answer(QTcpSocket* socket, const QString& path) {
    const auto found = responses_.constFind(path);
    Response response;
    if (found != responses_.constEnd()) {
        response = *found;
    } else {
        response.status = 404;
        response.body = "<html><body>Not Found</body></html>\n";
    }

    switch (response.mode) {
    case Mode::NeverAnswer:
        return;
    case Mode::Answer:
        socket->write(statusHead(response));
        socket->write(response.body);
        stats_[path].bodyBytesSent += response.body.size();
        ++stats_[path].bodiesCompleted;
        socket->disconnectFromHost();
        return;
    case Mode::Trickle: {
        socket->write(statusHead(response));
        (*open_.find(socket))->body = response.body;
        trickle(socket);
        return;
    }
    }
}

void HttpTestServer::trickle(QTcpSocket* socket) {
    const auto it = open_.find(socket);
    if (it == open_.end() || socket->state() != QAbstractSocket::ConnectedState) return;
    Connection& c = **it;
    PathStats& s = stats_[c.path];
    if (socket->bytesToWrite() > 0) {
        // One piece at a time with a pause between: a reader that hangs up
        // early leaves most of the body unsent.
        QTimer::singleShot(kTricklePauseMs, socket, [this, socket] { trickle(socket); });
        return;
    }
    if (c.body.isEmpty()) {
        ++s.bodiesCompleted;
        socket->disconnectFromHost();
        return;
    }
    const QByteArray piece = c.body.left(kTrickleChunk);
    c.body.remove(0, piece.size());
    socket->write(piece);
    s.bodyBytesSent += piece.size();
    QTimer::singleShot(kTricklePauseMs, socket, [this, socket] { trickle(socket); });
}

}  // namespace vek::test
