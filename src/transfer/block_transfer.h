#pragma once
// Moves one byte image to the unit in numbered blocks of at most 48 bytes,
// each acknowledged, then a check block carrying checkXor and checkSum.
// Driven by calls: TxInit starts it, Timer1Timer is one pacing step (the
// 500 ms Timer1), onAck / onNack are the unit's replies.
//
// Pacing: a step advances when the current block was acknowledged; without
// progress the block goes out again at idle steps 3, 5 and 7, and the
// transfer fails at idle step 10.

#include <cstdint>
#include <span>

#include "protocol/frame.h"
#include "transfer/paced_operation.h"

namespace vek::transfer {

inline constexpr std::uint32_t kBlockSize = 48;
inline constexpr std::uint32_t kNoBlock = kNoAnswer;

enum Kind : int { KindFirmware = 1, KindConfiguration = 6 };

// The one transfer's state, under the names the rest of the tool knows it by.
// blockCount counts the data blocks and the check block.
struct TransferState {
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

class BlockTransfer : public PacedOperation {
public:
    BlockTransfer(Port& port, protocol::Counters& counters)
        : PacedOperation(port, counters, PacingTimer::Timer1) {}

    // Mixed into every transferId; the surroundings give something that
    // differs from one run of the tool to the next.
    void setSeed(std::uint32_t seed) { seed_ = seed; }

    // Starts (or restarts from block 1) a transfer of `image`, which must stay
    // alive and unchanged until the transfer ends.
    Outcome TxInit(int kind, std::span<const std::uint8_t> image, std::uint8_t checkXor, std::uint32_t checkSum);

    // One pacing step. Ignored when no transfer runs.
    Outcome Timer1Timer() { return step(); }

    // An acknowledgement of `block`. Completed once the check block is
    // acknowledged (success is logged; the caller does the kind's follow-up).
    Outcome onAck(std::uint32_t block);
    // A refusal: counted, and a step at once.
    Outcome onNack();

    const TransferState& state() const { return s_; }

    // The frame of block `block` of the current transfer.
    protocol::Bytes frameFor(std::uint32_t block) const;

private:
    void sendCurrent() override { SendPackage(); }

    void SendPackage();
    std::uint16_t freshTransferId();

    TransferState s_;
    bool announced_ = false;  // "Atualizando ..." shown for this transfer
    std::uint32_t seed_ = 0;
    std::uint32_t drawn_ = 0;
};

}  // namespace vek::transfer
