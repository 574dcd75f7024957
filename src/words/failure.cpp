#include "words/failure.h"

#include <QJsonDocument>

#include "config/record_layout.h"
#include "protocol/identification.h"

namespace vek::words {

namespace {

QString version(const protocol::Version& v) {
    return QStringLiteral("%1.%2.%3.%4").arg(v.a).arg(v.b).arg(v.c).arg(v.d);
}

QString id(const protocol::UnitId& unit) { return QString::fromStdString(protocol::idListLine(unit)); }

bool unitKnown(const session::Outcome& o) { return o.unit.id != protocol::UnitId{} || o.unit.version.a != 0; }

}  // namespace

QString operationKey(session::Operation operation) {
    switch (operation) {
        case session::Operation::Firmware: return QStringLiteral("firmware");
        case session::Operation::Write: return QStringLiteral("write");
        case session::Operation::Read: return QStringLiteral("read");
        case session::Operation::Verify: return QStringLiteral("verify");
        case session::Operation::None: break;
    }
    return {};
}

QString kindKey(session::Kind kind) {
    const std::string_view name = session::kindName(kind);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

std::optional<session::Kind> kindNamed(const QString& name) {
    for (int k = static_cast<int>(session::Kind::Ok); k <= static_cast<int>(session::Kind::InvalidCopy); ++k) {
        const auto kind = static_cast<session::Kind>(k);
        if (name == kindKey(kind)) return kind;
    }
    return std::nullopt;
}

Failure failureOf(const session::Outcome& o, const QString& port) {
    using session::Kind;
    if (o.ok()) return {};
    Failure f;
    f.kind = kindKey(o.kind);
    QJsonObject& v = f.values;
    if (!port.isEmpty()) v[key::kPort] = port;
    switch (o.kind) {
        case Kind::PortLost:
        case Kind::Timeout:
            if (o.operation == session::Operation::None) break;
            v[key::kOperation] = operationKey(o.operation);
            v[key::kNacks] = static_cast<qint64>(o.counters.Nacks);
            v[key::kCode10] = static_cast<qint64>(o.counters.Code10);
            v[key::kCode15] = static_cast<qint64>(o.counters.Code15);
            v[key::kCode20] = static_cast<qint64>(o.counters.Code20);
            break;
        case Kind::Interrupted:
            if (o.operation != session::Operation::None) v[key::kOperation] = operationKey(o.operation);
            break;
        case Kind::TypeLeftAlone:
        case Kind::Discontinued: v[key::kType] = o.unit.version.a; break;
        case Kind::FirmwareNotTaken: v[key::kVersion] = version(o.versionAfter.value_or(o.unit.version)); break;
        case Kind::OtherUnitReturned:
            if (o.returned) v[key::kReturned] = id(*o.returned);
            if (unitKnown(o)) v[key::kUnit] = id(o.unit.id);
            break;
        case Kind::Refused:
            if (!o.fault) break;
            if (o.fault->field < config::FieldCount) {
                const config::layout::FieldRule& r = config::layout::kRules[o.fault->field];
                v[key::kField] = QString::fromUtf8(r.key);
                v[key::kValue] = QString::fromStdString(o.fault->value);
                v[key::kMin] = static_cast<qint64>(r.min);
                v[key::kMax] = static_cast<qint64>(r.max);
                v[key::kUnitOfMeasure] = QString::fromUtf8(r.unit);
            } else {
                // One of the lists: nothing chosen.
                v[key::kField] = QString::fromStdString(o.fault->name);
                v[key::kValue] = QString();
            }
            break;
        case Kind::ReadBackDiffers:
            v[key::kOffset] = static_cast<qint64>(o.mismatchAt);
            v[key::kWrote] = o.wroteByte;
            v[key::kRead] = o.readByte;
            break;
        case Kind::CopyNotKept:
            if (!o.copy) break;
            v[key::kWhere] = QString::fromStdString(o.copy->where);
            v[key::kWhy] = QString::fromStdString(o.copy->why);
            break;
        default: break;
    }
    return f;
}

QString valuesJson(const QJsonObject& values) {
    return QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact));
}

QJsonObject valuesFromJson(const QString& json) {
    if (json.isEmpty()) return {};
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

}  // namespace vek::words
