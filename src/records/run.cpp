#include "records/run.h"

#include <QJsonDocument>
#include <QStringList>
#include <QVariant>

#include "records/run_row.h"

namespace vek::records {

namespace {

struct VerdictName {
    Verdict verdict;
    const char* text;
};
constexpr VerdictName kVerdicts[] = {
    {Verdict::Running, "running"},
    {Verdict::Passed, "passed"},
    {Verdict::Failed, "failed"},
    {Verdict::Interrupted, "interrupted"},
};

struct VerifyName {
    Verify::Result result;
    const char* text;
};
constexpr VerifyName kVerifyResults[] = {
    {Verify::Result::NotDone, "not done"},
    {Verify::Result::Match, "match"},
    {Verify::Result::Mismatch, "mismatch"},
};

// One cell: on one line, quoted where needed, and never read by a
// spreadsheet as a formula (a leading = + - @ or tab gets a quote mark).
QString csvField(const QVariant& value) {
    if (value.isNull()) return {};
    QString text = value.toString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\n', u' ').replace(u'\r', u' ');
    if (!text.isEmpty() && QStringLiteral("=+-@\t").contains(text.front())) text.prepend(u'\'');
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u';')) return text;
    text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

}  // namespace

QString verdictText(Verdict verdict) {
    for (const auto& v : kVerdicts)
        if (v.verdict == verdict) return QString::fromLatin1(v.text);
    return {};
}

std::optional<Verdict> verdictFromText(const QString& text) {
    for (const auto& v : kVerdicts)
        if (text == QLatin1String(v.text)) return v.verdict;
    return std::nullopt;
}

QString verifyText(Verify::Result result) {
    for (const auto& v : kVerifyResults)
        if (v.result == result) return QString::fromLatin1(v.text);
    return {};
}

std::optional<Verify::Result> verifyFromText(const QString& text) {
    for (const auto& v : kVerifyResults)
        if (text == QLatin1String(v.text)) return v.result;
    return std::nullopt;
}

QString versionText(const protocol::Version& v) {
    return QStringLiteral("%1.%2.%3.%4").arg(int{v.a}).arg(int{v.b}).arg(int{v.c}).arg(int{v.d});
}

QString unitIdText(const protocol::UnitId& id) { return QString::fromStdString(protocol::idListLine(id)); }

QString timestampText(const QDateTime& time) {
    if (!time.isValid()) return {};
    return time.toUTC().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'"));
}

QDateTime timestampFromText(const QString& text) {
    if (text.isEmpty()) return {};
    return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
}

QString toCsv(const std::vector<Run>& runs) {
    // The byte order mark tells a spreadsheet the file is UTF-8.
    QString out = QChar(0xFEFF) + runColumns().join(u',') + QStringLiteral("\r\n");
    const qsizetype configColumn = runColumns().indexOf(QStringLiteral("config_json"));
    for (const Run& run : runs) {
        QStringList fields;
        QVariantList values = runValues(run);
        const QJsonDocument config = QJsonDocument::fromJson(run.configJson.toUtf8());
        if (!config.isNull()) values[configColumn] = QString::fromUtf8(config.toJson(QJsonDocument::Compact));
        for (const QVariant& value : std::as_const(values)) fields << csvField(value);
        out += fields.join(u',') + QStringLiteral("\r\n");
    }
    return out;
}

}  // namespace vek::records
