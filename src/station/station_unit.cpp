#include "station/station_unit.h"

#include <QUuid>

#include "config/config_file.h"
#include "protocol/identification.h"
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

    session::Options options;
    options.followIdentification = false;  // the station decides each step
    unit_.setOptions(options);

    connect(&unit_, &unit::UnitController::unitDidNotReturn, this, [this] {
        if (restarting_) end(Step::Failed, qs(texts::kNoReturn));
    });

    connect(&unit_, &unit::UnitController::unitIdentified, this, &StationUnit::identified);
    connect(&unit_, &unit::UnitController::operationFinished, this, &StationUnit::operationFinished);
    connect(&unit_, &unit::UnitController::connectionChanged, this, &StationUnit::connectionChanged);
    connect(&unit_, &unit::UnitController::operationModeNotice, this, [this] {
        // The unit said who it is before it said it is in operation mode.
        if (!running_ && !awaitingUnplug_) begin(unit_.session().unit());
        end(Step::Failed, qs(texts::kOperationMode));
    });
    connect(&unit_, &unit::UnitController::openFailed, this, [this](unit::OpenFailure, const QString& message) {
        if (row_.reason == message) return;  // tried again every half second: said once
        row_.reason = message;
        emit changed();
        emit line(message);
    });
    connect(&unit_, &unit::UnitController::noAnswer, this, [this] {
        if (!running_) setStep(Step::NoAnswer);
    });
    connect(&unit_, &unit::UnitController::progressChanged, this,
            [this](int position, int maximum, session::Operation op) {
                if (!running_) return;
                row_.position = position;
                row_.maximum = maximum;
                if (op == session::Operation::Verify) setStep(Step::Verifying);
                emit changed();
            });
}

const UnitRow& StationUnit::row() {
    row_.elapsedMs = clock_.isValid() && (running_ || row_.elapsedMs == 0) ? clock_.elapsed() : row_.elapsedMs;
    return row_;
}

bool StationUnit::open() {
    if (unit_.isOpen()) return true;
    if (!unit_.open(port_)) return false;
    if (!running_) row_.reason.clear();
    if (!restarting_) setStep(Step::Waiting);
    return true;
}

void StationUnit::setStep(Step step) {
    row_.step = step;
    row_.stepText = stepText(step);
    emit changed();
}

void StationUnit::identified(const protocol::Identification& unit) {
    if (restarting_) {
        // Back with the new firmware.
        restarting_ = false;
        record_.firmwareAfter = row_.firmwareAfter = records::versionText(unit.version);
        record({.firmwareAfter = unit.version});
        emit line(QStringLiteral("%1: %2 → %3").arg(port_, record_.firmwareBefore, record_.firmwareAfter));
        writeConfiguration();
        return;
    }
    if (running_ || awaitingUnplug_) return;
    begin(unit);
    switch (protocol::nextStep(unit)) {
        case protocol::NextStep::UpdateFirmware:
            setStep(Step::Firmware);
            unit_.firmwareUpdate();
            break;
        case protocol::NextStep::UpToDateThenRead:
            writeConfiguration();
            break;
        case protocol::NextStep::DiscontinuedThenRead:
            end(Step::Failed, qs(texts::kDiscontinued).arg(unit.version.a));
            break;
        case protocol::NextStep::Nothing:
        case protocol::NextStep::OperationMode:
            end(Step::Failed, qs(texts::kUnknownType).arg(unit.version.a));
            break;
    }
}

void StationUnit::begin(const protocol::Identification& unit) {
    running_ = true;
    clock_.start();
    idDigits_ = fromUtf8(protocol::idDigits(unit.id));
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
            end(Step::Failed, qs(texts::kNotRecorded).arg(store_->errorString()));
            return;
        }
        record({.unitId = unit.id,
                .firmwareBefore = unit.version,
                .firmwareAfter = unit.version,
                .configJson = formJson_,
                .imageCheck = record_.imageCheck});
    }
    emit line(QStringLiteral("%1: Vek %2 v%3").arg(port_, record_.unitId, record_.firmwareBefore));
    if (!qr.isEmpty() && qr == idDigits_) setQrLabel(qr);  // scanned while the unit was announcing itself
}

void StationUnit::record(const records::RunUpdate& update) {
    // A write the databases did not take is kept by the store and written later.
    if (store_ && !record_.id.isEmpty()) store_->updateRun(record_.id, update);
}

void StationUnit::writeConfiguration() {
    setStep(Step::Writing);
    unit_.setConfig(form_);
}

void StationUnit::operationFinished(const session::Finished& outcome) {
    if (!running_) return;
    if (outcome.operation == session::Operation::Firmware) {
        if (!outcome.ok) {
            end(Step::Failed, QString::fromStdString(outcome.reason));
            return;
        }
        restarting_ = true;
        setStep(Step::Restarting);
        return;
    }
    if (outcome.operation != session::Operation::Write) return;
    if (outcome.mismatchAt >= 0)
        record_.verify = {records::Verify::Result::Mismatch, static_cast<std::uint32_t>(outcome.mismatchAt)};
    else if (outcome.ok && unit_.options().verifyWrites)
        record_.verify = {records::Verify::Result::Match, 0};
    record({.verify = record_.verify});
    end(outcome.ok ? Step::Passed : Step::Failed, QString::fromStdString(outcome.reason));
}

void StationUnit::connectionChanged(bool open) {
    if (open) return;
    if (restarting_) return;  // a unit may leave the bus while it restarts; the station reopens the port
    if (running_) end(Step::Failed, qs(texts::kUnplugged).arg(row_.stepText));
}

void StationUnit::portGone() {
    awaitingUnplug_ = false;
    if (running_ && !restarting_) end(Step::Failed, qs(texts::kUnplugged).arg(row_.stepText));
    // A unit that ended keeps its outcome on view until the next one begins.
    if (!running_ && !row_.verdict) {
        row_.step = Step::Closed;
        row_.stepText.clear();
        emit changed();
    }
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
    if (store_ && !record_.id.isEmpty()) store_->endRun(record_.id, {record_.verdict, reason, record_.endedAt});
    setStep(step);
    emit line(reason.isEmpty() ? QStringLiteral("%1: %2 %3").arg(port_, record_.unitId, stepText(step))
                               : QStringLiteral("%1: %2 %3: %4").arg(port_, record_.unitId, stepText(step), reason));
    emit runEnded(record_);
}

}  // namespace vek::station
