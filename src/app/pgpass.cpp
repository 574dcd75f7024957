#include "app/pgpass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <QStandardPaths>
#else
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vek::app {

namespace {

// A field as the file spells it: ':' and '\' escaped with a backslash.
QString escaped(const QString& field) {
    QString out;
    for (const QChar c : field) {
        if (c == u':' || c == u'\\') out += u'\\';
        out += c;
    }
    return out;
}

// The first four fields of a line, unescaped; fewer when the line is no entry.
QStringList leadingFields(const QString& line) {
    QStringList fields;
    QString field;
    for (qsizetype i = 0; i < line.size() && fields.size() < 4; ++i) {
        const QChar c = line[i];
        if (c == u'\\' && i + 1 < line.size()) {
            field += line[++i];
        } else if (c == u':') {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    return fields;
}

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

}  // namespace

QString pgpassPath() {
    const QString given = qEnvironmentVariable("PGPASSFILE");
    if (!given.isEmpty()) return given;
#ifdef Q_OS_WIN
    return QDir(qEnvironmentVariable("APPDATA")).filePath(QStringLiteral("postgresql/pgpass.conf"));
#else
    return QDir(QDir::homePath()).filePath(QStringLiteral(".pgpass"));
#endif
}

QString pgpassUser(const records::DatabaseUrl& url) {
    if (!url.user.isEmpty()) return url.user;
    const QString env = qEnvironmentVariable("PGUSER");
    if (!env.isEmpty()) return env;
#ifdef Q_OS_WIN
    return qEnvironmentVariable("USERNAME");
#else
    // libpq takes the system's name for the effective user, not $USER.
    if (const passwd* pw = ::getpwuid(::geteuid())) return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
#endif
}

bool storePgpassPassword(const records::DatabaseUrl& url, const QString& password, QString* error) {
    const QString path = pgpassPath();
    const QStringList ours{url.host, QString::number(url.port), url.database, pgpassUser(url)};
    QStringList lines{QStringList{escaped(ours[0]), escaped(ours[1]), escaped(ours[2]), escaped(ours[3]),
                                  escaped(password)}
                          .join(u':')};
    QFile old(path);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly)) {
            *error = old.errorString();
            return false;
        }
        QStringList kept = QString::fromUtf8(old.readAll()).split(u'\n');
        if (!kept.isEmpty() && kept.last().isEmpty()) kept.removeLast();
        for (const QString& line : std::as_const(kept))
            if (leadingFields(line) != ours) lines << line;
    }
    const QByteArray bytes = (lines.join(u'\n') + u'\n').toUtf8();

    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QFileInfo(path).absolutePath();
        return false;
    }
#ifdef Q_OS_WIN
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()) {
        *error = out.errorString();
        return false;
    }
    return true;
#else
    // mkstemp makes the file 0600 from its first byte: the password is never
    // readable by others, not even for a moment.
    QByteArray temp = QFile::encodeName(path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += n;
    }
    const bool ok = written == bytes.size() && ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 && ::fsync(fd) == 0;
    if (!ok) *error = systemError();
    ::close(fd);
    if (!ok || ::rename(temp.constData(), QFile::encodeName(path).constData()) != 0) {
        if (ok) *error = systemError();
        ::unlink(temp.constData());
        return false;
    }
    return true;
#endif
}

bool asksForPassword(const QString& serverError) {
    // libpq's own words (English, or translated with the locale) and the
    // server's SQLSTATE for a wrong password.
    static const char* const kSigns[] = {"password authentication failed", "no password supplied",
                                         "password is required", "fe_sendauth", "28P01",
                                         "autenticação do tipo senha", "nenhuma senha"};
    for (const char* sign : kSigns)
        if (serverError.contains(QString::fromUtf8(sign), Qt::CaseInsensitive)) return true;
    return false;
}

}  // namespace vek::app
