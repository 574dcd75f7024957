#include "session/session.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "config/config_texts.h"
#include "protocol/identification.h"
#include "protocol/protocol_texts.h"
#include "protocol/receiver.h"
#include "session/session_texts.h"
#include "transfer/block_transfer.h"
#include "transfer/config_read.h"
#include "transfer/firmware.h"
#include "transfer/transfer_texts.h"

namespace vek::session {

using protocol::Frame;
using PacedOutcome = transfer::Outcome;

namespace {

BoxIcon boxIcon(transfer::FailureIcon icon) {
    switch (icon) {
        case transfer::FailureIcon::Warning: return BoxIcon::Warning;
        case transfer::FailureIcon::Information: return BoxIcon::Information;
        case transfer::FailureIcon::None: break;
    }
    return BoxIcon::None;
}

template <class... Args>
std::string format(const char* pattern, Args... args) {
    char out[512];
    const int n = std::snprintf(out, sizeof out, pattern, args...);
    return std::string(out, static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(sizeof out) - 1)));
}

std::string versionText(const protocol::Version& v) {
    return std::to_string(v.a) + '.' + std::to_string(v.b) + '.' + std::to_string(v.c) + '.' + std::to_string(v.d);
}

}  // namespace

std::string_view kindName(Kind kind) {
    switch (kind) {
        case Kind::Ok: return "ok";
        case Kind::NoUnit: return "no-unit";
        case Kind::PortLost: return "port-lost";
        case Kind::OperationMode: return "operation-mode";
        case Kind::TypeLeftAlone: return "type-left-alone";
        case Kind::Discontinued: return "discontinued";
        case Kind::NeedsFirmware: return "needs-firmware";
        case Kind::FirmwareNotTaken: return "firmware-not-taken";
        case Kind::DidNotReturn: return "did-not-return";
        case Kind::OtherUnitReturned: return "other-unit-returned";
        case Kind::InvalidConfiguration: return "invalid-configuration";
        case Kind::Refused: return "refused";
        case Kind::Timeout: return "timeout";
        case Kind::ReadBackDiffers: return "read-back-differs";
        case Kind::Interrupted: return "interrupted";
    }
    return "unknown";
}

// Where a unit is on its road.
enum class Stage { Idle, Backup, Firmware, Restarting, Read, Write, Verify };

struct Session::Impl {
    Impl(transfer::Port& l, View& v) : link(l), view(v), receiver(counters), transfer(l, counters), read(l, counters) {}

    transfer::Port& link;
    View& view;
    Options options;
    Plan plan = Plan::window();
    config::FormModel form;
    Counters counters;
    protocol::Receiver receiver;
    transfer::BlockTransfer transfer;
    transfer::ConfigRead read;

    // The unit as it last identified itself.
    protocol::Identification unit;
    bool identificationDone = false;

    // The production list: the identifier listed last.
    protocol::UnitId lastListedId{};

    // The road of the unit now on the port.
    bool active = false;
    Plan road;
    Stage stage = Stage::Idle;
    Outcome outcome;
    // The unit that left to restart with new firmware.
    protocol::Identification leaving;
    // The step the backup read was taken for, and whether this road tried it.
    Stage afterBackup = Stage::Idle;
    bool backupTried = false;
    // The view asked the road to wait after the identification.
    bool held = false;

    // The record being written; kept apart from the read's buffer so that a
    // refused write can never touch bytes a running transfer still sends.
    config::Image writeImage{};
    config::Image readImage{};

    void show(const config::FormModel& f) {
        form = f;
        view.showForm(form);
    }

    void dispatch(const Frame& frame);
    void identification(const Frame& frame);
    void begin(const protocol::Identification& ident);
    // The road after the identification: firmware, read, write.
    void proceed();
    void returned(const protocol::Identification& ident);
    void operationMode(const protocol::Identification* ident);
    bool listIfDue(const protocol::Identification& ident);

    bool backupBefore(Stage next);
    void backupEnded(bool answered);
    void firmware();
    void afterFirmware();
    void writePlanned();
    void writeRaw(const config::Image& image);
    void getConfig();
    void write(const config::FormModel& form);

    void settleTransfer(PacedOutcome paced);
    void settleRead(PacedOutcome paced);
    void transferSucceeded();
    void applyReadImage();
    void verifyReadBack();
    void failed(Operation operation, const transfer::Failure& failure);
    void writeSucceeded();
    void end(Kind kind, const std::string& boxText = {});
    Operation operation() const;
};

// --- receiving ----------------------------------------------------------

void Session::Impl::dispatch(const Frame& frame) {
    if (!frame.forTool()) {
        view.appendLog(protocol::texts::kWrongDestination);
        return;
    }
    switch (frame.code) {
        case protocol::RspAck:
            if (frame.payload.size() >= 2) settleTransfer(transfer.onAck(protocol::getU16(frame.payload, 0)));
            break;
        case protocol::RspNack:
            settleTransfer(transfer.onNack());
            break;
        case protocol::RspIdentification:
            identification(frame);
            break;
        case protocol::RspConfigData:
            settleRead(read.onData(frame.payload));
            break;
        case protocol::RspOperationMode:
            operationMode(nullptr);
            break;
        default:
            break;
    }
}

void Session::Impl::settleTransfer(PacedOutcome paced) {
    if (paced == PacedOutcome::Completed) transferSucceeded();
    if (paced == PacedOutcome::Failed)
        failed(transfer.state().kind == transfer::KindFirmware ? Operation::Firmware : Operation::Write,
               transfer.failure());
}

void Session::Impl::settleRead(PacedOutcome paced) {
    if (stage == Stage::Backup) {
        if (paced == PacedOutcome::Completed) backupEnded(true);
        // A port that closed fails the road; a unit that stays silent to the
        // read (some old firmware) does not hold up what follows.
        if (paced == PacedOutcome::Failed && read.failure().noConnection) failed(Operation::Read, read.failure());
        else if (paced == PacedOutcome::Failed) backupEnded(false);
        return;
    }
    if (paced == PacedOutcome::Completed) stage == Stage::Verify ? verifyReadBack() : applyReadImage();
    if (paced == PacedOutcome::Failed) failed(stage == Stage::Verify ? Operation::Verify : Operation::Read, read.failure());
}

// --- the road -------------------------------------------------------------

void Session::Impl::identification(const Frame& frame) {
    if (identificationDone) return;
    const auto ident = protocol::parseIdentification(frame.payload);
    if (!ident) return;
    if (ident->operationMode()) {
        operationMode(&*ident);
        return;  // identification stays armed
    }
    view.appendLog(protocol::versionLine(*ident));
    if (active && stage == Stage::Restarting)
        returned(*ident);
    else
        begin(*ident);
}

bool Session::Impl::listIfDue(const protocol::Identification& ident) {
    if (!protocol::shouldList(ident, lastListedId)) return false;
    lastListedId = ident.id;
    return true;
}

void Session::Impl::begin(const protocol::Identification& ident) {
    unit = ident;
    identificationDone = true;
    active = true;
    road = plan;
    stage = Stage::Idle;
    backupTried = false;
    outcome = Outcome{};
    outcome.unit = ident;
    held = false;
    view.identified(unit, listIfDue(unit));
    if (!active || held) return;  // the view left it alone, or holds it
    proceed();
}

void Session::Impl::proceed() {
    switch (protocol::nextStep(unit)) {
        case protocol::NextStep::Nothing:
        case protocol::NextStep::OperationMode: {
            const std::string line = format(texts::kTypeLeftAlone, int(unit.version.a));
            view.appendWarning(line);
            end(Kind::TypeLeftAlone);
            return;
        }
        case protocol::NextStep::DiscontinuedThenRead:
            view.appendWarning(protocol::texts::kDiscontinued);
            outcome.discontinued = true;
            // A plan that is about firmware alone has nothing left to do.
            if (road.firmware != FirmwarePolicy::Never && !road.read && !road.writes()) {
                view.appendWarning(format(texts::kNoFirmwareForType, int(unit.version.a)));
                end(Kind::Discontinued);
                return;
            }
            afterFirmware();
            return;
        case protocol::NextStep::UpdateFirmware:
            if (road.firmware != FirmwarePolicy::Never) {
                firmware();
            } else if (road.writes()) {
                view.appendWarning(texts::kNeedsFirmware);
                end(Kind::NeedsFirmware);
            } else {
                afterFirmware();
            }
            return;
        case protocol::NextStep::UpToDateThenRead:
            if (road.firmware == FirmwarePolicy::Always) {
                firmware();
                return;
            }
            view.appendLog(protocol::texts::kUpToDate);
            afterFirmware();
            return;
    }
}

void Session::Impl::returned(const protocol::Identification& ident) {
    stage = Stage::Idle;
    if (ident.id != leaving.id) {
        outcome.returned = ident.id;
        const std::string line = format(texts::kOtherUnitReturned, protocol::idListLine(ident.id).c_str(),
                                        protocol::idListLine(leaving.id).c_str());
        view.appendWarning(line);
        end(Kind::OtherUnitReturned, line);
        // The newcomer is a unit of its own, with a road of its own.
        if (link.portOpen()) begin(ident);
        return;
    }
    unit = ident;
    outcome.unit = ident;
    outcome.versionAfter = ident.version;
    identificationDone = true;
    if (protocol::nextStep(ident) == protocol::NextStep::UpdateFirmware) {
        const std::string line = format(texts::kFirmwareNotTaken, versionText(ident.version).c_str());
        view.appendWarning(line);
        end(Kind::FirmwareNotTaken, line);
        return;
    }
    view.appendLog(transfer::texts::kSucceeded);
    view.appendLog("");
    view.identified(unit, listIfDue(unit));
    if (!active) return;
    if (road.read) view.appendLog(protocol::texts::kUpToDate);
    afterFirmware();
}

void Session::Impl::operationMode(const protocol::Identification* ident) {
    // A unit in operation mode takes nothing, and its port is about to close:
    // whatever ran is abandoned here rather than failing against the close.
    transfer.stop();
    read.stop();
    // What to do next names the platform and the port, so the views word
    // it from the outcome.
    view.startDeferredClose();
    if (!active) {
        outcome = Outcome{};
        outcome.unit = ident ? *ident : unit;
        active = true;
    }
    end(Kind::OperationMode);
}

bool Session::Impl::backupBefore(Stage next) {
    if (!road.backupFirst || backupTried || outcome.read) return false;
    backupTried = true;
    afterBackup = next;
    stage = Stage::Backup;
    outcome.operation = Operation::Read;
    view.appendLog(texts::kBackupReading);
    settleRead(read.start(unit.configBase, false));
    return true;
}

void Session::Impl::backupEnded(bool answered) {
    if (answered) {
        outcome.before = read.image();
        view.configurationRead(unit, *outcome.before);
    } else {
        view.appendWarning(texts::kBackupUnanswered);
    }
    if (!active) return;
    const Stage next = afterBackup;
    afterBackup = Stage::Idle;
    stage = Stage::Idle;
    if (next == Stage::Firmware)
        firmware();
    else
        writePlanned();
}

void Session::Impl::firmware() {
    if (backupBefore(Stage::Firmware)) return;
    read.stop();
    stage = Stage::Firmware;
    outcome.operation = Operation::Firmware;
    outcome.versionBefore = unit.version;
    settleTransfer(transfer.TxInit(transfer::KindFirmware, transfer::firmwareImage(), transfer::kFirmwareCheckXor,
                                   transfer::kFirmwareCheckSum));
}

void Session::Impl::afterFirmware() {
    if (road.read)
        getConfig();
    else if (road.writes())
        writePlanned();
    else
        end(Kind::Ok);
}

void Session::Impl::writePlanned() {
    if (backupBefore(Stage::Write)) return;
    if (road.writeImage)
        writeRaw(*road.writeImage);
    else
        write(*road.write);
}

void Session::Impl::writeRaw(const config::Image& image) {
    outcome.operation = Operation::Write;
    read.stop();
    stage = Stage::Write;
    writeImage = image;
    settleTransfer(transfer.TxInit(transfer::KindConfiguration, writeImage, config::checkXor(writeImage),
                                   config::checkSum(writeImage)));
}

void Session::Impl::getConfig() {
    transfer.stop();
    stage = Stage::Read;
    outcome.operation = Operation::Read;
    config::FormModel cleared = form;
    cleared.ping = cleared.a232 = cleared.b232 = -1;
    show(cleared);
    settleRead(read.start(unit.configBase));
}

void Session::Impl::write(const config::FormModel& f) {
    config::Image image{};
    outcome.operation = Operation::Write;
    if (const auto fault = config::encode(f, image)) {
        if (fault->field != config::FieldCount) {
            config::FormModel emptied = f;
            config::emptyField(emptied, *fault);
            show(emptied);
        }
        outcome.fault = *fault;
        // The refusal as it has always read, and what the field takes on a
        // line of its own.
        std::string text = config::faultMessage(*fault);
        if (const std::string allowed = config::allowedText(*fault); !allowed.empty()) text += "\r\n" + allowed;
        outcome.box = Box{text, config::text::kFaultCaption, BoxIcon::Warning};
        end(Kind::Refused);
        return;
    }
    writeRaw(image);
}

void Session::Impl::transferSucceeded() {
    if (transfer.state().kind == transfer::KindFirmware) {
        // Nothing is updated until the unit, restarted, says so.
        outcome.firmwareSent = true;
        stage = Stage::Restarting;
        leaving = unit;
        identificationDone = false;
        view.appendLog(texts::kRestarting);
        view.restarting(unit);
        return;
    }
    outcome.written = true;
    if (!road.verify) {
        view.appendLog(transfer::texts::kSucceeded);
        writeSucceeded();
        return;
    }
    stage = Stage::Verify;
    outcome.operation = Operation::Verify;
    settleRead(read.start(unit.configBase, false));
}

void Session::Impl::applyReadImage() {
    readImage = read.image();
    config::FormModel decoded = form;
    const int faults = config::decode(readImage, decoded, options.norvale);
    show(decoded);
    outcome.read = true;
    outcome.image = readImage;
    outcome.form = decoded;
    outcome.faults = faults;
    view.configurationRead(unit, readImage);
    if (!active) return;
    if (faults == 0) {
        view.appendLog(texts::kReadDone);
        if (road.writes())
            writePlanned();
        else
            end(Kind::Ok);
        return;
    }
    view.appendWarning(texts::kInvalidConfiguration);
    if (!road.replaceInvalid) {
        // Reported, never replaced: the plan did not ask for it.
        end(Kind::InvalidConfiguration);
        return;
    }
    if (options.norvale) {
        view.appendLog(texts::kPreparingNorvale);
        config::applyNorvale(decoded);
        outcome.preset = "norvale";
    } else {
        view.appendLog(texts::kPreparingDefaults);
        config::applyDefaults(decoded);
        outcome.preset = "default";
    }
    show(decoded);
    write(decoded);
}

void Session::Impl::verifyReadBack() {
    readImage = read.image();
    const auto diff = std::mismatch(writeImage.begin(), writeImage.end(), readImage.begin());
    if (diff.first == writeImage.end()) {
        view.appendLog(transfer::texts::kSucceeded);
        view.appendLog(texts::kVerified);
        outcome.verified = true;
        writeSucceeded();
        return;
    }
    const long offset = diff.first - writeImage.begin();
    outcome.mismatchAt = offset;
    outcome.wroteByte = *diff.first;
    outcome.readByte = *diff.second;
    const std::string line = format(texts::kVerifyMismatch, offset, int(*diff.first), int(*diff.second));
    view.appendWarning(line);
    end(Kind::ReadBackDiffers, line);
}

void Session::Impl::writeSucceeded() {
    if (options.closeAfterConfigure && protocol::isCurrentRelease(unit.version)) {
        outcome.closesPort = true;
        view.startDeferredClose();
    }
    end(Kind::Ok);
}

void Session::Impl::failed(Operation op, const transfer::Failure& failure) {
    const char* line = texts::kReadInterrupted;
    if (op == Operation::Firmware) line = texts::kFirmwareInterrupted;
    if (op == Operation::Write) line = texts::kWriteInterrupted;
    if (op == Operation::Verify) line = texts::kVerifyFailed;
    view.appendWarning(line);
    outcome.operation = op;
    outcome.box = Box{failure.text, failure.caption, boxIcon(failure.icon)};
    end(failure.noConnection ? Kind::PortLost : Kind::Timeout);
}

void Session::Impl::end(Kind kind, const std::string& boxText) {
    if (!active) return;
    active = false;
    held = false;
    stage = Stage::Idle;
    outcome.kind = kind;
    outcome.counters = counters;
    if (!boxText.empty() && !outcome.box) outcome.box = Box{boxText, texts::kErrorCaption, BoxIcon::Warning};
    const Outcome ended = std::move(outcome);
    outcome = Outcome{};
    view.finished(ended);
}

Operation Session::Impl::operation() const {
    if (transfer.running()) return transfer.state().kind == transfer::KindFirmware ? Operation::Firmware : Operation::Write;
    if (read.running()) return stage == Stage::Verify ? Operation::Verify : Operation::Read;
    return Operation::None;
}

// --- the controller's calls -------------------------------------------------

Session::Session(transfer::Port& link, View& view) : d_(std::make_unique<Impl>(link, view)) {}
Session::~Session() = default;

void Session::setTransferSeed(std::uint32_t seed) { d_->transfer.setSeed(seed); }
void Session::setOptions(const Options& options) { d_->options = options; }
const Options& Session::options() const { return d_->options; }
void Session::setPlan(const Plan& plan) { d_->plan = plan; }
const Plan& Session::plan() const { return d_->plan; }
void Session::setForm(const config::FormModel& form) { d_->form = form; }
const config::FormModel& Session::form() const { return d_->form; }

void Session::portOpened() {
    d_->transfer.stop();
    d_->read.stop();
    d_->receiver.reset();
    d_->identificationDone = false;
    if (awaitingReturn()) return;  // the port came back under a restarting unit
    d_->active = false;
    d_->stage = Stage::Idle;
    // Nothing of the previous unit stays on the form.
    config::FormModel cleared;
    d_->show(cleared);
}

void Session::bytesArrived(std::span<const std::uint8_t> bytes) {
    for (const Frame& frame : d_->receiver.feed(bytes)) d_->dispatch(frame);
}

bool Session::partialFramePending() const { return d_->receiver.pending(); }

void Session::partialFrameExpired() {
    auto expiry = d_->receiver.expire();
    // A lost acknowledgement often shows as such a fragment: resend sooner.
    if (expiry.shortFragment && d_->transfer.timerEnabled()) d_->settleTransfer(d_->transfer.Timer1Timer());
    for (const Frame& frame : expiry.frames) d_->dispatch(frame);
}

void Session::timer1Tick() {
    if (d_->transfer.timerEnabled()) d_->settleTransfer(d_->transfer.Timer1Timer());
}

void Session::timer3Tick() {
    if (d_->read.timerEnabled()) d_->settleRead(d_->read.Timer3Timer());
}

void Session::returnExpired() {
    if (!awaitingReturn()) return;
    d_->identificationDone = true;  // a late announcement starts nothing
    d_->view.appendWarning(texts::kDidNotReturn);
    d_->end(Kind::DidNotReturn, texts::kDidNotReturn);
}

bool Session::awaitingReturn() const { return d_->active && d_->stage == Stage::Restarting; }

void Session::leaveAlone() {
    d_->active = false;
    d_->held = false;
    d_->stage = Stage::Idle;
}

void Session::hold() {
    if (d_->active && d_->stage == Stage::Idle) d_->held = true;
}

void Session::go() {
    if (!holding()) return;
    d_->held = false;
    d_->proceed();
}

bool Session::holding() const { return d_->active && d_->held; }

void Session::setConfig(const config::FormModel& form) {
    d_->form = form;
    config::Image image{};
    if (config::encode(form, image)) {
        // Refused before anything is sent: said on its own, and whatever
        // runs goes on to its own end.
        Impl& d = *d_;
        const bool wasActive = d.active;
        const Plan road = d.road;
        const Stage stage = d.stage;
        Outcome running = std::move(d.outcome);
        d.active = true;
        d.outcome = Outcome{};
        d.outcome.unit = d.unit;
        d.write(form);  // ends Refused
        d.active = wasActive;
        d.road = road;
        d.stage = stage;
        d.outcome = std::move(running);
        return;
    }
    // A write by hand is a road of its own, for the unit on the port.
    d_->active = true;
    d_->road = Plan::writeOnly(form, true);
    d_->outcome = Outcome{};
    d_->outcome.unit = d_->unit;
    d_->writeRaw(image);
}

void Session::restore(const config::Image& image) {
    d_->active = true;
    d_->road = Plan::writeImageOnly(image, true);
    d_->outcome = Outcome{};
    d_->outcome.unit = d_->unit;
    d_->writeRaw(image);
}

void Session::jump() {
    if (d_->link.portOpen()) d_->link.write(protocol::jumpFrame());
}

void Session::remoteCommandList(const config::FormModel& form) {
    config::FormModel listed = form;
    const std::vector<std::string> lines = config::remoteCommands(listed);
    d_->view.clearLog();
    d_->view.appendLog(config::kRemoteHeading);
    for (const std::string& line : lines) d_->view.appendLog(line);
    d_->show(listed);
}

void Session::clearIdList() { d_->lastListedId = {}; }

const Counters& Session::counters() const { return d_->counters; }
bool Session::identificationDone() const { return d_->identificationDone; }
const protocol::Identification& Session::unit() const { return d_->unit; }
Operation Session::operation() const { return d_->operation(); }

}  // namespace vek::session
