#include "station/station_unit.h"

#include <QUuid>

#include "config/config_file.h"
#include "records/record_store.h"
#include "station/station_texts.h"

namespace vek::station {

namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }
QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QString stepText(Step step) {
    switch (step) {
        case Step::Closed: return {};
        case Step::Waiting: return qs(texts::kStepWaiting);
        case Step::NoAnswer: return qs(texts::kStepNoAnswer);
        case Step::Firmware: return qs(texts::kStepFirmware);
        case Step::Restarting: return qs(texts::kStepRestarting);
        case Step::Writing: return qs(texts::kStepWriting);
        case Step::Verifying: return qs(texts::kStepVerifying);
        case Step::Passed: return qs(texts::kStepPassed);
        case Step::Failed: return qs(texts::kStepFailed);
        case Step::Interrupted: return qs(texts::kStepInterrupted);
    }
    return {};
}

StationUnit::StationUnit(QString port, config::FormModel form, QString stationHost, QObject* parent)
    : QObject(parent), port_(std::move(port)), host_(std::move(stationHost)), form_(std::move(form)) {
    formJson_ = fromUtf8(config::toJson(form_));
    config::encode(form_, image_);
    row_.port = port_;
    unit_.setPlan(unit::Plan::production(form_));

    // Direct: a unit that cannot be taken is left alone before anything is sent.
    connect(&unit_, &unit::UnitController::unitIdentified, this, &StationUnit::identified, Qt::DirectConnection);
    connect(&unit_, &unit::UnitController::unitRestarting, this, [this] {
        if (!running_) return;
        restarting_ = true;
        setStep(Step::Restarting);
    });
    connect(&unit_, &unit::UnitController::operationFinished, this, &StationUnit::operationFinished);
    connect(&unit_, &unit::UnitController::portLost, this, &StationUnit::lost);
    connect(&unit_, &unit::UnitController::progressChanged, this, &StationUnit::progress);
    connect(&unit_, &unit::UnitController::openFailed, this, [this](unit::OpenFailure, const QString& message) {
        if (row_.reason == message) return;  // tried again every half second: said once
        row_.reason = message;
        emit changed();
        emit line(message);
    });
}

const UnitRow& StationUnit::row() {
    row_.elapsedMs = clock_.isValid() && (running_ || row_.elapsedMs == 0) ? clock_.elapsed() : row_.elapsedMs;
    return row_;
}

bool StationUnit::open() {
    if (unit_.isOpen()) return true;
    if (!unit_.open(port_)) return false;
    if (restarting_) return true;  // the restarting unit's port came back under it
    if (!running_) {
        // The unit that was here has gone: nothing of its outcome stays on
        // the row the next one is worked on.
        row_ = UnitRow{};
        row_.port = port_;
        clock_.invalidate();
    }
    setStep(Step::Waiting);
    return true;
}

void StationUnit::setStep(Step step) {
    row_.step = step;
    row_.stepText = stepText(step);
    emit changed();
}

std::optional<unit::UnitId> StationUnit::liveId() const {
    // A unit away for its restart is not on the bus to be confused with.
    if (restarting_ || !(running_ || awaitingUnplug_)) return std::nullopt;
    return id_;
}

void StationUnit::identified(const unit::Identification& unit) {
    if (running_ && restarting_ && id_ && unit.id == *id_) {
        // Back with the new firmware; the road goes on to the write.
        restarting_ = false;
        record_.firmwareAfter = row_.firmwareAfter = records::versionText(unit.version);
        record({.firmwareAfter = unit.version});
        emit line(qs(texts::kLineFirmware).arg(port_, record_.firmwareBefore, record_.firmwareAfter));
        setStep(Step::Writing);
        return;
    }
    // A new identification on the port is a new unit.
    if (running_) end(Step::Failed, qs(texts::kUnplugged).arg(row_.stepText));
    awaitingUnplug_ = false;
    identifying_ = true;
    const bool begun = begin(unit);
    if (begun) emit unitBegan(this);
    identifying_ = false;
    if (!begun) {
        unit_.leaveAlone();
        return;
    }
    if (!running_) return;  // stopped as a duplicate
    setStep(unit::needsFirmware(unit) ? Step::Firmware : Step::Writing);
}

bool StationUnit::begin(const unit::Identification& unit) {
    running_ = true;
    restarting_ = false;
    clock_.start();
    id_ = unit.id;
    idDigits_ = unit::idDigits(unit.id);
    record_ = records::Run{};
    record_.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    record_.startedAt = QDateTime::currentDateTimeUtc();
    record_.station = host_;
    record_.port = port_;
    record_.unitId = records::unitIdText(unit.id);
    record_.unitType = unit.version.a;
    record_.firmwareBefore = record_.firmwareAfter = records::versionText(unit.version);
    record_.configJson = formJson_;
    record_.imageCheck = records::ImageCheck{config::checkXor(image_), config::checkSum(image_)};
    const QString qr = row_.qrLabel;
    row_ = UnitRow{};
    row_.port = port_;
    row_.running = true;
    row_.unitId = record_.unitId;
    row_.firmwareBefore = row_.firmwareAfter = record_.firmwareBefore;
    if (store_) {
        // No unit is worked on without its record.
        if (!store_->beginRun({port_, record_.id, record_.startedAt})) {
            const QString why = store_->errorString();
            record_.id.clear();
            end(Step::Failed, qs(texts::kNotRecorded).arg(why));
            return false;
        }
        record({.unitId = unit.id,
                .firmwareBefore = unit.version,
                .firmwareAfter = unit.version,
                .configJson = formJson_,
                .imageCheck = record_.imageCheck});
    }
    emit line(qs(texts::kLineUnit).arg(port_, record_.unitId, record_.firmwareBefore));
    if (!qr.isEmpty() && qr == idDigits_) setQrLabel(qr);  // scanned while the unit was announcing itself
    return true;
}

void StationUnit::record(const records::RunUpdate& update) {
    // A write the databases did not take is kept by the store and written later.
    if (store_ && !record_.id.isEmpty()) store_->updateRun(record_.id, update);
}

void StationUnit::progress(const unit::Progress& p) {
    if (!running_) return;
    row_.position = p.position;
    row_.maximum = p.maximum;
    row_.percent = p.percent;
    row_.bytesPerSecond = p.bytesPerSecond;
    row_.secondsLeft = p.secondsLeft;
    if (p.operation == unit::Operation::Firmware) row_.step = Step::Firmware;
    if (p.operation == unit::Operation::Write) row_.step = Step::Writing;
    if (p.operation == unit::Operation::Verify) row_.step = Step::Verifying;
    row_.stepText = stepText(row_.step);
    emit changed();
}

QString StationUnit::reasonFor(const unit::Outcome& outcome) const {
    using unit::Kind;
    const auto hex = [](std::uint8_t b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); };
    switch (outcome.kind) {
        case Kind::Ok: return {};
        case Kind::NoUnit:
        case Kind::PortLost: return qs(texts::kUnplugged).arg(row_.stepText);
        case Kind::OperationMode: return qs(texts::kOperationMode);
        case Kind::TypeLeftAlone: return qs(texts::kTypeLeftAlone).arg(outcome.unit.version.a);
        case Kind::Discontinued: return qs(texts::kDiscontinued).arg(outcome.unit.version.a);
        case Kind::NeedsFirmware: return qs(texts::kNeedsFirmware);
        case Kind::FirmwareNotTaken:
            return qs(texts::kFirmwareNotTaken)
                .arg(records::versionText(outcome.versionAfter.value_or(outcome.unit.version)));
        case Kind::DidNotReturn: return qs(texts::kNoReturn);
        case Kind::OtherUnitReturned:
            return qs(texts::kOtherUnitReturned)
                .arg(outcome.returned ? records::unitIdText(*outcome.returned) : QString());
        case Kind::InvalidConfiguration: return qs(texts::kInvalidConfiguration);
        case Kind::Refused:
            return qs(texts::kRefused).arg(outcome.box ? fromUtf8(outcome.box->text) : QString());
        case Kind::Timeout: return qs(texts::kTimeout).arg(row_.stepText);
        case Kind::ReadBackDiffers:
            return qs(texts::kReadBackDiffers)
                .arg(outcome.mismatchAt)
                .arg(hex(outcome.wroteByte), hex(outcome.readByte));
        case Kind::Interrupted: return qs(texts::kStepInterrupted);
    }
    return {};
}

void StationUnit::operationFinished(const unit::Outcome& outcome) {
    if (outcome.kind == unit::Kind::NoUnit) {
        if (!running_ && !awaitingUnplug_) setStep(Step::NoAnswer);
        return;
    }
    // In operation mode a unit may say who it is, and nothing more: a run of
    // its own, failed.
    if (outcome.kind == unit::Kind::OperationMode && !running_ && !awaitingUnplug_ && !begin(outcome.unit)) return;
    if (!running_) return;
    if (outcome.kind == unit::Kind::FirmwareNotTaken && outcome.versionAfter) {
        record_.firmwareAfter = row_.firmwareAfter = records::versionText(*outcome.versionAfter);
        record({.firmwareAfter = *outcome.versionAfter});
    }
    if (outcome.verified)
        record_.verify = {records::Verify::Result::Match, 0};
    else if (outcome.mismatchAt >= 0)
        record_.verify = {records::Verify::Result::Mismatch, static_cast<std::uint32_t>(outcome.mismatchAt)};
    if (record_.verify.result != records::Verify::Result::NotDone) record({.verify = record_.verify});
    if (outcome.ok()) {
        // A discontinued type is configured all the same; the warning goes with the run.
        const QString warning =
            outcome.discontinued ? qs(texts::kDiscontinuedWarning).arg(outcome.unit.version.a) : QString();
        end(Step::Passed, warning);
        return;
    }
    end(outcome.kind == unit::Kind::Interrupted ? Step::Interrupted : Step::Failed, reasonFor(outcome));
}

void StationUnit::lost() {
    // A restarting unit may leave the bus; the controller takes its port back.
    if (restarting_) return;
    if (running_) end(Step::Failed, qs(texts::kUnplugged).arg(row_.stepText));
    // The unit is gone, seen by the port watch or not: the next open is for another.
    awaitingUnplug_ = false;
    id_.reset();
}

void StationUnit::portGone() {
    if (restarting_) return;  // the controller reopens it when it is back
    if (running_) end(Step::Failed, qs(texts::kUnplugged).arg(row_.stepText));
    awaitingUnplug_ = false;
    id_.reset();
    unit_.close();
    // A unit that ended keeps its outcome on view until the next one begins.
    if (!row_.verdict) {
        row_.step = Step::Closed;
        row_.stepText.clear();
        emit changed();
    }
}

void StationUnit::duplicateOf(const QString& otherPort) {
    const QString reason = qs(texts::kDuplicateId).arg(otherPort);
    if (running_) {
        end(Step::Failed, reason);
        // Nothing more is sent: from its own announcement the road is simply
        // not taken; a road under way is cut by closing the port, which stays
        // closed until the unit is unplugged.
        if (identifying_) unit_.leaveAlone();
        else unit_.close();
        return;
    }
    // Already ended and recorded: the row says what was found since.
    if (!row_.verdict) return;
    row_.verdict = records::Verdict::Failed;
    row_.reason = reason;
    setStep(Step::Failed);
    emit line(qs(texts::kLineEndedWhy).arg(port_, record_.unitId, row_.stepText, reason));
}

void StationUnit::stop(const QString& reason) {
    if (running_) end(Step::Interrupted, reason);
    unit_.close();
}

void StationUnit::setQrLabel(const QString& digits) {
    row_.qrLabel = digits;
    row_.qrMatch = !idDigits_.isEmpty() ? std::optional<bool>(digits == idDigits_) : std::nullopt;
    if (row_.qrMatch) {
        record_.qr = records::QrScan{digits, *row_.qrMatch};
        record({.qr = record_.qr});
    }
    emit changed();
}

void StationUnit::end(Step step, const QString& reason) {
    if (!running_) return;
    running_ = false;
    restarting_ = false;
    awaitingUnplug_ = true;
    row_.elapsedMs = clock_.elapsed();
    record_.endedAt = QDateTime::currentDateTimeUtc();
    record_.verdict = step == Step::Passed        ? records::Verdict::Passed
                      : step == Step::Interrupted ? records::Verdict::Interrupted
                                                  : records::Verdict::Failed;
    record_.failureReason = reason;
    row_.running = false;
    row_.verdict = record_.verdict;
    row_.reason = reason;
    row_.position = 0;
    row_.bytesPerSecond = -1;
    row_.secondsLeft = -1;
    if (store_ && !record_.id.isEmpty()) store_->endRun(record_.id, {record_.verdict, reason, record_.endedAt});
    setStep(step);
    emit line(reason.isEmpty() ? qs(texts::kLineEnded).arg(port_, record_.unitId, stepText(step))
                               : qs(texts::kLineEndedWhy).arg(port_, record_.unitId, stepText(step), reason));
    emit runEnded(record_);
}

}  // namespace vek::station
