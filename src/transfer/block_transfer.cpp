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

std::string failureText(const protocol::Counters& c) {
    char out[160];
    const int n = std::snprintf(out, sizeof out, texts::kTransferFailed, static_cast<int>(c.Nacks),
                                static_cast<int>(c.Code10), static_cast<int>(c.Code15), static_cast<int>(c.Code20));
    return std::string(out, static_cast<std::size_t>(n));
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

void BlockTransfer::TxInit(int kind, std::span<const std::uint8_t> image, std::uint8_t checkXor,
                           std::uint32_t checkSum) {
    s_.kind = kind;
    s_.image = image;
    s_.imageSize = static_cast<std::uint32_t>(image.size());
    s_.checkXor = checkXor;
    s_.checkSum = checkSum;
    s_.blockCount = blockCountFor(s_.imageSize);
    host_.setProgressMaximum(static_cast<int>(s_.blockCount));
    s_.lastAcked = kNoBlock;
    s_.currentBlock = 0;
    s_.transferId = freshTransferId();
    counters_.reset();
    announced_ = false;
    running_ = true;
    if (host_.portOpen()) host_.appendLog(texts::kStarting);
    Timer1Timer();
}

void BlockTransfer::Timer1Timer() {
    if (!running_) return;
    if (!host_.portOpen()) {
        setTimer1(false);
        running_ = false;
        host_.setProgress(0);
        host_.showBox({texts::kNoConnection, texts::kCaptionTransferClosed, session::BoxIcon::None});
        return;
    }
    if (!paceStep(s_, [this] { SendPackage(); })) {
        setTimer1(false);
        running_ = false;
        host_.showBox({failureText(counters_), texts::kCaptionTransferFailed, session::BoxIcon::None});
        host_.setProgress(0);
        return;
    }
    if (s_.currentBlock == 1 && !timer1_) setTimer1(true);
}

protocol::Bytes BlockTransfer::frameFor(std::uint32_t block) const {
    std::uint8_t check[5];
    std::span<const std::uint8_t> data;
    if (block >= s_.blockCount) {
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
                                static_cast<std::uint16_t>(block), static_cast<std::uint16_t>(s_.blockCount), data);
}

void BlockTransfer::SendPackage() {
    host_.write(frameFor(s_.currentBlock));
    host_.setProgress(static_cast<int>(s_.currentBlock));
}

BlockTransfer::AckOutcome BlockTransfer::onAck(std::uint32_t block) {
    if (!running_) return AckOutcome::Ignored;
    s_.lastAcked = block;
    // Success needs the check block to have gone out: an acknowledgement
    // naming it earlier is treated like one naming any other block, and the
    // current block is sent again.
    const bool complete = block >= s_.blockCount && s_.currentBlock == s_.blockCount;
    if (!complete) {
        if (block == 1 && !announced_ && block < s_.blockCount) {
            announced_ = true;
            host_.appendLog(s_.kind == KindFirmware ? texts::kUpdatingFirmware : texts::kUpdatingConfiguration);
        }
        s_.ackReceived = true;
        if (timer1_) Timer1Timer();
        return AckOutcome::Accepted;
    }
    setTimer1(false);
    running_ = false;
    host_.setProgress(0);
    host_.appendLog(texts::kSucceeded);
    return AckOutcome::Completed;
}

void BlockTransfer::onNack() {
    if (!running_) return;
    ++counters_.Nacks;
    if (timer1_) Timer1Timer();
}

void BlockTransfer::stop() {
    if (!running_) return;
    setTimer1(false);
    running_ = false;
}

void BlockTransfer::setTimer1(bool on) {
    if (timer1_ == on) return;
    timer1_ = on;
    host_.setTimer1(on);
}

}  // namespace vek::transfer
