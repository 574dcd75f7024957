#include "cli/unit_job.h"

#include <QJsonDocument>
#include <cstdio>

#include "cli/cli_texts.h"
#include "unit/backup_store.h"
#include "text/language.h"
#include "words/words.h"

namespace vek::cli {

namespace {

using unit::Kind;
using unit::Operation;
using unit::Outcome;

QString qs(vek::Text text) { return vek::translated(text); }

// A default identification is what an outcome carries before any unit spoke.
bool unitKnown(const Outcome& o) { return o.unit.id != unit::UnitId{} || o.unit.version.a != 0; }

// A change made without its copy says so in its result.
QString withoutCopy(const Outcome& o) {
    return o.copy && o.copy->state == unit::Copy::State::Skipped ? qs(texts::kWithoutCopy) : QString();
}

}  // namespace

void print(std::FILE* out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
    std::fflush(out);
}

void printJson(const QJsonObject& object) {
    print(stdout, QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

Verdict verdict(Command command, const Outcome& o, const QString& port) {
    if (command == Command::Diff && !o.ok()) {
        // 1 is "different" for diff, as for diff(1): a unit that could not
        // be compared says so with its own code.
        Verdict v = verdict(Command::Read, o, port);
        if (v.exitCode == ExitFailed) v = {ExitReadFailed, qs(texts::kReadFailed).arg(v.message)};
        return v;
    }
    if (o.ok()) {
            switch (command) {
                case Command::Identify:
                case Command::Read:
                case Command::Diff: return {ExitOk, {}};
                case Command::Write:
                    return {ExitOk, qs(o.verified ? texts::kWritten : texts::kWrittenUnverified) + withoutCopy(o)};
                case Command::Restore:
                    return {ExitOk, qs(!o.verified      ? texts::kRestoredUnverified
                                       : o.faults > 0 ? texts::kRestoredInvalid
                                                      : texts::kRestored) +
                                        withoutCopy(o)};
                case Command::Flash:
                    // The session counts firmware as taken only once the unit
                    // came back with a version that needs no update.
                    if (o.firmwareSent)
                        return {ExitOk, qs(texts::kFlashed)
                                                .arg(unit::versionText(o.versionBefore.value_or(o.unit.version)),
                                                     unit::versionText(o.versionAfter.value_or(o.unit.version))) +
                                            withoutCopy(o)};
                    return {ExitOk, qs(texts::kUpToDate).arg(unit::versionText(o.unit.version))};
            }
    }
    // Every failure in the words every view uses, after the port.
    const QString message =
        QStringLiteral("%1: %2").arg(port, words::sentence(words::failureOf(o, port), words::Reader::CommandLine));
    switch (o.kind) {
        case Kind::NoUnit: return {ExitNoUnit, message};
        case Kind::Interrupted: return {ExitInterrupted, message};
        case Kind::CopyNotKept: return {ExitNoCopy, message};
        default: return {ExitFailed, message};
    }
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
    // The failure's values under the keys the records keep them by.
    if (!o.ok()) j[QStringLiteral("values")] = words::failureOf(o).values;
    if (o.kind == Kind::Interrupted)
        j[QStringLiteral("interruptedDuring")] =
            o.operation == Operation::None ? QStringLiteral("none") : words::operationKey(o.operation);
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

UnitJob::UnitJob(QString port, Command command, const unit::Plan& plan, JobOptions options, Deliver deliver,
                 QObject* parent)
    : QObject(parent),
      port_(std::move(port)),
      command_(command),
      options_(std::move(options)),
      deliver_(std::move(deliver)) {
    unit_.setPlan(plan);

    connect(&unit_, &unit::UnitController::openFailed, this, [this](unit::OpenFailure why, const QString& message) {
        if (options_.json) {
            static const char* const reasons[] = {"not-found", "busy", "permission", "other"};
            QJsonObject j;
            j[QStringLiteral("port")] = port_;
            j[QStringLiteral("error")] = QStringLiteral("port-not-opened");
            j[QStringLiteral("reason")] = QString::fromLatin1(reasons[static_cast<int>(why)]);
            j[QStringLiteral("message")] = message;
            printJson(j);
        }
        finish(ExitPort, message);
    });
    connect(&unit_, &unit::UnitController::operationFinished, this, &UnitJob::ended);
    if (!options_.quiet)
        connect(&unit_, &unit::UnitController::progressChanged, this,
                [this](const unit::Progress& p) { progress_.update(p); });
    connect(&unit_, &unit::UnitController::portLost, this, [this] {
        // A running operation, or a unit restarting with new firmware, ends
        // its road by itself (with the link's counters); only a port lost
        // between steps is this job's to report.
        unit_.endRoadOnLostPort();
    });
    connect(&unit_, &unit::UnitController::copyTaken, this,
            [this](const unit::Identification&, const unit::Copy& copy) { copyTaken(copy); });
    if (!options_.restoringUnit.isEmpty())
        connect(&unit_, &unit::UnitController::unitIdentified, this, [this](const unit::Identification& u) {
            const QString here = unit::idDigits(u.id);
            if (here.compare(options_.restoringUnit, Qt::CaseInsensitive) == 0) return;
            progress_.finishLine();
            print(stderr, qs(texts::kRestoreOtherUnit).arg(options_.restoringUnit, here) + QLatin1Char('\n'));
        });
    if (options_.twoStepInterrupt) {
        interrupts_ = std::make_unique<Interrupts>();
        connect(interrupts_.get(), &Interrupts::first, this, [this] {
            progress_.finishLine();
            print(stderr, qs(texts::kInterruptFirst) + QLatin1Char('\n'));
        });
        connect(interrupts_.get(), &Interrupts::second, this, [this] {
            if (ended_) return;
            interruptedState_ = stateIfStoppedNow();
            unit_.interrupt();
        });
    }
}

void UnitJob::start() { unit_.open(port_); }

void UnitJob::copyTaken(const unit::Copy& copy) {
    const QString where = QString::fromStdString(copy.where);
    if (copy.state == unit::Copy::State::NotKept) {
        // A change stops on it (its verdict says so); a read only warns.
        if (command_ == Command::Read || command_ == Command::Diff || command_ == Command::Identify) {
            progress_.finishLine();
            print(stderr, qs(texts::kBackupFailed).arg(QString::fromStdString(copy.why)) + QLatin1Char('\n'));
        }
        return;
    }
    // The first copy of a road is what the unit held before it; the
    // read-back's is the same bytes as what was written.
    if (!backupPath_.isEmpty()) return;
    backupPath_ = where;
    progress_.finishLine();
    if (!options_.quiet) print(stderr, qs(copy.fresh ? texts::kBackupKept : texts::kBackupSame).arg(where) + '\n');
}

QString UnitJob::stateIfStoppedNow() const {
    if (unit_.awaitingReturn()) return qs(texts::kInterruptedRestarting).arg(port_);
    switch (unit_.operation()) {
        case Operation::Firmware: return qs(texts::kInterruptedFirmware).arg(port_);
        case Operation::Write:
            if (command_ == Command::Restore) return qs(texts::kInterruptedRestore).arg(port_, options_.restoring);
            if (!backupPath_.isEmpty())
                return qs(texts::kInterruptedWrite).arg(port_) +
                       qs(texts::kInterruptedWriteBackup).arg(port_, backupPath_);
            return qs(texts::kInterruptedWrite).arg(port_);
        case Operation::Verify: return qs(texts::kInterruptedVerify).arg(port_);
        case Operation::Read:
        case Operation::None: break;
    }
    return qs(texts::kInterruptedNothing);
}

void UnitJob::ended(const Outcome& outcome) {
    if (ended_) return;
    progress_.finishLine();
    if (outcome.discontinued && outcome.kind != Kind::Discontinued)
        print(stderr, qs(texts::kDiscontinuedWarning).arg(outcome.unit.version.a) + QLatin1Char('\n'));

    Verdict v = verdict(command_, outcome, port_);
    if (outcome.kind == Kind::Interrupted && !interruptedState_.isEmpty()) v.message = interruptedState_;
    const bool identification = command_ == Command::Identify &&
                                (outcome.kind == Kind::Ok || outcome.kind == Kind::TypeLeftAlone);
    if (identification) {
        printIdentification(outcome);
    } else if (deliver_) {
        if (const std::optional<int> code = deliver_(outcome)) {
            finish(*code);
            return;
        }
    }
    if (!identification && options_.json) {
        QJsonObject j = outcomeJson(outcome, port_, v.message);
        if (!backupPath_.isEmpty()) j[QStringLiteral("backup")] = backupPath_;
        if (outcome.copy && outcome.copy->state == unit::Copy::State::Skipped) j[QStringLiteral("backup")] = QJsonValue::Null;
        if (outcome.kind == Kind::CopyNotKept && outcome.copy) {
            j[QStringLiteral("backupFolder")] = QString::fromStdString(outcome.copy->where);
            j[QStringLiteral("backupError")] = QString::fromStdString(outcome.copy->why);
        }
        if (!options_.restoring.isEmpty()) {
            j[QStringLiteral("restored")] = options_.restoring;
            j[QStringLiteral("backupUnit")] = options_.restoringUnit;
        }
        printJson(j);
    }
    finish(v.exitCode, v.message);
}

void UnitJob::printIdentification(const Outcome& outcome) {
    const unit::Identification& u = outcome.unit;
    const bool update = unit::needsFirmware(u);
    if (options_.json) {
        QJsonObject o;
        o[QStringLiteral("port")] = port_;
        o[QStringLiteral("outcome")] = unit::kindName(outcome.kind);
        o[QStringLiteral("version")] = unit::versionText(u.version);
        o[QStringLiteral("id")] = unit::idText(u.id);
        o[QStringLiteral("type")] = u.version.a;
        o[QStringLiteral("needsFirmwareUpdate")] = update;
        o[QStringLiteral("configBase")] = QStringLiteral("0x%1").arg(u.configBase, 8, 16, QLatin1Char('0'));
        if (outcome.discontinued) o[QStringLiteral("discontinued")] = true;
        printJson(o);
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
    if (!message.isEmpty()) {
        if (code != ExitOk)
            print(stderr, message + QLatin1Char('\n'));
        else if (!options_.quiet)
            // With --json standard output holds the object alone.
            print(options_.json ? stderr : stdout, message + QLatin1Char('\n'));
    }
    unit_.close();
    emit done(code);
}

}  // namespace vek::cli
