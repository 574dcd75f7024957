#pragma once
// The unit's side of the window: everything that happens between the bytes
// that arrive, the pacing ticks and the technician's presses. One operation
// (firmware transfer, configuration write or configuration read) runs at a
// time; a reply that belongs to no running operation changes nothing.
//
// This header is the contract the window uses; the internals are the
// session's own.

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "protocol/counters.h"
#include "session/host.h"

namespace vek::session {

using Counters = protocol::Counters;  // Nacks, Code10, Code15, Code20

struct UnitVersion {
    std::uint8_t a = 0, b = 0, c = 0, d = 0;
};

class Session {
public:
    explicit Session(Host& host);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Mixed into every transferId, so that transfers of different runs of the
    // tool differ too (the window passes something time-derived). Within a
    // run consecutive transfers always differ.
    void setTransferSeed(std::uint32_t seed);

    // The port has just been opened (and purged): identification re-armed,
    // receive buffer emptied, and an operation left over from the previous
    // connection abandoned without a word.
    void portOpened();

    // VCPRxChar: bytes read from the port, in arrival order.
    void bytesArrived(std::span<const std::uint8_t> bytes);
    // Whether a partial frame waits for more bytes; the window then gives it
    // 200 ms (the link's read interval) and calls partialFrameExpired().
    bool partialFramePending() const;
    void partialFrameExpired();

    void timer1Tick();  // Timer1Timer
    void timer3Tick();  // Timer3Timer

    void getConfig();       // B_GetConfigClick
    void setConfig();       // B_SetConfigClick
    void firmwareUpdate();  // B_FwTxClick
    void jump();            // B_FwJumpClick

    void remoteCommandList();  // B_RemConfigClick
    void clearIdList();        // L_ClearClick's state part

    const Counters& counters() const;
    bool identificationDone() const;
    UnitVersion unitVersion() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace vek::session
