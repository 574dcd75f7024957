#include "transfer/config_read.h"

#include <algorithm>

#include "transfer/transfer_texts.h"

namespace vek::transfer {

protocol::Bytes ConfigRead::requestFrame(std::uint32_t configBase, std::uint32_t block) {
    const auto count = static_cast<std::uint16_t>(block == kReadBlockCount ? kReadLastBlockSize : kReadBlockSize);
    return protocol::memoryReadFrame(configBase + (block - 1) * kReadBlockSize, count);
}

void ConfigRead::start(std::uint32_t configBase) {
    s_ = ReadState{};
    s_.configBase = configBase;
    s_.blockCount = kReadBlockCount;
    host_.setProgressMaximum(static_cast<int>(kReadBlockCount));
    s_.lastAcked = 0xFFFFFF;
    s_.currentBlock = 0;
    counters_.reset();
    // A record is only ever assembled from this read's replies.
    image_.fill(0);
    running_ = true;
    host_.appendLog(texts::kReading);
    Timer3Timer();
}

void ConfigRead::Timer3Timer() {
    if (!running_) return;
    if (!host_.portOpen()) {
        setTimer3(false);
        running_ = false;
        host_.setProgress(0);
        host_.showBox({texts::kNoConnection, texts::kCaptionReadClosed, session::BoxIcon::None});
        return;
    }
    if (!paceStep(s_, [this] { RequestPackage(); })) {
        setTimer3(false);
        running_ = false;
        host_.showBox({texts::kReadFailed, texts::kCaptionReadFailed, session::BoxIcon::Warning});
        host_.setProgress(0);
        return;
    }
    if (s_.currentBlock == 1 && !timer3_) setTimer3(true);
}

void ConfigRead::RequestPackage() {
    if (host_.portOpen()) host_.write(requestFrame(s_.configBase, s_.currentBlock));
}

ConfigRead::DataOutcome ConfigRead::onData(std::span<const std::uint8_t> payload) {
    if (!running_ || payload.size() < 7) return DataOutcome::Ignored;
    const std::uint32_t address = protocol::getU32(payload, 0);
    const std::uint32_t count = protocol::getU16(payload, 4);
    if (count == 0 || count > payload.size() - 6) return DataOutcome::Ignored;
    if (address < s_.configBase) return DataOutcome::Ignored;
    const std::uint32_t offset = address - s_.configBase;
    if (offset >= config::kImageSize || count > config::kImageSize - offset) return DataOutcome::Ignored;

    std::copy_n(payload.begin() + 6, count, image_.begin() + offset);
    const std::uint32_t block = offset / kReadBlockSize + 1;
    s_.lastAcked = block;
    // The record is whole only once the last block was asked for: a reply for
    // it arriving earlier is kept but completes nothing.
    if (block < s_.blockCount || s_.currentBlock < s_.blockCount) {
        if (block < s_.blockCount) host_.setProgress(static_cast<int>(block + 1));
        s_.ackReceived = true;
        if (timer3_) Timer3Timer();
        return DataOutcome::Accepted;
    }
    setTimer3(false);
    running_ = false;
    host_.setProgress(0);
    return DataOutcome::Complete;
}

void ConfigRead::stop() {
    if (!running_) return;
    setTimer3(false);
    running_ = false;
}

void ConfigRead::setTimer3(bool on) {
    if (timer3_ == on) return;
    timer3_ = on;
    host_.setTimer3(on);
}

}  // namespace vek::transfer
