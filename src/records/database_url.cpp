#include "records/database_url.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

#include "records/records_texts.h"
#include "text/language.h"

namespace vek::records {

namespace {

const QStringList kSslModes = {
    QStringLiteral("disable"), QStringLiteral("allow"),     QStringLiteral("prefer"),
    QStringLiteral("require"), QStringLiteral("verify-ca"), QStringLiteral("verify-full"),
};

}  // namespace

QString withoutPassword(const QString& text) {
    // The keyword form (host=… password=…): the value goes, quoted or not.
    static const QRegularExpression keyword(QStringLiteral("(password\\s*=\\s*)('(?:[^'\\\\]|\\\\.)*'|\\S*)"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString out = text;
    out.replace(keyword, QStringLiteral("\\1***"));
    // user:PW@host, with or without a scheme (postgresql://, postgresql:/):
    // whatever stands between the user name and the last '@'.
    static const QRegularExpression scheme(QStringLiteral("^\\s*(?:[a-z][a-z0-9+.-]*://|postgres(?:ql)?:/*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = scheme.match(out);
    const qsizetype start = m.hasMatch() ? m.capturedEnd() : 0;
    const qsizetype at = out.lastIndexOf(u'@');
    if (at < start) return out;
    const qsizetype colon = out.indexOf(u':', start);
    if (colon < 0 || colon > at) return out;
    return out.left(colon) + out.mid(at);
}

QString DatabaseUrl::display() const {
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(user);
    url.setHost(host);
    url.setPort(port);
    url.setPath(u'/' + database);
    if (!sslMode.isEmpty()) url.setQuery(QStringLiteral("sslmode=") + sslMode);
    return url.toString(QUrl::RemovePassword);
}

QString DatabaseUrl::connectOptions() const {
    QString options = QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds);
    if (!sslMode.isEmpty()) options += QStringLiteral(";sslmode=") + sslMode;
    return options;
}

std::optional<DatabaseUrl> parseDatabaseUrl(const QString& text, QString* error) {
    // Whatever form holds a password is refused before it is parsed, and
    // shown without it.
    const QString shownSafe = withoutPassword(text.trimmed());
    if (shownSafe != text.trimmed()) {
        *error = vek::translated(texts::kPasswordInUrl).arg(shownSafe);
        return std::nullopt;
    }
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    auto bad = [&](const QString& shown) {
        *error = vek::translated(texts::kBadUrl).arg(shown);
        return std::nullopt;
    };
    if (!url.isValid()) {
        const QString raw = text.trimmed();
        const QString shown = withoutPassword(raw);
        if (shown == raw) return bad(shown);
        *error = vek::translated(texts::kPasswordInUrl).arg(shown);
        return std::nullopt;
    }

    const QUrlQuery query(url);
    const bool passwordInQuery = query.hasQueryItem(QStringLiteral("password"));
    if (url.userInfo().contains(u':') || passwordInQuery) {
        *error = vek::translated(texts::kPasswordInUrl)
                     .arg(url.toString(passwordInQuery ? QUrl::RemovePassword | QUrl::RemoveQuery
                                                       : QUrl::RemovePassword));
        return std::nullopt;
    }

    const QString shown = url.toString(QUrl::RemoveQuery);
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres")) return bad(shown);

    DatabaseUrl out;
    out.user = url.userName(QUrl::FullyDecoded);
    out.host = url.host(QUrl::FullyDecoded);
    out.port = url.port(5432);
    out.database = url.path(QUrl::FullyDecoded).mid(1);
    if (out.host.isEmpty() || out.database.isEmpty() || out.database.contains(u'/') || !url.fragment().isEmpty())
        return bad(shown);

    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key != QLatin1String("sslmode") || !kSslModes.contains(value)) {
            // Neither the value nor the rest of the query is shown: it may be a secret.
            *error = vek::translated(texts::kBadUrlOption).arg(key, url.toString(QUrl::RemoveQuery));
            return std::nullopt;
        }
        out.sslMode = value;
    }
    return out;
}

}  // namespace vek::records
