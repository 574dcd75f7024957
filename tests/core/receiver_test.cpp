#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fake_unit.h"
#include "protocol/receiver.h"

using vek::protocol::Bytes;
using vek::protocol::Counters;
using vek::protocol::Frame;
using vek::protocol::Receiver;
using namespace vek::test;

namespace {

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes withBadSum(Bytes frame) {
    frame.back() ^= 0x5A;
    return frame;
}

// BC, a route, a code and a declared length of 0xFFFF: too long to be a frame.
const Bytes kOversized{0xBC, 0x12, 0x02, 0xFF, 0xFF};

std::string describe(const std::vector<Frame>& frames) {
    std::string s;
    for (const Frame& f : frames) {
        s += std::to_string(f.route) + "/" + std::to_string(f.code) + ":";
        for (auto b : f.payload) s += std::to_string(b) + ",";
        s += ";";
    }
    return s;
}

struct Outcome {
    std::string frames;
    Counters counters;
    bool pending = false;
};

Outcome feedInChunks(const Bytes& stream, std::size_t chunk) {
    Counters counters;
    Receiver rx(counters);
    std::vector<Frame> frames;
    for (std::size_t at = 0; at < stream.size(); at += chunk) {
        const std::size_t n = std::min(chunk, stream.size() - at);
        for (Frame& f : rx.feed(std::span(stream).subspan(at, n))) frames.push_back(std::move(f));
    }
    return {describe(frames), counters, rx.pending()};
}

void expectCounters(const Counters& c, std::uint32_t code10, std::uint32_t code15, std::uint32_t code20) {
    EXPECT_EQ(c.Code10, code10);
    EXPECT_EQ(c.Code15, code15);
    EXPECT_EQ(c.Code20, code20);
    EXPECT_EQ(c.Nacks, 0u);
}

}  // namespace

TEST(Receiver, SplitIntoAnyReadsGivesTheSameFrames) {
    const Bytes data(514 - 8 - 6, 0x5C);
    const Bytes stream = cat({
        Bytes{0x00, 0x13, 0x37},                // garbage before a frame
        ackFrame(1),
        dataFrame(0x0801F000, data),            // a long reply
        ackFrame(2), nackFrame(),               // two frames back to back
        Bytes{0x7F, 0x7F},                      // stray bytes after a frame
        withBadSum(ackFrame(3)),                // dropped
        kOversized,                             // dropped at once
        ackFrame(4),
        unitFrame(0x04, Bytes{0xBC, 0xBC, 0xBC}),  // start bytes inside a payload
        ackFrame(5),
    });
    const Outcome whole = feedInChunks(stream, stream.size());
    // What the stream holds, independent of the reads.
    const std::vector<Frame> expected{
        *vek::protocol::parseFrame(ackFrame(1)), *vek::protocol::parseFrame(dataFrame(0x0801F000, data)),
        *vek::protocol::parseFrame(ackFrame(2)), *vek::protocol::parseFrame(nackFrame()),
        *vek::protocol::parseFrame(ackFrame(4)), *vek::protocol::parseFrame(unitFrame(0x04, Bytes{0xBC, 0xBC, 0xBC})),
        *vek::protocol::parseFrame(ackFrame(5)),
    };
    EXPECT_EQ(whole.frames, describe(expected));
    expectCounters(whole.counters, 0, 1, 1);
    EXPECT_FALSE(whole.pending);

    for (std::size_t chunk : {1u, 2u, 3u, 7u, 8u, 61u, 500u}) {
        SCOPED_TRACE("chunk " + std::to_string(chunk));
        const Outcome split = feedInChunks(stream, chunk);
        EXPECT_EQ(split.frames, whole.frames);
        EXPECT_FALSE(split.pending);
        // Each damage is counted once; the stray bytes are surplus only when
        // they share a read with the frame before them.
        EXPECT_EQ(split.counters.Code10, 0u);
        EXPECT_EQ(split.counters.Code15 + split.counters.Code20, 2u);
    }
    // Cut only where the frame and its surplus stay together, the counts agree.
    const std::size_t strayEnd = 3 + ackFrame(1).size() + dataFrame(0x0801F000, data).size() +
                                 ackFrame(2).size() + nackFrame().size() + 2;
    Counters counters;
    Receiver rx(counters);
    rx.feed(std::span(stream).first(strayEnd));
    rx.feed(std::span(stream).subspan(strayEnd));
    expectCounters(counters, 0, 1, 1);
}

TEST(Receiver, EachKindOfDamageMovesItsCounter) {
    struct Case {
        const char* name;
        Bytes stream;
        std::vector<Bytes> frames;  // what comes out
        std::uint32_t code15, code20;
    };
    const Bytes ack = ackFrame(7);
    const std::vector<Case> cases{
        {"garbage before a frame", cat({Bytes{0x01, 0x02, 0x03}, ack}), {ack}, 1, 0},
        {"garbage alone", Bytes{0x01, 0x02, 0x03}, {}, 1, 0},
        {"two frames in one read", cat({ack, nackFrame()}), {ack, nackFrame()}, 0, 0},
        {"stray bytes after a frame", cat({ack, Bytes{0x00, 0x00}}), {ack}, 0, 1},
        {"stray bytes between frames", cat({ack, Bytes{0x00}, ack, Bytes{0x55}}), {ack, ack}, 0, 2},
        {"wrong sum", withBadSum(ack), {}, 0, 0},
        {"wrong sum, then a frame", cat({withBadSum(ack), ack}), {ack}, 0, 0},
        {"a frame, then one with a wrong sum", cat({ack, withBadSum(ack)}), {ack}, 0, 1},
        {"oversized length, then a frame", cat({kOversized, ack}), {ack}, 0, 0},
        {"wrong destination still framed", unitFrame(2, Bytes{0, 1}), {unitFrame(2, Bytes{0, 1})}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Counters counters;
        Receiver rx(counters);
        const auto frames = rx.feed(c.stream);
        std::vector<Frame> expected;
        for (const Bytes& f : c.frames) expected.push_back(*vek::protocol::parseFrame(f));
        EXPECT_EQ(describe(frames), describe(expected));
        expectCounters(counters, 0, c.code15, c.code20);
        EXPECT_FALSE(rx.pending());
    }
}

TEST(Receiver, SplitFrameWaitsAndIsReassembled) {
    Counters counters;
    Receiver rx(counters);
    const Bytes reply = dataFrame(0x0801F000, Bytes(500, 0x42));
    const std::size_t cuts[] = {0, 3, 200, 450, reply.size()};  // 3 pieces and a header split
    std::vector<Frame> frames;
    for (std::size_t i = 0; i + 1 < std::size(cuts); ++i) {
        auto got = rx.feed(std::span(reply).subspan(cuts[i], cuts[i + 1] - cuts[i]));
        frames.insert(frames.end(), got.begin(), got.end());
        EXPECT_EQ(rx.pending(), i + 2 < std::size(cuts));
    }
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].payload.size(), 506u);
    expectCounters(counters, 0, 0, 0);
}

TEST(Receiver, StrayBytesInTheirOwnReadAreARunOfTheirOwn) {
    Counters counters;
    Receiver rx(counters);
    rx.feed(ackFrame(1));
    rx.feed(Bytes{0x00, 0x00});
    rx.feed(Bytes{0x00});  // the same run goes on
    EXPECT_EQ(rx.feed(ackFrame(2)).size(), 1u);
    expectCounters(counters, 0, 1, 0);

    rx.feed(withBadSum(ackFrame(3)));  // dropped, not counted
    rx.feed(Bytes{0x00});              // a new run
    expectCounters(counters, 0, 2, 0);
}

TEST(Receiver, ExpiredShortFragmentCountsCode10AndIsForgotten) {
    Counters counters;
    Receiver rx(counters);
    const Bytes ack = ackFrame(3);
    EXPECT_TRUE(rx.feed(std::span(ack).first(7)).empty());
    ASSERT_TRUE(rx.pending());
    const auto expiry = rx.expire();
    EXPECT_TRUE(expiry.shortFragment);
    EXPECT_TRUE(expiry.frames.empty());
    EXPECT_FALSE(rx.pending());
    expectCounters(counters, 1, 0, 0);

    // The rest of the old frame arriving late is garbage, and the next frame
    // is read normally.
    const auto frames = rx.feed(cat({Bytes(ack.begin() + 7, ack.end()), ack}));
    ASSERT_EQ(frames.size(), 1u);
    expectCounters(counters, 1, 1, 0);
}

TEST(Receiver, AFragmentAfterAFrameIsStillAShortFragment) {
    // A lost acknowledgement's remains follow the previous one in the stream.
    Counters counters;
    Receiver rx(counters);
    const Bytes ack = ackFrame(3);
    EXPECT_EQ(rx.feed(cat({ack, Bytes{0xBC, 0x12}})).size(), 1u);
    EXPECT_TRUE(rx.expire().shortFragment);
    expectCounters(counters, 1, 0, 0);
}

// A stray 0xBC whose following bytes read as a plausible length would hold
// every frame behind it until it could be completed (up to 1,027 bytes) or
// expired. Each valid frame must come out on the read that completes it.
TEST(Receiver, AValidFrameBehindAStrayHeaderComesOutAtOnce) {
    // A data reply's header with nothing behind it: 508 bytes announced.
    const Bytes stray{0xBC, 0x12, 0x07, 0x01, 0xF4};
    const Bytes ack1 = ackFrame(1), ack2 = ackFrame(2);
    struct Case {
        const char* name;
        std::vector<Bytes> reads;
        std::vector<std::size_t> framesAfterRead;  // frames out so far, after each read
        std::uint32_t code15, code20;
        bool pendingAtEnd;
    };
    const std::vector<Case> cases{
        // The lone start byte reads the ack's own first bytes as a length of 0x0200.
        {"a lone start byte", {cat({Bytes{0xBC}, ack1})}, {1}, 0, 0, false},
        {"a header", {cat({stray, ack1})}, {1}, 0, 0, false},
        {"a header between two frames", {cat({ack1, stray, ack2})}, {2}, 0, 1, false},
        {"headers around every frame, one read each", {cat({stray, ack1, stray}), cat({stray, ack2, stray})},
         {1, 2}, 0, 0, true},
        {"a header, then the frame in two reads", {stray, Bytes(ack1.begin(), ack1.begin() + 6),
                                                   Bytes(ack1.begin() + 6, ack1.end())}, {0, 0, 1}, 0, 0, false},
        {"two headers, then garbage and a frame", {cat({stray, stray, Bytes{0x00, 0x7E}, ack1})}, {1}, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Counters counters;
        Receiver rx(counters);
        std::vector<Frame> frames;
        for (std::size_t i = 0; i < c.reads.size(); ++i) {
            for (Frame& f : rx.feed(c.reads[i])) frames.push_back(std::move(f));
            EXPECT_EQ(frames.size(), c.framesAfterRead[i]) << "after read " << i;
        }
        for (const Frame& f : frames) EXPECT_EQ(f.code, vek::protocol::RspAck);
        expectCounters(counters, 0, c.code15, c.code20);
        EXPECT_EQ(rx.pending(), c.pendingAtEnd);
    }

    // Byte by byte, as a trickle delivers it, each ack comes out with its
    // last byte.
    const Bytes stream = cat({stray, ack1, stray, stray, ack2, stray});
    Counters counters;
    Receiver rx(counters);
    std::vector<std::size_t> completedAt;
    for (std::size_t i = 0; i < stream.size(); ++i)
        for (const Frame& f : rx.feed(std::span(stream).subspan(i, 1))) {
            (void)f;
            completedAt.push_back(i + 1);
        }
    const std::size_t end1 = stray.size() + ack1.size();
    EXPECT_EQ(completedAt, (std::vector<std::size_t>{end1, end1 + 2 * stray.size() + ack2.size()}));
    expectCounters(counters, 0, 0, 0);
}

// The rule above must not cut short a frame that is still arriving, even when
// its payload holds start bytes and headers of its own.
TEST(Receiver, APartialFrameWithHeadersInsideWaitsForItsRest) {
    Bytes data(500, 0x42);
    const Bytes inner = ackFrame(7);
    // A plausible header, an ack with one sum byte wrong, stray start bytes.
    std::copy(inner.begin(), inner.end() - 1, data.begin() + 20);
    data[20 + inner.size() - 1] = static_cast<std::uint8_t>(inner.back() ^ 0x01);
    const Bytes header{0xBC, 0x12, 0x07, 0x00, 0x10};
    std::copy(header.begin(), header.end(), data.begin() + 100);
    data[300] = 0xBC;
    data[499] = 0xBC;
    const Bytes reply = dataFrame(0x0801F000, data);
    for (std::size_t chunk : {1u, 13u, 64u, 511u}) {
        SCOPED_TRACE("chunk " + std::to_string(chunk));
        Counters counters;
        Receiver rx(counters);
        std::vector<Frame> frames;
        for (std::size_t at = 0; at < reply.size(); at += chunk) {
            const std::size_t n = std::min(chunk, reply.size() - at);
            for (Frame& f : rx.feed(std::span(reply).subspan(at, n))) frames.push_back(std::move(f));
            if (at + n < reply.size()) {
                EXPECT_TRUE(frames.empty());
                EXPECT_TRUE(rx.pending());
            }
        }
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].code, vek::protocol::RspConfigData);
        EXPECT_EQ(Bytes(frames[0].payload.begin() + 6, frames[0].payload.end()), data);
        EXPECT_FALSE(rx.pending());
        expectCounters(counters, 0, 0, 0);
    }
}

TEST(Receiver, AStrayHeaderAloneWaitsAndExpires) {
    Counters counters;
    Receiver rx(counters);
    const Bytes ack = ackFrame(9);
    // A header whose announced frame never comes, with a frame cut short
    // behind it: nothing complete to take, so it waits for the expiry.
    EXPECT_TRUE(rx.feed(cat({Bytes{0xBC, 0x12, 0x07, 0x01, 0xF4}, Bytes(ack.begin(), ack.end() - 1)})).empty());
    EXPECT_TRUE(rx.pending());
    const auto expiry = rx.expire();
    EXPECT_FALSE(expiry.shortFragment);
    EXPECT_TRUE(expiry.frames.empty());
    EXPECT_TRUE(rx.pending());  // the cut ack is searched again and waits
    EXPECT_TRUE(rx.expire().frames.empty());
    EXPECT_FALSE(rx.pending());
    expectCounters(counters, 0, 0, 0);
}

TEST(Receiver, ResetForgetsAPartialFrame) {
    Counters counters;
    Receiver rx(counters);
    const Bytes ack = ackFrame(1);
    rx.feed(std::span(ack).first(4));
    rx.reset();
    EXPECT_FALSE(rx.pending());
    EXPECT_EQ(rx.feed(ack).size(), 1u);
    expectCounters(counters, 0, 0, 0);
}

TEST(Receiver, RandomStreamsGiveTheSameFramesHoweverTheyAreCut) {
    std::mt19937 rng(20240601);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::size_t framesSeen = 0;
    for (int round = 0; round < 200; ++round) {
        Bytes stream;
        for (int piece = pick(1, 12); piece > 0; --piece) {
            Bytes payload(static_cast<std::size_t>(pick(0, pick(0, 1) ? 20 : 1019)));
            for (auto& b : payload) b = static_cast<std::uint8_t>(pick(0, 255));
            Bytes f = unitFrame(static_cast<std::uint8_t>(pick(0, 12)), payload);
            switch (pick(0, 5)) {
                case 0:  // wrong sum
                    f.back() ^= 1;
                    break;
                case 1:  // cut short
                    f.resize(static_cast<std::size_t>(pick(1, 7)));
                    break;
                case 2:  // garbage first
                    f.insert(f.begin(), static_cast<std::size_t>(pick(1, 5)), 0x33);
                    break;
                default:
                    break;
            }
            stream.insert(stream.end(), f.begin(), f.end());
        }
        const Outcome whole = feedInChunks(stream, stream.size());
        Counters counters;
        Receiver rx(counters);
        std::vector<Frame> frames;
        for (std::size_t at = 0; at < stream.size();) {
            const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(pick(1, 80)), stream.size() - at);
            for (Frame& f : rx.feed(std::span(stream).subspan(at, n))) frames.push_back(std::move(f));
            at += n;
        }
        ASSERT_EQ(describe(frames), whole.frames) << "round " << round;
        ASSERT_EQ(rx.pending(), whole.pending);
        framesSeen += frames.size();
    }
    EXPECT_GT(framesSeen, 300u);  // the streams are not all damage
}
