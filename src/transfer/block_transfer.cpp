#include "transfer/block_transfer.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "transfer/transfer_texts.h"

namespace vek::transfer {

namespace {

constexpr std::uint32_t mix(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

}  // namespace

std::uint16_t BlockTransfer::freshTransferId() {
    // Never 0 and never the previous transfer's value, so a unit can tell a
    // restarted transfer from the one it replaces.
    const std::uint16_t previous = s_.transferId;
    std::uint16_t id = 0;
    do {
        id = static_cast<std::uint16_t>(mix(seed_ ^ mix(++drawn_)));
    } while (id == 0 || id == previous);
    return id;
}

Outcome BlockTransfer::TxInit(int kind, std::span<const std::uint8_t> image, std::uint8_t checkXor,
                              std::uint32_t checkSum) {
    s_.kind = kind;
    s_.image = image;
    s_.imageSize = static_cast<std::uint32_t>(image.size());
    s_.checkXor = checkXor;
    s_.checkSum = checkSum;
    s_.transferId = freshTransferId();
    announced_ = false;
    begin(blockCountFor(s_.imageSize));
    if (port_.portOpen()) port_.appendLog(texts::kStarting);
    return Timer1Timer();
}

protocol::Bytes BlockTransfer::frameFor(std::uint32_t block) const {
    const std::uint32_t blockCount = pacing_.blockCount;
    std::uint8_t check[5];
    std::span<const std::uint8_t> data;
    if (block >= blockCount) {
        check[0] = s_.checkXor;
        check[1] = static_cast<std::uint8_t>(s_.checkSum >> 24);
        check[2] = static_cast<std::uint8_t>(s_.checkSum >> 16);
        check[3] = static_cast<std::uint8_t>(s_.checkSum >> 8);
        check[4] = static_cast<std::uint8_t>(s_.checkSum);
        data = check;
    } else {
        const std::uint32_t from = (block - 1) * kBlockSize;
        const std::uint32_t to = std::min(block * kBlockSize, s_.imageSize);
        data = s_.image.subspan(from, to - from);
    }
    return protocol::blockFrame(static_cast<std::uint8_t>(s_.kind), s_.transferId,
                                static_cast<std::uint16_t>(block), static_cast<std::uint16_t>(blockCount), data);
}

void BlockTransfer::SendPackage() {
    port_.write(frameFor(pacing_.currentBlock));
    port_.setProgress(static_cast<int>(pacing_.currentBlock));
}

Outcome BlockTransfer::onAck(std::uint32_t block) {
    if (!running()) return Outcome::Ignored;
    // Success needs the check block to have gone out: an acknowledgement
    // naming it earlier is treated like one naming any other block, and the
    // current block is sent again.
    if (block >= pacing_.blockCount && pacing_.currentBlock == pacing_.blockCount) {
        pacing_.lastAcked = block;
        // The success line is the session's: nothing is done before the
        // unit shows it (its new version, or the configuration read back).
        return complete();
    }
    if (block == 1 && !announced_ && block < pacing_.blockCount) {
        announced_ = true;
        port_.appendLog(s_.kind == KindFirmware ? texts::kUpdatingFirmware : texts::kUpdatingConfiguration);
    }
    return answered(block);
}

Outcome BlockTransfer::onNack() {
    if (!running()) return Outcome::Ignored;
    ++counters_.Nacks;
    return timerEnabled() ? step() : Outcome::Running;
}

}  // namespace vek::transfer
