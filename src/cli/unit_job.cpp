#include "cli/unit_job.h"

#include <QJsonDocument>
#include <cstdio>

#include "cli/cli_texts.h"

namespace vek::cli {

namespace {

using unit::Kind;
using unit::Operation;
using unit::Outcome;

QString qs(const char* text) { return QString::fromUtf8(text); }

void print(std::FILE* out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
    std::fflush(out);
}

QString hexByte(std::uint8_t byte) { return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper(); }

const char* during(Operation operation) {
    switch (operation) {
        case Operation::Firmware: return texts::kDuringFirmware;
        case Operation::Write: return texts::kDuringWrite;
        case Operation::Read: return texts::kDuringRead;
        case Operation::Verify: return texts::kDuringVerify;
        case Operation::None: break;
    }
    return texts::kDuringNothing;
}

// A default identification is what an outcome carries before any unit spoke.
bool unitKnown(const Outcome& o) { return o.unit.id != unit::UnitId{} || o.unit.version.a != 0; }

}  // namespace

Verdict verdict(Command command, const Outcome& o, const QString& port) {
    const int type = o.unit.version.a;
    const auto counted = [&o](QString text) {
        return text.arg(o.counters.Nacks).arg(o.counters.Code10).arg(o.counters.Code15).arg(o.counters.Code20);
    };
    switch (o.kind) {
        case Kind::Ok:
            switch (command) {
                case Command::Identify:
                case Command::Read: return {ExitOk, {}};
                case Command::Write: return {ExitOk, qs(o.verified ? texts::kWritten : texts::kWrittenUnverified)};
                case Command::Flash:
                    // The session counts firmware as taken only once the unit
                    // came back with a version that needs no update.
                    if (o.firmwareSent)
                        return {ExitOk, qs(texts::kFlashed)
                                            .arg(unit::versionText(o.versionBefore.value_or(o.unit.version)),
                                                 unit::versionText(o.versionAfter.value_or(o.unit.version)))};
                    return {ExitOk, qs(texts::kUpToDate).arg(unit::versionText(o.unit.version))};
            }
            break;
        case Kind::NoUnit: return {ExitNoUnit, qs(texts::kNoUnit).arg(port)};
        case Kind::PortLost:
            if (o.operation == Operation::None) return {ExitFailed, qs(texts::kPortLost).arg(port)};
            return {ExitFailed, counted(qs(texts::kPortLostDuring).arg(port, qs(during(o.operation))))};
        case Kind::Timeout: return {ExitFailed, counted(qs(texts::kTimeoutDuring).arg(qs(during(o.operation))))};
        case Kind::OperationMode: return {ExitFailed, qs(texts::kOperationMode).arg(port)};
        case Kind::TypeLeftAlone: return {ExitFailed, qs(texts::kTypeLeftAlone).arg(type)};
        case Kind::Discontinued: return {ExitFailed, qs(texts::kDiscontinued).arg(type)};
        case Kind::NeedsFirmware: return {ExitFailed, qs(texts::kNeedsFirmware)};
        case Kind::FirmwareNotTaken:
            return {ExitFailed,
                    qs(texts::kFirmwareNotTaken).arg(unit::versionText(o.versionAfter.value_or(o.unit.version)))};
        case Kind::DidNotReturn: return {ExitFailed, qs(texts::kNoReturn)};
        case Kind::OtherUnitReturned:
            return {ExitFailed, qs(texts::kOtherUnitReturned)
                                    .arg(o.returned ? unit::idText(*o.returned) : QString(), unit::idText(o.unit.id))};
        case Kind::InvalidConfiguration: return {ExitFailed, qs(texts::kInvalidImage)};
        case Kind::Refused:
            return {ExitFailed, qs(texts::kRefused).arg(o.fault ? QString::fromStdString(o.fault->name) : QString())};
        case Kind::ReadBackDiffers:
            return {ExitFailed,
                    qs(texts::kReadBackDiffers).arg(o.mismatchAt).arg(hexByte(o.wroteByte), hexByte(o.readByte))};
        case Kind::Interrupted: return {ExitFailed, qs(texts::kInterrupted)};
    }
    return {ExitFailed, unit::kindName(o.kind)};
}

QJsonObject outcomeJson(const Outcome& o, const QString& port, const QString& message) {
    QJsonObject j;
    j[QStringLiteral("port")] = port;
    j[QStringLiteral("outcome")] = unit::kindName(o.kind);
    if (!message.isEmpty()) j[QStringLiteral("message")] = message;
    if (unitKnown(o)) {
        j[QStringLiteral("version")] = unit::versionText(o.unit.version);
        j[QStringLiteral("id")] = unit::idText(o.unit.id);
        j[QStringLiteral("type")] = o.unit.version.a;
    }
    if (o.discontinued) j[QStringLiteral("discontinued")] = true;
    if (o.firmwareSent) j[QStringLiteral("firmwareSent")] = true;
    if (o.versionBefore) j[QStringLiteral("versionBefore")] = unit::versionText(*o.versionBefore);
    if (o.versionAfter) j[QStringLiteral("versionAfter")] = unit::versionText(*o.versionAfter);
    if (o.returned) j[QStringLiteral("returnedId")] = unit::idText(*o.returned);
    if (o.written) j[QStringLiteral("verified")] = o.verified;
    if (o.kind == Kind::ReadBackDiffers) {
        j[QStringLiteral("mismatchAt")] = static_cast<qint64>(o.mismatchAt);
        j[QStringLiteral("wrote")] = o.wroteByte;
        j[QStringLiteral("read")] = o.readByte;
    }
    if (o.fault) j[QStringLiteral("field")] = QString::fromStdString(o.fault->name);
    if (o.kind == Kind::Timeout || o.kind == Kind::PortLost) {
        QJsonObject c;
        c[QStringLiteral("Nacks")] = static_cast<qint64>(o.counters.Nacks);
        c[QStringLiteral("Code10")] = static_cast<qint64>(o.counters.Code10);
        c[QStringLiteral("Code15")] = static_cast<qint64>(o.counters.Code15);
        c[QStringLiteral("Code20")] = static_cast<qint64>(o.counters.Code20);
        j[QStringLiteral("counters")] = c;
    }
    return j;
}

UnitJob::UnitJob(QString port, Command command, const unit::Plan& plan, bool json, Deliver deliver, QObject* parent)
    : QObject(parent), port_(std::move(port)), command_(command), json_(json), deliver_(std::move(deliver)) {
    unit_.setPlan(plan);

    connect(&unit_, &unit::UnitController::openFailed, this,
            [this](unit::OpenFailure, const QString& message) { finish(ExitPort, message); });
    connect(&unit_, &unit::UnitController::operationFinished, this, &UnitJob::ended);
    connect(&unit_, &unit::UnitController::progressChanged, this,
            [this](const unit::Progress& p) { progress_.update(p); });
    connect(&unit_, &unit::UnitController::portLost, this, [this] {
        // A running operation, or a unit restarting with new firmware, ends
        // its road by itself (with the link's counters); only a port lost
        // between steps is this job's to report.
        if (unit_.operation() != Operation::None || unit_.awaitingReturn()) return;
        Outcome lost;
        lost.kind = Kind::PortLost;
        ended(lost);
    });
}

void UnitJob::start() { unit_.open(port_); }

void UnitJob::ended(const Outcome& outcome) {
    if (ended_) return;
    progress_.finishLine();
    if (outcome.discontinued && outcome.kind != Kind::Discontinued)
        print(stderr, qs(texts::kDiscontinuedWarning).arg(outcome.unit.version.a) + QLatin1Char('\n'));

    const Verdict v = verdict(command_, outcome, port_);
    const bool identification = command_ == Command::Identify &&
                                (outcome.kind == Kind::Ok || outcome.kind == Kind::TypeLeftAlone);
    if (identification) {
        printIdentification(outcome);
    } else if (outcome.ok() && command_ == Command::Read && deliver_) {
        finish(deliver_(outcome));
        return;
    } else if (json_) {
        print(stdout, QString::fromUtf8(QJsonDocument(outcomeJson(outcome, port_, v.message)).toJson()));
    }
    finish(v.exitCode, v.message);
}

void UnitJob::printIdentification(const Outcome& outcome) {
    const unit::Identification& u = outcome.unit;
    const bool update = unit::needsFirmware(u);
    if (json_) {
        QJsonObject o;
        o[QStringLiteral("port")] = port_;
        o[QStringLiteral("outcome")] = unit::kindName(outcome.kind);
        o[QStringLiteral("version")] = unit::versionText(u.version);
        o[QStringLiteral("id")] = unit::idText(u.id);
        o[QStringLiteral("type")] = u.version.a;
        o[QStringLiteral("needsFirmwareUpdate")] = update;
        o[QStringLiteral("configBase")] = QStringLiteral("0x%1").arg(u.configBase, 8, 16, QLatin1Char('0'));
        if (outcome.discontinued) o[QStringLiteral("discontinued")] = true;
        print(stdout, QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
        return;
    }
    print(stdout, qs(texts::kIdentVersion).arg(unit::versionText(u.version)) + '\n' +
                      qs(texts::kIdentId).arg(unit::idText(u.id)) + '\n' + qs(texts::kIdentType).arg(u.version.a) +
                      '\n' + qs(texts::kIdentNeedsUpdate).arg(qs(update ? texts::kYes : texts::kNo)) + '\n');
}

void UnitJob::finish(int code, const QString& message) {
    if (ended_) return;
    ended_ = true;
    progress_.finishLine();
    if (!message.isEmpty()) print(stderr, message + QLatin1Char('\n'));
    unit_.close();
    emit done(code);
}

}  // namespace vek::cli
