#include "records/run_row.h"

#include <QMetaType>
#include <QVariant>

#include "words/failure.h"

namespace vek::records {

namespace {

template <typename T>
QVariant null() {
    return QVariant(QMetaType::fromType<T>());
}

QVariant text(const QString& value) { return value.isEmpty() ? null<QString>() : QVariant(value); }
// For the NOT NULL columns: a null QString would be bound as NULL.
QVariant required(const QString& value) { return value.isNull() ? QString::fromLatin1("") : value; }

QString textAt(const QVariantList& values, int i) { return values[i].isNull() ? QString() : values[i].toString(); }

enum Column {
    Id,
    StartedAt,
    EndedAt,
    Station,
    Port,
    UnitId,
    UnitType,
    FirmwareBefore,
    FirmwareAfter,
    ConfigJson,
    ImageXor,
    ImageSum,
    VerifyResult,
    VerifyOffset,
    QrLabel,
    QrMatch,
    VerdictColumn,
    FailureReason,
    Instance,
    ConfigSource,
    ConfigSha256,
    FirmwareTarget,
    BeforeImage,
    FailureKind,
    FailureValues,
    ColumnCount
};

}  // namespace

const QStringList& runColumns() {
    static const QStringList columns = {
        QStringLiteral("id"),           QStringLiteral("started_at"),      QStringLiteral("ended_at"),
        QStringLiteral("station"),      QStringLiteral("port"),            QStringLiteral("unit_id"),
        QStringLiteral("unit_type"),    QStringLiteral("firmware_before"), QStringLiteral("firmware_after"),
        QStringLiteral("config_json"),  QStringLiteral("image_xor"),       QStringLiteral("image_sum"),
        QStringLiteral("verify"),       QStringLiteral("verify_offset"),   QStringLiteral("qr_label"),
        QStringLiteral("qr_match"),     QStringLiteral("verdict"),         QStringLiteral("failure_reason"),
        QStringLiteral("instance"),     QStringLiteral("config_source"),   QStringLiteral("config_sha256"),
        QStringLiteral("firmware_target"), QStringLiteral("before_image"),
        QStringLiteral("failure_kind"),    QStringLiteral("failure_values"),
    };
    return columns;
}

QString runColumnList() { return runColumns().join(QStringLiteral(", ")); }

QVariantList runValues(const Run& run) {
    QVariantList v;
    v.reserve(ColumnCount);
    v << required(run.id) << required(timestampText(run.startedAt)) << text(timestampText(run.endedAt))
      << required(run.station) << required(run.port)
      << text(run.unitId) << (run.unitType ? QVariant(*run.unitType) : null<int>()) << text(run.firmwareBefore)
      << text(run.firmwareAfter) << text(run.configJson);
    if (run.imageCheck)
        v << int{run.imageCheck->xorValue} << qlonglong{run.imageCheck->sum};
    else
        v << null<int>() << null<qlonglong>();
    v << verifyText(run.verify.result);
    if (run.verify.result == Verify::Result::Mismatch)
        v << qlonglong{run.verify.offset};
    else
        v << null<qlonglong>();
    if (run.qr)
        v << text(run.qr->label) << (run.qr->match ? 1 : 0);
    else
        v << null<QString>() << null<int>();
    v << verdictText(run.verdict) << text(run.failureReason);
    v << text(run.instance) << text(run.configSource) << text(run.configSha256) << text(run.firmwareTarget)
      << text(QString::fromLatin1(run.beforeImage.toHex()));
    v << text(run.failureKind) << (run.failureKind.isEmpty() ? null<QString>() : QVariant(words::valuesJson(run.failureValues)));
    return v;
}

std::optional<Run> runFromValues(const QVariantList& values) {
    if (values.size() != ColumnCount) return std::nullopt;
    Run run;
    run.id = textAt(values, Id);
    run.startedAt = timestampFromText(textAt(values, StartedAt));
    run.endedAt = timestampFromText(textAt(values, EndedAt));
    if (!run.startedAt.isValid() || (!values[EndedAt].isNull() && !run.endedAt.isValid())) return std::nullopt;
    run.station = textAt(values, Station);
    run.port = textAt(values, Port);
    run.unitId = textAt(values, UnitId);
    if (!values[UnitType].isNull()) run.unitType = values[UnitType].toInt();
    run.firmwareBefore = textAt(values, FirmwareBefore);
    run.firmwareAfter = textAt(values, FirmwareAfter);
    run.configJson = textAt(values, ConfigJson);
    if (!values[ImageXor].isNull() || !values[ImageSum].isNull())
        run.imageCheck = ImageCheck{static_cast<std::uint8_t>(values[ImageXor].toInt()),
                                    static_cast<std::uint32_t>(values[ImageSum].toLongLong())};
    const auto verify = verifyFromText(textAt(values, VerifyResult));
    if (!verify) return std::nullopt;
    run.verify.result = *verify;
    if (*verify == Verify::Result::Mismatch)
        run.verify.offset = static_cast<std::uint32_t>(values[VerifyOffset].toLongLong());
    if (!values[QrLabel].isNull() || !values[QrMatch].isNull())
        run.qr = QrScan{textAt(values, QrLabel), values[QrMatch].toInt() != 0};
    const auto verdict = verdictFromText(textAt(values, VerdictColumn));
    if (!verdict) return std::nullopt;
    run.verdict = *verdict;
    run.failureReason = textAt(values, FailureReason);
    run.instance = textAt(values, Instance);
    run.configSource = textAt(values, ConfigSource);
    run.configSha256 = textAt(values, ConfigSha256);
    run.firmwareTarget = textAt(values, FirmwareTarget);
    run.beforeImage = QByteArray::fromHex(textAt(values, BeforeImage).toLatin1());
    run.failureKind = textAt(values, FailureKind);
    run.failureValues = words::valuesFromJson(textAt(values, FailureValues));
    return run;
}

}  // namespace vek::records
