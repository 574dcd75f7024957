#pragma once
// Moves one byte image to the unit in numbered blocks of at most 48 bytes,
// each acknowledged, then a check block carrying checkXor and checkSum.
// Driven by calls: TxInit starts it, Timer1Timer is one pacing step (the
// window's 500 ms Timer1), onAck / onNack are the unit's replies.
//
// Pacing: a step advances when the current block was acknowledged; without
// progress the block goes out again at idle steps 3, 5 and 7, and the
// transfer fails at idle step 10.

#include <cstdint>
#include <span>

#include "protocol/counters.h"
#include "protocol/frame.h"
#include "session/host.h"
#include "transfer/pacing.h"

namespace vek::transfer {

inline constexpr std::uint32_t kBlockSize = 48;
inline constexpr std::uint32_t kNoBlock = 0xFFFFFF;

enum Kind : int { KindFirmware = 1, KindConfiguration = 6 };

// The one transfer's state, under the names the rest of the tool knows it by.
// blockCount counts the data blocks and the check block.
struct TransferState : Pacing {
    int kind = 0;
    std::span<const std::uint8_t> image;  // not owned; read only
    std::uint32_t imageSize = 0;
    std::uint8_t checkXor = 0;
    std::uint32_t checkSum = 0;
    std::uint16_t transferId = 0;
};

// Data blocks for an image plus the check block.
constexpr std::uint32_t blockCountFor(std::uint32_t imageSize) {
    return (imageSize + kBlockSize - 1) / kBlockSize + 1;
}

class BlockTransfer {
public:
    BlockTransfer(session::Host& host, protocol::Counters& counters) : host_(host), counters_(counters) {}

    // Mixed into every transferId; the surroundings give something that
    // differs from one run of the tool to the next.
    void setSeed(std::uint32_t seed) { seed_ = seed; }

    // Starts (or restarts from block 1) a transfer of `image`, which must stay
    // alive and unchanged until the transfer ends.
    void TxInit(int kind, std::span<const std::uint8_t> image, std::uint8_t checkXor, std::uint32_t checkSum);

    // One pacing step. Does nothing when no transfer runs.
    void Timer1Timer();

    enum class AckOutcome { Ignored, Accepted, Completed };
    // An acknowledgement of `block`. Completed once the check block is
    // acknowledged (success is logged; the caller does the kind's follow-up).
    AckOutcome onAck(std::uint32_t block);
    // A refusal: counted, and a step at once. Ignored when no transfer runs.
    void onNack();

    // Abandons a running transfer quietly (another operation takes over).
    void stop();

    bool running() const { return running_; }
    bool timer1Enabled() const { return timer1_; }
    const TransferState& state() const { return s_; }

    // The frame of block `block` of the current transfer.
    protocol::Bytes frameFor(std::uint32_t block) const;

private:
    void SendPackage();
    void setTimer1(bool on);
    std::uint16_t freshTransferId();

    session::Host& host_;
    protocol::Counters& counters_;
    TransferState s_;
    bool running_ = false;
    bool timer1_ = false;
    bool announced_ = false;  // "Atualizando ..." shown for this transfer
    std::uint32_t seed_ = 0;
    std::uint32_t drawn_ = 0;
};

}  // namespace vek::transfer
