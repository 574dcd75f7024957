// The stream receiver against arbitrary bytes in arbitrary reads.
//
// Input: byte 0 gives the number k (0..7) of split bytes that follow; the
// rest is the stream. The split bytes are used in turn: low 7 bits + 1 is the
// size of the next read, the high bit asks for an expiry after it. With k = 0
// the stream arrives in one read.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "protocol/counters.h"
#include "protocol/frame.h"
#include "protocol/receiver.h"

using namespace vek::protocol;

namespace {

bool sameFrame(const Frame& a, const Frame& b) {
    return a.route == b.route && a.code == b.code && a.payload == b.payload;
}

// A frame the receiver hands out must be exactly what the codec builds from
// its parts, and those bytes must lie in the stream after the previous frame.
void checkFrame(const Frame& f, std::span<const std::uint8_t> stream, std::size_t& cursor) {
    FUZZ_CHECK(f.payload.size() <= kMaxPayload);
    const Bytes rebuilt = buildFrame(f.code, f.payload, f.route);
    const auto again = parseFrame(rebuilt);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(sameFrame(*again, f));
    const auto from = stream.begin() + static_cast<std::ptrdiff_t>(cursor);
    const auto at = std::search(from, stream.end(), rebuilt.begin(), rebuilt.end());
    FUZZ_CHECK(at != stream.end());
    cursor = static_cast<std::size_t>(at - stream.begin()) + rebuilt.size();
}

// Whether the stream holds a valid frame that ends inside another valid
// frame: split across reads, the inner one may come out first and take the
// outer one's start with it.
bool hasNestedFrames(std::span<const std::uint8_t> stream) {
    auto validEnd = [&](std::size_t at) -> std::size_t {
        if (stream[at] != kStartByte || at + kOverhead > stream.size()) return 0;
        const std::size_t end = at + getU16(stream, at + 3) + kOverhead;
        if (end > stream.size() || !parseFrame(stream.subspan(at, end - at))) return 0;
        return end;
    };
    for (std::size_t at = 0; at < stream.size(); ++at) {
        const std::size_t end = validEnd(at);
        for (std::size_t in = at + 1; end != 0 && in < end; ++in) {
            const std::size_t innerEnd = validEnd(in);
            if (innerEnd != 0 && innerEnd < end) return true;
        }
    }
    return false;
}

void checkMonotonic(const Counters& before, const Counters& now) {
    FUZZ_CHECK(now.Nacks == 0);  // refusals are the transfer's to count
    FUZZ_CHECK(now.Code10 >= before.Code10);
    FUZZ_CHECK(now.Code15 >= before.Code15);
    FUZZ_CHECK(now.Code20 >= before.Code20);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t k = std::min<std::size_t>(data[0] & 7u, size - 1);
    const std::span<const std::uint8_t> splits(data + 1, k);
    const std::span<const std::uint8_t> stream(data + 1 + k, size - 1 - k);

    Counters counters;
    Receiver rx(counters);
    std::vector<Frame> frames;
    std::size_t cursor = 0;
    std::size_t expiries = 0;
    bool expired = false;

    std::size_t at = 0, turn = 0;
    while (at < stream.size()) {
        std::size_t n = stream.size() - at;
        bool expireAfter = false;
        if (k > 0) {
            const std::uint8_t s = splits[turn++ % k];
            n = std::min<std::size_t>(n, (s & 0x7Fu) + 1u);
            expireAfter = (s & 0x80u) != 0;
        }
        Counters before = counters;
        for (Frame& f : rx.feed(stream.subspan(at, n))) {
            checkFrame(f, stream, cursor);
            frames.push_back(std::move(f));
        }
        checkMonotonic(before, counters);
        at += n;

        if (expireAfter) {
            before = counters;
            const bool wasPending = rx.pending();
            auto expiry = rx.expire();
            ++expiries;
            expired = expired || wasPending;
            checkMonotonic(before, counters);
            // Only a pending fragment can expire, and a short one goes whole.
            if (!wasPending) FUZZ_CHECK(!expiry.shortFragment && expiry.frames.empty());
            if (expiry.shortFragment) {
                FUZZ_CHECK(counters.Code10 == before.Code10 + 1);
                FUZZ_CHECK(!rx.pending());
            } else {
                FUZZ_CHECK(counters.Code10 == before.Code10);
            }
            for (Frame& f : expiry.frames) {
                checkFrame(f, stream, cursor);
                frames.push_back(std::move(f));
            }
        }
    }

    // An empty read changes nothing.
    {
        const Counters before = counters;
        const bool wasPending = rx.pending();
        FUZZ_CHECK(rx.feed({}).empty());
        FUZZ_CHECK(rx.pending() == wasPending);
        FUZZ_CHECK(counters.Code10 == before.Code10 && counters.Code15 == before.Code15 &&
              counters.Code20 == before.Code20);
    }

    // Each count stands for something that happened: Code20 for a frame that
    // was followed by junk, Code15 for a run of at least one skipped byte,
    // Code10 for an expiry.
    FUZZ_CHECK(counters.Code20 <= frames.size());
    FUZZ_CHECK(counters.Code15 <= stream.size());
    FUZZ_CHECK(counters.Code10 <= expiries);

    // Without an expiry the frames depend only on the bytes, not on the reads
    // (a frame nested in another aside).
    if (!expired && !hasNestedFrames(stream)) {
        Counters wholeCounters;
        Receiver whole(wholeCounters);
        const std::vector<Frame> once = whole.feed(stream);
        FUZZ_CHECK(once.size() == frames.size());
        for (std::size_t i = 0; i < once.size(); ++i) FUZZ_CHECK(sameFrame(once[i], frames[i]));
        FUZZ_CHECK(whole.pending() == rx.pending());
    }

    // After a reset the receiver is as new: a clean acknowledgement comes out
    // alone.
    rx.reset();
    FUZZ_CHECK(!rx.pending());
    const Bytes ack = buildFrame(RspAck, Bytes{0x00, 0x01}, 0x12);
    const std::vector<Frame> after = rx.feed(ack);
    FUZZ_CHECK(after.size() == 1 && after[0].code == RspAck && after[0].route == 0x12 &&
          after[0].payload == (Bytes{0x00, 0x01}));
    FUZZ_CHECK(!rx.pending());
    return 0;
}
