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

namespace vek::session {

using protocol::Frame;
using transfer::Outcome;

namespace {

BoxIcon boxIcon(transfer::FailureIcon icon) {
    switch (icon) {
        case transfer::FailureIcon::Warning: return BoxIcon::Warning;
        case transfer::FailureIcon::Information: return BoxIcon::Information;
        case transfer::FailureIcon::None: break;
    }
    return BoxIcon::None;
}

std::string format(const char* pattern, long a, int b, int c) {
    char out[256];
    const int n = std::snprintf(out, sizeof out, pattern, a, b, c);
    return std::string(out, static_cast<std::size_t>(std::max(n, 0)));
}

}  // namespace

struct Session::Impl {
    Impl(transfer::Port& l, View& v) : link(l), view(v), receiver(counters), transfer(l, counters), read(l, counters) {}

    transfer::Port& link;
    View& view;
    Options options;
    config::FormModel form;
    Counters counters;
    protocol::Receiver receiver;
    transfer::BlockTransfer transfer;
    transfer::ConfigRead read;

    // The unit as it last identified itself.
    protocol::Identification unit;
    bool identificationDone = false;

    // The production list.
    protocol::UnitId lastListedId{};
    int listedCount = 0;

    // The record being written; kept apart from the read's buffer so that a
    // refused write can never touch bytes a running transfer still sends.
    config::Image writeImage{};
    config::Image readImage{};
    // The running read checks a write rather than fetching the record.
    bool verifying = false;

    void show(const config::FormModel& f) {
        form = f;
        view.showForm(form);
    }

    void dispatch(const Frame& frame);
    void identification(const Frame& frame);
    void operationMode();
    void settleTransfer(Outcome outcome);
    void settleRead(Outcome outcome);
    void transferSucceeded();
    void failed(Operation operation, const transfer::Failure& failure);
    void applyReadImage();
    void verifyReadBack();
    void writeEnded(bool ok, std::string reason, long mismatchAt);

    void getConfig();
    void write(const config::FormModel& form);
    void firmwareUpdate();
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
            operationMode();
            break;
        default:
            break;
    }
}

void Session::Impl::settleTransfer(Outcome outcome) {
    if (outcome == Outcome::Completed) transferSucceeded();
    if (outcome == Outcome::Failed)
        failed(transfer.state().kind == transfer::KindFirmware ? Operation::Firmware : Operation::Write,
               transfer.failure());
}

void Session::Impl::settleRead(Outcome outcome) {
    if (outcome == Outcome::Completed) verifying ? verifyReadBack() : applyReadImage();
    if (outcome == Outcome::Failed) failed(verifying ? Operation::Verify : Operation::Read, read.failure());
}

void Session::Impl::failed(Operation op, const transfer::Failure& failure) {
    view.showBox({failure.text, failure.caption, boxIcon(failure.icon)});
    const char* line = texts::kReadInterrupted;
    if (op == Operation::Firmware) line = texts::kFirmwareInterrupted;
    if (op == Operation::Write) line = texts::kWriteInterrupted;
    if (op == Operation::Verify) line = texts::kVerifyFailed;
    view.appendWarning(line);
    // A read-back that failed leaves the write unconfirmed: the write failed.
    view.finished({op == Operation::Verify ? Operation::Write : op, false, line, -1});
}

void Session::Impl::transferSucceeded() {
    if (transfer.state().kind == transfer::KindFirmware) {
        // The unit restarts with the new firmware and announces itself again;
        // that announcement must be handled in full.
        view.appendLog("");
        identificationDone = false;
        view.finished({Operation::Firmware, true, {}, -1});
        return;
    }
    view.setSetConfigEnabled(true);
    if (!options.verifyWrites) {
        writeEnded(true, {}, -1);
        return;
    }
    verifying = true;
    settleRead(read.start(unit.configBase, false));
}

void Session::Impl::verifyReadBack() {
    verifying = false;
    readImage = read.image();
    const auto diff = std::mismatch(writeImage.begin(), writeImage.end(), readImage.begin());
    if (diff.first == writeImage.end()) {
        view.appendLog(texts::kVerified);
        writeEnded(true, {}, -1);
        return;
    }
    const long offset = diff.first - writeImage.begin();
    const std::string line = format(texts::kVerifyMismatch, offset, *diff.first, *diff.second);
    view.appendWarning(line);
    writeEnded(false, line, offset);
}

void Session::Impl::writeEnded(bool ok, std::string reason, long mismatchAt) {
    if (ok && options.closeAfterConfigure && protocol::isCurrentRelease(unit.version)) {
        view.setPortListEnabled(true);
        view.startDeferredClose();
    }
    view.finished({Operation::Write, ok, std::move(reason), mismatchAt});
}

void Session::Impl::operationMode() {
    for (const char* line : protocol::texts::kOperationMode) view.appendLog(line);
    view.startDeferredClose();
    view.operationModeSeen();
}

void Session::Impl::identification(const Frame& frame) {
    if (identificationDone) return;
    const auto ident = protocol::parseIdentification(frame.payload);
    if (!ident) return;
    unit = *ident;

    const protocol::NextStep next = protocol::nextStep(unit);
    if (next == protocol::NextStep::OperationMode) {
        operationMode();
        return;  // identification stays armed
    }
    view.appendLog(protocol::versionLine(unit));

    if (protocol::shouldList(unit, lastListedId)) {
        ++listedCount;
        lastListedId = unit.id;
        view.appendIdList(protocol::idListLine(unit.id));
        view.setIdListCount(std::to_string(listedCount));
        view.setEdit1(protocol::idDigits(unit.id));
    }
    identificationDone = true;
    view.identified(unit);
    if (!options.followIdentification) return;

    switch (next) {
        case protocol::NextStep::DiscontinuedThenRead:
            view.appendWarning(protocol::texts::kDiscontinued);
            getConfig();
            break;
        case protocol::NextStep::UpdateFirmware:
            firmwareUpdate();
            break;
        case protocol::NextStep::UpToDateThenRead:
            view.appendLog(protocol::texts::kUpToDate);
            getConfig();
            break;
        case protocol::NextStep::OperationMode:
        case protocol::NextStep::Nothing:
            break;
    }
}

void Session::Impl::applyReadImage() {
    readImage = read.image();
    config::FormModel decoded = form;
    const int faults = config::decode(readImage, decoded, options.norvale);
    show(decoded);
    if (faults == 0) {
        view.appendLog(texts::kReadDone);
        view.setSetConfigEnabled(true);
        view.finished({Operation::Read, true, {}, -1});
        return;
    }
    view.appendWarning(texts::kInvalidConfiguration);
    if (!options.followIdentification) {
        // Reported, never replaced: whoever drives the session decides.
        view.finished({Operation::Read, false, texts::kInvalidConfiguration, -1});
        return;
    }
    if (options.norvale) {
        view.appendLog(texts::kPreparingNorvale);
        config::applyNorvale(decoded);
    } else {
        view.appendLog(texts::kPreparingDefaults);
        config::applyDefaults(decoded);
    }
    show(decoded);
    write(decoded);
}

// --- operations -----------------------------------------------------------

Operation Session::Impl::operation() const {
    if (transfer.running()) return transfer.state().kind == transfer::KindFirmware ? Operation::Firmware : Operation::Write;
    if (read.running()) return verifying ? Operation::Verify : Operation::Read;
    return Operation::None;
}

void Session::Impl::getConfig() {
    transfer.stop();
    verifying = false;
    config::FormModel cleared = form;
    cleared.ping = cleared.a232 = cleared.b232 = -1;
    show(cleared);
    settleRead(read.start(unit.configBase));
}

void Session::Impl::write(const config::FormModel& f) {
    config::Image image{};
    if (const auto fault = config::encode(f, image)) {
        view.showBox({config::faultMessage(*fault), config::text::kFaultCaption, BoxIcon::Warning});
        if (fault->field != config::FieldCount) {
            config::FormModel emptied = f;
            config::emptyField(emptied, *fault);
            show(emptied);
        }
        view.finished({Operation::Write, false, config::faultMessage(*fault), -1});
        return;
    }
    read.stop();
    verifying = false;
    writeImage = image;
    settleTransfer(transfer.TxInit(transfer::KindConfiguration, writeImage, config::checkXor(writeImage),
                                   config::checkSum(writeImage)));
}

void Session::Impl::firmwareUpdate() {
    if (!protocol::updatableType(unit.version.a)) return;
    read.stop();
    verifying = false;
    settleTransfer(transfer.TxInit(transfer::KindFirmware, transfer::firmwareImage(), transfer::kFirmwareCheckXor,
                                   transfer::kFirmwareCheckSum));
}

// --- the controller's calls -------------------------------------------------

Session::Session(transfer::Port& link, View& view) : d_(std::make_unique<Impl>(link, view)) {}
Session::~Session() = default;

void Session::setTransferSeed(std::uint32_t seed) { d_->transfer.setSeed(seed); }
void Session::setOptions(const Options& options) { d_->options = options; }
const Options& Session::options() const { return d_->options; }
void Session::setForm(const config::FormModel& form) { d_->form = form; }
const config::FormModel& Session::form() const { return d_->form; }

void Session::portOpened() {
    d_->transfer.stop();
    d_->read.stop();
    d_->verifying = false;
    d_->receiver.reset();
    d_->identificationDone = false;
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

void Session::getConfig() { d_->getConfig(); }
void Session::setConfig(const config::FormModel& form) {
    d_->form = form;
    d_->write(form);
}
void Session::firmwareUpdate() { d_->firmwareUpdate(); }

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

void Session::clearIdList() {
    d_->lastListedId = {};
    d_->listedCount = 0;
}

void Session::restoreIdList(int listedCount, const protocol::UnitId& lastListedId) {
    d_->listedCount = std::max(listedCount, 0);
    d_->lastListedId = lastListedId;
}

const Counters& Session::counters() const { return d_->counters; }
bool Session::identificationDone() const { return d_->identificationDone; }
const protocol::Identification& Session::unit() const { return d_->unit; }
Operation Session::operation() const { return d_->operation(); }
const config::Image& Session::readImage() const { return d_->readImage; }

UnitVersion Session::unitVersion() const {
    const protocol::Version& v = d_->unit.version;
    return {v.a, v.b, v.c, v.d};
}

}  // namespace vek::session
