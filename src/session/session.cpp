#include "session/session.h"

#include <algorithm>
#include <string>

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
        case Kind::Busy: return "busy";
        case Kind::OtherUnit: return "other-unit";
        case Kind::NotIdentified: return "not-identified";
        case Kind::CopyNotKept: return "copy-not-kept";
        case Kind::InvalidCopy: return "invalid-copy";
    }
    return "unknown";
}


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
    // That unit identified itself on this connection and is on the port
    // (not away restarting, not lost to a restart that never came back).
    bool unitHere = false;

    // The production list: the identifier listed last.
    protocol::UnitId lastListedId{};

    // The road of the unit now on the port.
    bool active = false;
    Plan road;
    Stage stage = Stage::Idle;
    Stage shown = Stage::Idle;  // as the view was last told
    Outcome outcome;
    // The unit that left to restart with new firmware.
    protocol::Identification leaving;
    // The step the copy was taken for, and whether this road took it.
    Stage afterCopy = Stage::Idle;
    bool copyTried = false;
    // The view asked the road to wait after the identification.
    bool held = false;
    // The identification being announced is the unit back from its restart.
    bool returning = false;

    // What the unit holds, as this connection last read it or read it back
    // equal, and whether that image's copy is kept: a change then needs no
    // read of its own first.
    std::optional<config::Image> known;
    bool knownKept = false;

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

    void setStage(Stage next);
    void announceStage();
    bool copyBefore(Stage next);
    void keep(const config::Image& image, Stage next);
    void copyAnswered(const Copy& copy);
    void copyEnded();
    void backupUnanswered();
    Kind refusal(const protocol::UnitId& id, const Plan& asked) const;
    void startRequested(const Plan& asked);
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
    void readKept();
    void verifyReadBack();
    void failed(Operation operation, transfer::Failure failure);
    void writeSucceeded();
    void end(Kind kind);
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
    if (stage == Stage::Copy) {
        if (paced == PacedOutcome::Completed) {
            outcome.before = read.image();
            known = read.image();
            knownKept = false;
            keep(*known, afterCopy);
        }
        // A port that closed fails the road; a unit that stays silent to the
        // read (some old firmware, a unit in its loader) has nothing to keep
        // and does not hold up what follows.
        if (paced == PacedOutcome::Failed && read.failure() == transfer::Failure::NoConnection) failed(Operation::Read, read.failure());
        else if (paced == PacedOutcome::Failed) backupUnanswered();
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
    unitHere = true;
    active = true;
    road = plan;
    setStage(Stage::Idle);
    copyTried = false;
    outcome = Outcome{};
    outcome.unit = ident;
    held = false;
    view.identified(unit, listIfDue(unit));
    if (!active || held) {  // the view left it alone, or holds it
        announceStage();
        return;
    }
    proceed();
}

void Session::Impl::proceed() {
    switch (protocol::nextStep(unit)) {
        case protocol::NextStep::Nothing:
        case protocol::NextStep::OperationMode:
            end(Kind::TypeLeftAlone);
            return;
        case protocol::NextStep::DiscontinuedThenRead:
            view.appendWarning(protocol::texts::kDiscontinued);
            outcome.discontinued = true;
            // A plan that is about firmware alone has nothing left to do.
            if (road.firmware != FirmwarePolicy::Never && !road.read && !road.writes()) {
                end(Kind::Discontinued);
                return;
            }
            afterFirmware();
            return;
        case protocol::NextStep::UpdateFirmware:
            if (road.firmware != FirmwarePolicy::Never) {
                firmware();
            } else if (road.writes()) {
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
    setStage(Stage::Idle);
    if (ident.id != leaving.id) {
        outcome.returned = ident.id;
        end(Kind::OtherUnitReturned);
        // The newcomer is a unit of its own, with a road of its own.
        if (link.portOpen()) begin(ident);
        return;
    }
    unit = ident;
    outcome.unit = ident;
    outcome.versionAfter = ident.version;
    identificationDone = true;
    unitHere = true;
    if (protocol::nextStep(ident) == protocol::NextStep::UpdateFirmware) {
        end(Kind::FirmwareNotTaken);
        return;
    }
    view.appendLog(transfer::texts::kSucceeded);
    view.appendLog("");
    returning = true;
    view.identified(unit, listIfDue(unit));
    returning = false;
    if (!active) return;
    if (road.read) view.appendLog(protocol::texts::kUpToDate);
    afterFirmware();
}

void Session::Impl::operationMode(const protocol::Identification* ident) {
    // A unit in operation mode takes nothing, and its port is about to close:
    // whatever ran is abandoned here rather than failing against the close.
    unitHere = false;
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

void Session::Impl::setStage(Stage next) {
    stage = next;
    announceStage();
}

void Session::Impl::announceStage() {
    const Stage now = !active ? Stage::Idle : held ? Stage::Held : stage;
    if (now == shown) return;
    shown = now;
    view.stageMoved(now);
}

// Before a change: what the unit holds is kept first, read for it unless
// this connection already has it. True while the copy is under way (the
// road goes on from keep()).
bool Session::Impl::copyBefore(Stage next) {
    if (road.withoutCopy) {
        if (!outcome.copy) outcome.copy = Copy{.state = Copy::State::Skipped, .where = {}, .why = {}};
        return false;
    }
    if (copyTried) return false;
    copyTried = true;
    if (known && knownKept) {
        if (!outcome.copy) outcome.copy = Copy{.state = Copy::State::Kept, .where = {}, .why = {}};
        return false;
    }
    afterCopy = next;
    setStage(Stage::Copy);
    if (known) {
        keep(*known, next);
        return true;
    }
    outcome.operation = Operation::Read;
    view.appendLog(texts::kBackupReading);
    settleRead(read.start(unit.configBase, false));
    return true;
}

// Hands the image to the view to keep; the road goes on by its answer.
void Session::Impl::keep(const config::Image& image, Stage next) {
    afterCopy = next;
    setStage(Stage::Copy);
    copyAnswered(view.keepCopy(unit, image));
}

void Session::Impl::copyAnswered(const Copy& copy) {
    if (!active || stage != Stage::Copy) return;
    if (copy.state == Copy::State::Pending) return;  // Session::copyKept() goes on
    outcome.copy = copy;
    if (copy.state != Copy::State::NotKept) {
        knownKept = true;
    } else if ((afterCopy != Stage::Read || road.writes()) && !road.withoutCopy) {
        // A change whose copy could not be kept does not start. A read
        // alone, or one whose invalid image the road replaces with a preset
        // at once, goes ahead: the view has said where the copy failed.
        end(Kind::CopyNotKept);
        return;
    }
    copyEnded();
}

void Session::Impl::copyEnded() {
    const Stage next = afterCopy;
    afterCopy = Stage::Idle;
    setStage(Stage::Idle);
    if (next == Stage::Firmware)
        firmware();
    else if (next == Stage::Read)
        readKept();
    else
        writePlanned();
}

void Session::Impl::backupUnanswered() {
    view.appendWarning(texts::kBackupUnanswered);
    outcome.copy = Copy{.state = Copy::State::NotKept, .where = {}, .why = "no-answer"};
    if (!active) return;
    copyEnded();
}

void Session::Impl::firmware() {
    if (copyBefore(Stage::Firmware)) return;
    read.stop();
    known.reset();
    setStage(Stage::Firmware);
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
    if (road.writeImage && !road.allowInvalid) {
        config::FormModel decoded;
        if (config::decode(*road.writeImage, decoded, false) != 0) {
            outcome.operation = Operation::Write;
            end(Kind::InvalidCopy);
            return;
        }
    }
    if (copyBefore(Stage::Write)) return;
    if (road.writeImage)
        writeRaw(*road.writeImage);
    else
        write(*road.write);
}

void Session::Impl::writeRaw(const config::Image& image) {
    outcome.operation = Operation::Write;
    read.stop();
    // From the first block on, what the unit holds is no longer known.
    known.reset();
    knownKept = false;
    setStage(Stage::Write);
    writeImage = image;
    settleTransfer(transfer.TxInit(transfer::KindConfiguration, writeImage, config::checkXor(writeImage),
                                   config::checkSum(writeImage)));
}

void Session::Impl::getConfig() {
    transfer.stop();
    setStage(Stage::Read);
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
        end(Kind::Refused);
        return;
    }
    writeRaw(image);
}

void Session::Impl::transferSucceeded() {
    if (transfer.state().kind == transfer::KindFirmware) {
        // Nothing is updated until the unit, restarted, says so.
        outcome.firmwareSent = true;
        setStage(Stage::Restarting);
        leaving = unit;
        identificationDone = false;
        unitHere = false;
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
    setStage(Stage::Verify);
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
    known = readImage;
    knownKept = false;
    // Every read is kept, and it is the copy a change after it needs.
    copyTried = true;
    keep(readImage, Stage::Read);
}

void Session::Impl::readKept() {
    if (!active) return;
    const int faults = outcome.faults;
    config::FormModel decoded = outcome.form;
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
        // The unit holds what was read back: kept like a read, and a change
        // after it needs no read of its own.
        known = readImage;
        const Copy copy = view.keepCopy(unit, readImage);
        knownKept = copy.state == Copy::State::Kept;
        if (road.writeImage) {
            // What was put back shows as the unit now holds it (an invalid
            // image's valid fields, its faults counted), never replaced.
            // Starting from an empty form: nothing of what the form held
            // before stays where the image decodes to nothing.
            config::FormModel decoded;
            outcome.faults = config::decode(readImage, decoded, false);
            config::Image check{};
            for (int field = 0; outcome.faults > 0 && field < config::FieldCount; ++field) {
                const auto fault = config::encode(decoded, check);
                if (!fault || fault->field == config::FieldCount) break;
                config::emptyField(decoded, *fault);
            }
            outcome.read = true;
            outcome.image = readImage;
            outcome.form = decoded;
            show(decoded);
        }
        writeSucceeded();
        return;
    }
    const long offset = diff.first - writeImage.begin();
    outcome.mismatchAt = offset;
    outcome.wroteByte = *diff.first;
    outcome.readByte = *diff.second;
    end(Kind::ReadBackDiffers);
}

void Session::Impl::writeSucceeded() {
    if (options.closeAfterConfigure && protocol::isCurrentRelease(unit.version)) {
        outcome.closesPort = true;
        view.startDeferredClose();
    }
    end(Kind::Ok);
}

void Session::Impl::failed(Operation op, transfer::Failure failure) {
    outcome.operation = op;
    end(failure == transfer::Failure::NoConnection ? Kind::PortLost : Kind::Timeout);
}

void Session::Impl::end(Kind kind) {
    if (!active) return;
    active = false;
    held = false;
    afterCopy = Stage::Idle;
    setStage(Stage::Idle);
    outcome.kind = kind;
    outcome.counters = counters;
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
    d_->unitHere = false;
    if (awaitingReturn()) return;  // the port came back under a restarting unit
    d_->known.reset();
    d_->knownKept = false;
    d_->active = false;
    d_->held = false;
    d_->setStage(Stage::Idle);
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
    d_->end(Kind::DidNotReturn);
}

void Session::noAnswer() {
    Impl& d = *d_;
    if (d.identificationDone || d.active) return;
    d.active = true;
    d.outcome = Outcome{};
    d.end(Kind::NoUnit);
}

void Session::interrupt() {
    Impl& d = *d_;
    const Operation running = d.operation();
    const bool restarting = awaitingReturn();
    d.transfer.stop();
    d.read.stop();
    if (!d.active) {
        d.active = true;
        d.outcome = Outcome{};
        d.outcome.unit = d.unit;
    }
    d.outcome.operation = running;
    d.outcome.firmwareSent = restarting;
    d.unitHere = false;
    d.end(Kind::Interrupted);
}

void Session::portLost() {
    Impl& d = *d_;
    if (d.operation() != Operation::None || awaitingReturn()) return;
    // A road that ended has nothing left to end.
    if (!d.active && d.identificationDone) return;
    if (!d.active) {
        d.active = true;
        d.outcome = Outcome{};
        if (d.unitHere) d.outcome.unit = d.unit;
    }
    d.unitHere = false;
    d.end(Kind::PortLost);
}

bool Session::awaitingReturn() const { return d_->active && d_->stage == Stage::Restarting; }
bool Session::returning() const { return d_->returning; }

void Session::leaveAlone() {
    d_->active = false;
    d_->held = false;
    d_->setStage(Stage::Idle);
}

void Session::hold() {
    if (d_->active && d_->stage == Stage::Idle) d_->held = true;
    d_->announceStage();
}

void Session::go() {
    if (!holding()) return;
    d_->held = false;
    d_->announceStage();
    d_->proceed();
}

void Session::copyKept(const Copy& copy) {
    if (copy.state == Copy::State::Pending) return;
    d_->copyAnswered(copy);
}

Stage Session::stage() const { return d_->shown; }
bool Session::busy() const { return d_->active; }
const Plan& Session::road() const { return d_->road; }

// Actions on a unit name it; one plan runs at a time, and only for the
// unit that identified itself on this connection, in maintenance mode, with
// the firmware a change needs.
Kind Session::Impl::refusal(const protocol::UnitId& id, const Plan& asked) const {
    if (active) return Kind::Busy;
    if (!unitHere || !link.portOpen()) return Kind::NotIdentified;
    if (id != unit.id) return Kind::OtherUnit;
    switch (protocol::nextStep(unit)) {
        case protocol::NextStep::Nothing:
        case protocol::NextStep::OperationMode: return Kind::TypeLeftAlone;
        case protocol::NextStep::UpdateFirmware:
            if (asked.writes() && asked.firmware == FirmwarePolicy::Never) return Kind::NeedsFirmware;
            break;
        case protocol::NextStep::DiscontinuedThenRead:
            if (asked.firmware == FirmwarePolicy::Always) return Kind::Discontinued;
            break;
        case protocol::NextStep::UpToDateThenRead: break;
    }
    return Kind::Ok;
}

void Session::Impl::startRequested(const Plan& asked) {
    active = true;
    held = false;
    road = asked;
    copyTried = false;
    outcome = Outcome{};
    outcome.unit = unit;
    const bool flash = asked.firmware == FirmwarePolicy::Always ||
                       (asked.firmware == FirmwarePolicy::WhenNeeded &&
                        protocol::nextStep(unit) == protocol::NextStep::UpdateFirmware);
    if (flash)
        firmware();
    else
        afterFirmware();
}

Kind Session::request(const protocol::UnitId& unit, const Plan& plan) {
    const Kind refused = d_->refusal(unit, plan);
    if (refused != Kind::Ok) return refused;
    d_->startRequested(plan);
    return Kind::Ok;
}

bool Session::holding() const { return d_->active && d_->held; }

Kind Session::setConfig(const protocol::UnitId& unit, const config::FormModel& form) {
    d_->form = form;
    const Plan asked = Plan::writeOnly(form, true);
    if (const Kind refused = d_->refusal(unit, asked); refused != Kind::Ok) return refused;
    config::Image image{};
    if (config::encode(form, image)) {
        // Refused before anything is sent: a road of its own that ends at once.
        Impl& d = *d_;
        d.active = true;
        d.road = asked;
        d.outcome = Outcome{};
        d.outcome.unit = d.unit;
        d.write(form);  // ends Refused
        return Kind::Ok;
    }
    // A write by hand is a road of its own, for the unit on the port.
    d_->startRequested(asked);
    return Kind::Ok;
}

Kind Session::restore(const protocol::UnitId& unit, const config::Image& image, bool allowInvalid) {
    Plan asked = Plan::writeImageOnly(image, true);
    asked.allowInvalid = allowInvalid;
    if (const Kind refused = d_->refusal(unit, asked); refused != Kind::Ok) return refused;
    config::FormModel decoded;
    if (!allowInvalid && config::decode(image, decoded, false) != 0) return Kind::InvalidCopy;
    d_->startRequested(asked);
    return Kind::Ok;
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
bool Session::unitHere() const { return d_->unitHere && d_->link.portOpen(); }
Operation Session::operation() const { return d_->operation(); }

}  // namespace vek::session
