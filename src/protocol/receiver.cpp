#include "protocol/receiver.h"

#include <algorithm>

namespace vek::protocol {

std::vector<Frame> Receiver::feed(std::span<const std::uint8_t> bytes) {
    std::vector<Frame> frames;
    // Surplus is what shares a read with the frame before it, and the rest of
    // a dropped candidate is what shares its read; skipped bytes in a later
    // read are a run of their own, unless they carry on a run.
    if (last_ == Last::Frame || last_ == Last::Dropped) last_ = Last::Quiet;
    const std::size_t fresh = buf_.size();
    buf_.insert(buf_.end(), bytes.begin(), bytes.end());
    scan(frames, fresh);
    compact();
    return frames;
}

void Receiver::scan(std::vector<Frame>& out, std::size_t fresh) {
    while (pos_ < buf_.size()) {
        if (buf_[pos_] != kStartByte) {
            const auto next = std::find(buf_.begin() + static_cast<std::ptrdiff_t>(pos_), buf_.end(), kStartByte);
            // A run continuing one already seen, or the body of a dropped
            // candidate, is not counted again.
            if (last_ == Last::Quiet) ++counters_.Code15;
            if (last_ == Last::Frame) ++counters_.Code20;
            if (last_ != Last::Dropped) last_ = Last::Skipped;
            pos_ = static_cast<std::size_t>(next - buf_.begin());
            continue;
        }
        const std::size_t avail = buf_.size() - pos_;
        if (avail < kHeaderSize) return;  // wait for the length field
        const std::size_t length = getU16(std::span<const std::uint8_t>(buf_).subspan(pos_), 3);
        if (length > kMaxPayload) {
            dropCandidate();
            continue;
        }
        if (avail < length + kOverhead) {
            const std::size_t behind = completeFrameBehind(fresh);
            if (behind == kNone) return;  // wait for the rest
            // The unit sends one frame after the other: a whole frame behind
            // this start means the start was noise.
            if (last_ == Last::Frame) ++counters_.Code20;
            last_ = Last::Dropped;
            pos_ = behind;
            continue;
        }
        auto frame = parseFrame(std::span<const std::uint8_t>(buf_).subspan(pos_, length + kOverhead));
        if (!frame) {
            dropCandidate();
            continue;
        }
        out.push_back(std::move(*frame));
        pos_ += length + kOverhead;
        last_ = Last::Frame;
    }
}

std::size_t Receiver::completeFrameBehind(std::size_t fresh) {
    // The start bytes behind the waiting one are kept from read to read, so a
    // long frame trickling in is not searched again from its start each time.
    if (looked_ <= pos_) {
        starts_.clear();
        looked_ = pos_ + 1;
    } else {
        starts_.erase(starts_.begin(), std::upper_bound(starts_.begin(), starts_.end(), pos_));
    }
    for (auto it = buf_.begin() + static_cast<std::ptrdiff_t>(looked_);
         (it = std::find(it, buf_.end(), kStartByte)) != buf_.end(); ++it)
        starts_.push_back(static_cast<std::size_t>(it - buf_.begin()));
    looked_ = buf_.size();

    const std::span<const std::uint8_t> all(buf_);
    for (std::size_t at : starts_) {
        if (at + kOverhead > buf_.size()) break;
        const std::size_t length = getU16(all, at + 3);
        const std::size_t end = at + length + kOverhead;
        // A candidate completed by an earlier read was looked at then, and a
        // valid one would have been taken: only this read's can be new.
        if (length > kMaxPayload || end <= fresh || end > buf_.size()) continue;
        if (parseFrame(all.subspan(at, length + kOverhead))) return at;
    }
    return kNone;
}

void Receiver::dropCandidate() {
    if (last_ == Last::Frame) ++counters_.Code20;
    last_ = Last::Dropped;
    ++pos_;  // resume at the next 0xBC
}

Receiver::Expiry Receiver::expire() {
    Expiry result;
    if (!pending()) return result;
    if (buf_.size() - pos_ < kOverhead) {
        // Too short to hold any frame, even with more bytes behind a later
        // 0xBC: the whole fragment goes. Typically the remains of a lost
        // reply, whatever came before it.
        ++counters_.Code10;
        result.shortFragment = true;
        pos_ = buf_.size();
        last_ = Last::Quiet;
    } else {
        dropCandidate();
        scan(result.frames, buf_.size());
        if (!pending() && last_ != Last::Frame) last_ = Last::Quiet;
    }
    compact();
    return result;
}

void Receiver::reset() {
    buf_.clear();
    starts_.clear();
    looked_ = 0;
    pos_ = 0;
    last_ = Last::Quiet;
}

void Receiver::compact() {
    if (pos_ == 0) return;
    buf_.erase(buf_.begin(), buf_.begin() + static_cast<std::ptrdiff_t>(pos_));
    // Start bytes at or before the new front are no longer behind anything.
    starts_.erase(starts_.begin(), std::upper_bound(starts_.begin(), starts_.end(), pos_));
    for (std::size_t& at : starts_) at -= pos_;
    looked_ = looked_ > pos_ ? looked_ - pos_ : 0;
    pos_ = 0;
}

}  // namespace vek::protocol
