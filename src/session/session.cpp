#include "session/session.h"

#include <string>

#include "config/config_image.h"
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

struct Session::Impl {
    explicit Impl(Host& h) : host(h), receiver(counters), transfer(h, counters), read(h, counters) {}

    Host& host;
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

    void dispatch(const Frame& frame);
    void identification(const Frame& frame);
    void operationMode();
    void acknowledged(const Frame& frame);
    void configurationData(const Frame& frame);
    void transferSucceeded();
    void applyReadImage();

    void getConfig();
    void write(const config::FormModel& form);
    void firmwareUpdate();
};

// --- receiving ----------------------------------------------------------

void Session::Impl::dispatch(const Frame& frame) {
    if (!frame.forTool()) {
        host.appendLog(protocol::texts::kWrongDestination);
        return;
    }
    switch (frame.code) {
        case protocol::RspAck:
            acknowledged(frame);
            break;
        case protocol::RspNack:
            transfer.onNack();
            break;
        case protocol::RspIdentification:
            identification(frame);
            break;
        case protocol::RspConfigData:
            configurationData(frame);
            break;
        case protocol::RspOperationMode:
            operationMode();
            break;
        default:
            break;
    }
}

void Session::Impl::acknowledged(const Frame& frame) {
    if (frame.payload.size() < 2) return;
    if (transfer.onAck(protocol::getU16(frame.payload, 0)) == transfer::BlockTransfer::AckOutcome::Completed) {
        transferSucceeded();
    }
}

void Session::Impl::transferSucceeded() {
    if (transfer.state().kind == transfer::KindFirmware) {
        // The unit restarts with the new firmware and announces itself again;
        // that announcement must be handled in full.
        host.appendLog("");
        identificationDone = false;
        return;
    }
    host.setSetConfigEnabled(true);
    if (host.closeAfterConfigure() && protocol::isCurrentRelease(unit.version)) {
        host.setPortListEnabled(true);
        host.startDeferredClose();
    }
}

void Session::Impl::operationMode() {
    for (const char* line : protocol::texts::kOperationMode) host.appendLog(line);
    host.startDeferredClose();
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
    host.appendLog(protocol::versionLine(unit));

    if (protocol::shouldList(unit, lastListedId)) {
        ++listedCount;
        lastListedId = unit.id;
        host.appendIdList(protocol::idListLine(unit.id));
        host.setIdListCount(std::to_string(listedCount));
        host.setEdit1(protocol::idDigits(unit.id));
    }

    switch (next) {
        case protocol::NextStep::DiscontinuedThenRead:
            host.appendWarning(protocol::texts::kDiscontinued);
            getConfig();
            break;
        case protocol::NextStep::UpdateFirmware:
            firmwareUpdate();
            break;
        case protocol::NextStep::UpToDateThenRead:
            host.appendLog(protocol::texts::kUpToDate);
            getConfig();
            break;
        case protocol::NextStep::OperationMode:
        case protocol::NextStep::Nothing:
            break;
    }
    identificationDone = true;
}

void Session::Impl::configurationData(const Frame& frame) {
    if (read.onData(frame.payload) == transfer::ConfigRead::DataOutcome::Complete) applyReadImage();
}

void Session::Impl::applyReadImage() {
    config::FormModel form = host.form();
    const bool norvale = host.norvaleForced();
    const int faults = config::decode(read.image(), form, norvale);
    host.showForm(form);
    if (faults == 0) {
        host.appendLog(texts::kReadDone);
        host.setSetConfigEnabled(true);
        return;
    }
    host.appendWarning(texts::kInvalidConfiguration);
    if (norvale) {
        host.appendLog(texts::kPreparingNorvale);
        config::applyNorvale(form);
    } else {
        host.appendLog(texts::kPreparingDefaults);
        config::applyDefaults(form);
    }
    host.showForm(form);
    write(form);
}

// --- operations -----------------------------------------------------------

void Session::Impl::getConfig() {
    transfer.stop();
    config::FormModel form = host.form();
    form.ping = form.a232 = form.b232 = -1;
    host.showForm(form);
    read.start(unit.configBase);
}

void Session::Impl::write(const config::FormModel& form) {
    config::Image image{};
    if (const auto fault = config::encode(form, image)) {
        host.showBox({config::faultMessage(*fault), config::text::kFaultCaption, BoxIcon::Warning});
        if (fault->field != config::FieldCount) {
            config::FormModel emptied = form;
            config::emptyField(emptied, *fault);
            host.showForm(emptied);
        }
        return;
    }
    read.stop();
    writeImage = image;
    transfer.TxInit(transfer::KindConfiguration, writeImage, config::checkXor(writeImage),
                    config::checkSum(writeImage));
}

void Session::Impl::firmwareUpdate() {
    if (!protocol::updatableType(unit.version.a)) return;
    read.stop();
    transfer.TxInit(transfer::KindFirmware, transfer::firmwareImage(), transfer::kFirmwareCheckXor,
                    transfer::kFirmwareCheckSum);
}

// --- the window's calls -----------------------------------------------------

Session::Session(Host& host) : d_(std::make_unique<Impl>(host)) {}
Session::~Session() = default;

void Session::setTransferSeed(std::uint32_t seed) { d_->transfer.setSeed(seed); }

void Session::portOpened() {
    d_->transfer.stop();
    d_->read.stop();
    d_->receiver.reset();
    d_->identificationDone = false;
}

void Session::bytesArrived(std::span<const std::uint8_t> bytes) {
    for (const Frame& frame : d_->receiver.feed(bytes)) d_->dispatch(frame);
}

bool Session::partialFramePending() const { return d_->receiver.pending(); }

void Session::partialFrameExpired() {
    auto expiry = d_->receiver.expire();
    // A lost acknowledgement often shows as such a fragment: resend sooner.
    if (expiry.shortFragment && d_->transfer.timer1Enabled()) d_->transfer.Timer1Timer();
    for (const Frame& frame : expiry.frames) d_->dispatch(frame);
}

void Session::timer1Tick() {
    if (d_->transfer.timer1Enabled()) d_->transfer.Timer1Timer();
}

void Session::timer3Tick() {
    if (d_->read.timer3Enabled()) d_->read.Timer3Timer();
}

void Session::getConfig() { d_->getConfig(); }
void Session::setConfig() { d_->write(d_->host.form()); }
void Session::firmwareUpdate() { d_->firmwareUpdate(); }

void Session::jump() {
    if (d_->host.portOpen()) d_->host.write(protocol::jumpFrame());
}

void Session::remoteCommandList() {
    Host& host = d_->host;
    config::FormModel form = host.form();
    const std::vector<std::string> lines = config::remoteCommands(form);
    host.clearLog();
    host.appendLog(config::kRemoteHeading);
    for (const std::string& line : lines) host.appendLog(line);
    host.showForm(form);
}

void Session::clearIdList() {
    d_->lastListedId = {};
    d_->listedCount = 0;
}

const Counters& Session::counters() const { return d_->counters; }
bool Session::identificationDone() const { return d_->identificationDone; }

UnitVersion Session::unitVersion() const {
    const protocol::Version& v = d_->unit.version;
    return {v.a, v.b, v.c, v.d};
}

}  // namespace vek::session
