#pragma once
// Turns the byte stream from the port into checked frames. A USB serial
// device hands a long reply over in several reads, and a read may hold more
// than one frame, so bytes are kept until a frame is whole:
//  - bytes that cannot start a frame are skipped up to the next 0xBC;
//  - a frame still missing bytes waits; when the link has been quiet for a
//    read interval the owner calls expire() and the fragment is dropped;
//  - but when a whole, valid frame already lies behind a start that is still
//    waiting, that start was noise (a stray 0xBC whose next bytes read as a
//    plausible length): it is dropped and the frame taken at once, so noise
//    never holds up the frames behind it. The price: a valid frame carried
//    inside another's payload comes out on its own, and the outer one is
//    lost, when the inner one is complete a read before the outer one;
//  - a declared length over 1019 or a wrong sum drops the candidate and the
//    search resumes at the next 0xBC after its start.
// The frames depend only on the bytes, never on how they were split into
// reads (short of an expiry in between, or a frame nested in another).
//
// Counting, once per occurrence:
//  - Code20: a valid frame followed, in the same read, by bytes that were not
//    a valid frame (skipped bytes, or a candidate dropped for its length, its
//    sum or the frame found behind it);
//  - Code15: any other run of skipped bytes (not counted again when it goes
//    on in the next read, nor when it is the rest of a candidate dropped in
//    the same read);
//  - Code10: an expired fragment of fewer than 8 bytes, wherever it stood.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "protocol/counters.h"
#include "protocol/frame.h"

namespace vek::protocol {

class Receiver {
public:
    explicit Receiver(Counters& counters) : counters_(counters) {}

    // Appends the bytes of one read; returns every frame completed by them,
    // in stream order.
    std::vector<Frame> feed(std::span<const std::uint8_t> bytes);

    // Whether a partial frame is waiting for more bytes.
    bool pending() const { return pos_ < buf_.size(); }

    struct Expiry {
        bool shortFragment = false;  // Code10 was counted
        // Found in what followed the dropped start. Stays empty: a whole
        // frame behind a waiting start is taken as soon as it completes.
        std::vector<Frame> frames;
    };
    // The wait for the rest of the pending frame is over: its start is
    // dropped. A fragment of fewer than 8 bytes goes whole; a longer one is
    // searched again from its next 0xBC, since a complete frame may lie in it.
    Expiry expire();

    // Forgets every pending byte (a new connection).
    void reset();

private:
    // What the stream last delivered; decides what the next discard counts.
    enum class Last { Quiet, Frame, Skipped, Dropped };

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // Bytes from index `fresh` on arrived with the current read.
    void scan(std::vector<Frame>& out, std::size_t fresh);
    // Where a whole, valid frame completed by the current read starts behind
    // the waiting start, or kNone.
    std::size_t completeFrameBehind(std::size_t fresh);
    void dropCandidate();
    void compact();

    Counters& counters_;
    Bytes buf_;
    std::size_t pos_ = 0;
    // The 0xBC bytes found behind the waiting start, in buf_[0, looked_).
    std::vector<std::size_t> starts_;
    std::size_t looked_ = 0;
    Last last_ = Last::Quiet;
};

}  // namespace vek::protocol
