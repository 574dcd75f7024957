#include "station/station_unit.h"

#include <QUuid>

#include "config/config_file.h"
#include "station/records_link.h"
#include "station/station_texts.h"
#include "text/language.h"
#include "words/words.h"

namespace vek::station {

namespace {

// What a unit was doing at a step, for what it needs after a cut there.
unit::Operation operationOf(Step step) {
    switch (step) {
        case Step::Firmware: return unit::Operation::Firmware;
        case Step::Writing: return unit::Operation::Write;
        case Step::Verifying: return unit::Operation::Verify;
        case Step::Copying: return unit::Operation::Read;
        default: return unit::Operation::None;
    }
}

QString qs(vek::Text text) { return vek::translated(text); }
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
        case Step::Held: return qs(texts::kStepHeld);
        case Step::Copying: return qs(texts::kStepCopying);
        case Step::Recording: return qs(texts::kStepRecording);
        case Step::NotRecorded: return qs(texts::kStepNotRecorded);
    }
    return {};
}

QString StationUnit::firmwareTarget() { return unit::carriedFirmware(); }

void StationUnit::setLink(RecordsLink* link) {
    link_ = link;
    if (link_) connect(link_, &RecordsLink::saved, this, &StationUnit::saved);
}

bool StationUnit::settled() const {
    if (running_) return false;
    for (const Unsettled& u : unsettled_)
        if (!u.reported) return false;
    return true;
}

void StationUnit::release() {
    if (!held_) return;
    held_ = false;
    unit_.close();
    row_.step = Step::Closed;
    row_.stepText.clear();
    emit changed();
}

StationUnit::StationUnit(QString port, config::FormModel form, QString stationHost, QObject* parent)
    : QObject(parent), port_(std::move(port)), host_(std::move(stationHost)), form_(std::move(form)) {
    formJson_ = fromUtf8(config::toJson(form_));
    config::encode(form_, image_);
    row_.port = port_;
    unit_.setPlan(unit::Plan::production(form_));
    // What the unit held is read before anything changes it: the run's
    // record keeps it, and the road goes on once that row is stored.
    unit_.setCopyKeeper([this](const unit::Identification&, const config::Image& image) { return keepBefore(image); });
    connect(&unit_, &unit::UnitController::stageChanged, this, &StationUnit::stageChanged);

    // Direct: a unit that cannot be taken is left alone before anything is sent.
    connect(&unit_, &unit::UnitController::unitIdentified, this, &StationUnit::identified, Qt::DirectConnection);
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
    if (unit_.awaitingReturn()) return true;  // the restarting unit's port came back under it
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
    if (unit_.awaitingReturn() || !(running_ || awaitingUnplug_)) return std::nullopt;
    return id_;
}

void StationUnit::identified(const unit::Identification& unit) {
    if (unit_.unitReturned()) {
        // Back with the new firmware; the road goes on to the write.
        if (!running_) return;
        record_.firmwareAfter = row_.firmwareAfter = records::versionText(unit.version);
        push();
        emit line(qs(texts::kLineFirmware).arg(port_, record_.firmwareBefore, record_.firmwareAfter));
        return;
    }
    // A new identification on the port is a new unit.
    if (running_) end(Step::Failed, unplugged());
    awaitingUnplug_ = false;
    if (mayStart_ && !mayStart_()) {
        // Not now (the records cannot be stored, or the station is stopping):
        // nothing is sent; release() lets it announce itself again.
        held_ = true;
        unit_.leaveAlone();
        setStep(Step::Held);
        return;
    }
    identifying_ = true;
    const bool begun = begin(unit);
    if (begun) emit unitBegan(this);
    identifying_ = false;
    if (!begun) {
        unit_.leaveAlone();
        return;
    }
}

// The row shows where the controller says the road is.
void StationUnit::stageChanged(unit::Stage stage) {
    if (!running_) return;
    switch (stage) {
        case unit::Stage::Idle: return;  // between roads: the outcome says how it ended
        case unit::Stage::Held: setStep(Step::Recording); return;
        case unit::Stage::Copy:
        case unit::Stage::Read: setStep(Step::Copying); return;
        case unit::Stage::Firmware: setStep(Step::Firmware); return;
        case unit::Stage::Restarting: setStep(Step::Restarting); return;
        case unit::Stage::Write: setStep(Step::Writing); return;
        case unit::Stage::Verify: setStep(Step::Verifying); return;
    }
}

bool StationUnit::begin(const unit::Identification& unit) {
    running_ = true;
    copySeq_ = 0;
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
    record_.configSource = source_.source;
    record_.configSha256 = source_.sha256;
    record_.firmwareTarget = firmwareTarget();
    beginStored_ = false;
    const QString qr = row_.qrLabel;
    row_ = UnitRow{};
    row_.port = port_;
    row_.running = true;
    row_.unitId = record_.unitId;
    row_.firmwareBefore = row_.firmwareAfter = record_.firmwareBefore;
    if (link_) record_.instance = link_->instance();
    // No unit is changed before its run is on record: the road waits,
    // with nothing sent, until the first row is stored (saved()). The
    // answer comes on a signal, so this loop and the other units never
    // wait for it.
    beginSeq_ = push();
    if (beginSeq_ != 0) unit_.hold();
    emit line(qs(texts::kLineUnit).arg(port_, record_.unitId, record_.firmwareBefore));
    if (!qr.isEmpty() && qr == idDigits_) setQrLabel(qr);  // scanned while the unit was announcing itself
    return true;
}

quint64 StationUnit::push() {
    if (!link_ || record_.id.isEmpty()) return 0;
    const quint64 seq = ++seq_;
    link_->put(record_, seq);
    const auto it = unsettled_.find(record_.id);
    if (it != unsettled_.end()) {
        it->run = record_;
        it->seq = seq;
    }
    return seq;
}

unit::Copy StationUnit::keepBefore(const config::Image& image) {
    // Only the copy taken before the change is what the unit held; a
    // read-back is the run's own bytes, recorded as its verify result.
    if (!running_ || unit_.stage() != unit::Stage::Copy || !record_.beforeImage.isEmpty()) return {};
    record_.beforeImage = QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
    copySeq_ = push();
    if (copySeq_ == 0) return {};  // nothing is recorded at this station
    unit::Copy pending;
    pending.state = unit::Copy::State::Pending;
    return pending;
}

void StationUnit::saved(const QString& id, quint64 seq, bool ok, const QString& error) {
    if (running_ && id == record_.id && seq == copySeq_) {
        copySeq_ = 0;
        unit::Copy copy;
        copy.where = "run " + record_.id.toStdString();
        if (!ok) {
            copy.state = unit::Copy::State::NotKept;
            copy.why = error.toStdString();
        }
        unit_.copyKept(copy);
        return;
    }
    if (running_ && id == record_.id && seq == beginSeq_) {
        if (ok) {
            beginStored_ = true;
            unit_.go();
            return;
        }
        end(Step::Failed, {QLatin1String(words::kNotRecorded), {{QLatin1String(words::key::kWhy), error}}});
        unit_.close();
        return;
    }
    const auto it = unsettled_.find(id);
    if (it == unsettled_.end() || seq < it->seq) return;
    if (ok) {
        const records::Run run = it->run;
        unsettled_.erase(it);
        settle(run);
        return;
    }
    if (it->reported) return;
    it->reported = true;
    const records::Run run = it->run;
    if (id == record_.id) {
        row_.unrecorded = true;
        row_.reason = qs(texts::kNotRecordedEnd)
                          .arg(run.verdict == records::Verdict::Passed        ? qs(texts::kStepPassed)
                               : run.verdict == records::Verdict::Interrupted ? qs(texts::kStepInterrupted)
                                                                               : qs(texts::kStepFailed),
                               error);
        setStep(Step::NotRecorded);
    }
    emit line(qs(texts::kLineEndedWhy).arg(port_, run.unitId, stepText(Step::NotRecorded), error));
    emit runUnrecorded(run, error);
}

// The ended run's last row is stored: now it counts, and the row says so.
void StationUnit::settle(const records::Run& run) {
    const Step step = run.verdict == records::Verdict::Passed        ? Step::Passed
                      : run.verdict == records::Verdict::Interrupted ? Step::Interrupted
                                                                      : Step::Failed;
    if (run.id == record_.id) {
        row_.unrecorded = false;
        row_.verdict = run.verdict;
        row_.reason = run.failureReason;
        setStep(step);
    }
    emit line(run.failureReason.isEmpty()
                  ? qs(texts::kLineEnded).arg(port_, run.unitId, stepText(step))
                  : qs(texts::kLineEndedWhy).arg(port_, run.unitId, stepText(step), run.failureReason));
    emit runEnded(run);
}

void StationUnit::progress(const unit::Progress& p) {
    if (!running_) return;
    row_.position = p.position;
    row_.maximum = p.maximum;
    row_.percent = p.percent;
    row_.bytesPerSecond = p.bytesPerSecond;
    row_.secondsLeft = p.secondsLeft;
    emit changed();
}

// A unit gone from its port mid-run: what it was doing decides what it needs now.
words::Failure StationUnit::unplugged() const {
    unit::Outcome lost;
    lost.kind = unit::Kind::PortLost;
    lost.operation = operationOf(row_.step);
    // The port went under the station: the link's counters were not seen.
    return words::withoutCounters(words::failureOf(lost, port_));
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
    if (outcome.kind == unit::Kind::FirmwareNotTaken && outcome.versionAfter)
        record_.firmwareAfter = row_.firmwareAfter = records::versionText(*outcome.versionAfter);
    if (outcome.verified)
        record_.verify = {records::Verify::Result::Match, 0};
    else if (outcome.mismatchAt >= 0)
        record_.verify = {records::Verify::Result::Mismatch, static_cast<std::uint32_t>(outcome.mismatchAt)};
    if (outcome.ok()) {
        // A discontinued type is configured all the same; the warning goes with the run.
        const QString warning =
            outcome.discontinued ? qs(texts::kDiscontinuedWarning).arg(outcome.unit.version.a) : QString();
        end(Step::Passed, {}, warning);
        return;
    }
    end(outcome.kind == unit::Kind::Interrupted ? Step::Interrupted : Step::Failed, words::failureOf(outcome, port_));
}

void StationUnit::lost() {
    // A restarting unit may leave the bus; the controller takes its port back.
    if (unit_.awaitingReturn()) return;
    if (running_) end(Step::Failed, unplugged());
    // The unit is gone, seen by the port watch or not: the next open is for another.
    awaitingUnplug_ = false;
    id_.reset();
}

void StationUnit::portGone() {
    if (unit_.awaitingReturn()) return;  // the controller reopens it when it is back
    if (running_) end(Step::Failed, unplugged());
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
    const words::Failure failure{QLatin1String(words::kDuplicateId),
                                 {{QLatin1String(words::key::kPort), port_}, {QLatin1String(words::key::kOtherPort), otherPort}}};
    const QString reason = words::sentence(failure);
    if (running_) {
        end(Step::Failed, failure);
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

void StationUnit::stop() {
    if (running_) {
        unit::Outcome stopped;
        stopped.kind = unit::Kind::Interrupted;
        stopped.operation = operationOf(row_.step);
        words::Failure failure = words::failureOf(stopped, port_);
        failure.values[QLatin1String(words::key::kBy)] = QLatin1String(words::kByOperator);
        end(Step::Interrupted, failure);
    }
    unit_.close();
}

void StationUnit::setQrLabel(const QString& digits) {
    row_.qrLabel = digits;
    row_.qrMatch = !idDigits_.isEmpty() ? std::optional<bool>(digits == idDigits_) : std::nullopt;
    if (row_.qrMatch) {
        record_.qr = records::QrScan{digits, *row_.qrMatch};
        push();
    }
    emit changed();
}

void StationUnit::end(Step step, const words::Failure& failure, const QString& warning) {
    const QString reason = failure.empty() ? warning : words::sentence(failure);
    if (!running_) return;
    running_ = false;
    awaitingUnplug_ = true;
    row_.elapsedMs = clock_.elapsed();
    record_.endedAt = QDateTime::currentDateTimeUtc();
    record_.verdict = step == Step::Passed        ? records::Verdict::Passed
                      : step == Step::Interrupted ? records::Verdict::Interrupted
                                                  : records::Verdict::Failed;
    record_.failureReason = reason;
    record_.failureKind = failure.kind;
    record_.failureValues = failure.values;
    row_.running = false;
    row_.position = 0;
    row_.bytesPerSecond = -1;
    row_.secondsLeft = -1;
    if (!link_ || record_.id.isEmpty()) {
        settle(record_);
        return;
    }
    // Shown and counted once its last row is stored (saved()).
    unsettled_.insert(record_.id, Unsettled{record_, 0, false});
    push();
    row_.reason = reason;
    setStep(Step::Recording);
}

}  // namespace vek::station
