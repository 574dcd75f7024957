#include "transfer/config_read.h"

#include <algorithm>

#include "transfer/transfer_texts.h"

namespace vek::transfer {

protocol::Bytes ConfigRead::requestFrame(std::uint32_t configBase, std::uint32_t block) {
    const auto count = static_cast<std::uint16_t>(block == kReadBlockCount ? kReadLastBlockSize : kReadBlockSize);
    return protocol::memoryReadFrame(configBase + (block - 1) * kReadBlockSize, count);
}

Outcome ConfigRead::start(std::uint32_t configBase, bool announce) {
    configBase_ = configBase;
    begin(kReadBlockCount);
    // A record is only ever assembled from this read's replies.
    image_.fill(0);
    if (announce) port_.appendLog(texts::kReading);
    return Timer3Timer();
}

void ConfigRead::RequestPackage() {
    if (port_.portOpen()) port_.write(requestFrame(configBase_, pacing_.currentBlock));
}

Outcome ConfigRead::onData(std::span<const std::uint8_t> payload) {
    if (!running() || payload.size() < 7) return Outcome::Ignored;
    const std::uint32_t address = protocol::getU32(payload, 0);
    const std::uint32_t count = protocol::getU16(payload, 4);
    if (count == 0 || count > payload.size() - 6) return Outcome::Ignored;
    if (address < configBase_) return Outcome::Ignored;
    const std::uint32_t offset = address - configBase_;
    if (offset >= config::kImageSize || count > config::kImageSize - offset) return Outcome::Ignored;

    std::copy_n(payload.begin() + 6, count, image_.begin() + offset);
    const std::uint32_t block = offset / kReadBlockSize + 1;
    // The record is whole only once the last block was asked for: a reply for
    // it arriving earlier is kept but completes nothing.
    if (block < pacing_.blockCount || pacing_.currentBlock < pacing_.blockCount) {
        if (block < pacing_.blockCount) port_.setProgress(static_cast<int>(block + 1));
        return answered(block);
    }
    pacing_.lastAcked = block;
    return complete();
}

}  // namespace vek::transfer
