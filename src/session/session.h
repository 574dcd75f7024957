#pragma once
// The unit's side of a view: everything that happens between the bytes that
// arrive, the pacing ticks and the technician's commands. One operation
// (firmware transfer, configuration write, configuration read or the
// read-back of a write) runs at a time; a reply that belongs to no running
// operation changes nothing.
//
// Commands carry the data they act on; the form as the technician edits it
// is pushed in with setForm(), and the session pushes back what it shows.

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "config/config_image.h"
#include "protocol/counters.h"
#include "session/view.h"
#include "transfer/port.h"

namespace vek::session {

using Counters = protocol::Counters;  // Nacks, Code10, Code15, Code20

struct UnitVersion {
    std::uint8_t a = 0, b = 0, c = 0, d = 0;
};

struct Options {
    bool norvale = false;              // Cb_Norvale
    bool closeAfterConfigure = false;  // Cb_COMAutoClose
    // The window's road: after identification the firmware update or the
    // read follows by itself, and an invalid record read is replaced by a
    // preset and written back. Off, the session only reports, and whoever
    // drives it decides each step.
    bool followIdentification = true;
    // Every configuration write is read back and compared byte for byte.
    bool verifyWrites = true;
};

class Session {
public:
    Session(transfer::Port& link, View& view);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Mixed into every transferId, so that transfers of different runs of the
    // tool differ too (the controller passes something time-derived). Within
    // a run consecutive transfers always differ.
    void setTransferSeed(std::uint32_t seed);

    void setOptions(const Options& options);
    const Options& options() const;
    // The form as the technician has it now.
    void setForm(const config::FormModel& form);
    const config::FormModel& form() const;

    // The port has just been opened (and purged): identification re-armed,
    // receive buffer emptied, the form emptied, and an operation left over
    // from the previous connection abandoned without a word.
    void portOpened();

    // VCPRxChar: bytes read from the port, in arrival order.
    void bytesArrived(std::span<const std::uint8_t> bytes);
    // Whether a partial frame waits for more bytes; the controller then gives
    // it 200 ms (the link's read interval) and calls partialFrameExpired().
    bool partialFramePending() const;
    void partialFrameExpired();

    void timer1Tick();  // Timer1Timer
    void timer3Tick();  // Timer3Timer

    void getConfig();                              // B_GetConfigClick
    void setConfig(const config::FormModel& form);  // B_SetConfigClick
    void firmwareUpdate();                         // B_FwTxClick
    void jump();                                   // B_FwJumpClick

    void remoteCommandList(const config::FormModel& form);  // B_RemConfigClick
    void clearIdList();                                     // L_ClearClick's state part
    // The production list as a view kept it from an earlier run: counting
    // goes on from `listedCount`, and `lastListedId` is not listed again.
    void restoreIdList(int listedCount, const protocol::UnitId& lastListedId);

    const Counters& counters() const;
    bool identificationDone() const;
    UnitVersion unitVersion() const;
    const protocol::Identification& unit() const;
    Operation operation() const;
    // The record as the last completed read found it.
    const config::Image& readImage() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace vek::session
