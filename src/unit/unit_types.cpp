#include "unit/unit_types.h"

#include "words/failure.h"

namespace vek::unit {

namespace {
QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

QString versionText(const Version& v) { return QStringLiteral("%1.%2.%3.%4").arg(v.a).arg(v.b).arg(v.c).arg(v.d); }
QString idText(const UnitId& id) { return fromUtf8(protocol::idListLine(id)); }
QString idDigits(const UnitId& id) { return fromUtf8(protocol::idDigits(id)); }
bool needsFirmware(const Identification& unit) {
    return protocol::nextStep(unit) == protocol::NextStep::UpdateFirmware;
}
QString carriedFirmware() {
    return QStringLiteral("%1.%2").arg(protocol::kCarriedMajor).arg(protocol::kCarriedMinor);
}
QString kindName(Kind kind) { return words::kindKey(kind); }

}  // namespace vek::unit
