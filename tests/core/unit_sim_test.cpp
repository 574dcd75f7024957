// The simulated unit's faults, bytes in and bytes out: what a test of the
// tool relies on when it asks the unit to misbehave.

#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "protocol/receiver.h"
#include "transfer/firmware.h"
#include "unit_sim.h"

using vek::protocol::Bytes;
using vek::protocol::Frame;
using vek::sim::Faults;
using vek::sim::Output;
using vek::sim::UnitSim;

namespace {

constexpr std::uint16_t kConfigBlocks = 44;  // 2,032 bytes in 48-byte blocks, then the check block

Bytes configImage() {
    Bytes image(vek::sim::kConfigSize);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

Bytes configBlock(const Bytes& image, std::uint16_t block) {
    if (block == kConfigBlocks) {
        std::uint8_t x = 0;
        for (std::uint8_t b : image) x ^= b;
        Bytes check{x};
        vek::protocol::putU32(check, vek::protocol::byteSum(image));
        return vek::protocol::blockFrame(vek::protocol::CmdConfigBlock, 0x1234, block, kConfigBlocks, check);
    }
    const std::size_t from = (block - 1u) * 48u;
    const std::size_t to = std::min(image.size(), from + 48);
    return vek::protocol::blockFrame(vek::protocol::CmdConfigBlock, 0x1234, block, kConfigBlocks,
                                     std::span(image).subspan(from, to - from));
}

// The frames in what the unit sent, as the tool's receiver reads them.
std::vector<Frame> framesIn(const std::vector<Output>& outputs) {
    vek::protocol::Counters counters;
    vek::protocol::Receiver rx(counters);
    std::vector<Frame> frames;
    for (const Output& o : outputs)
        for (Frame& f : rx.feed(o.bytes)) frames.push_back(std::move(f));
    return frames;
}

// Sends the firmware the tool installs, block by block with its check values,
// and returns what the unit sent after the last one.
std::vector<Output> sendFirmware(UnitSim& unit) {
    const auto image = vek::transfer::firmwareImage();
    const auto blocks = static_cast<std::uint16_t>((image.size() + 47) / 48 + 1);
    for (std::uint16_t b = 1; b < blocks; ++b) {
        const std::size_t from = (b - 1u) * 48u;
        unit.receive(vek::protocol::blockFrame(vek::protocol::CmdFirmwareBlock, 0x0777, b, blocks,
                                                     image.subspan(from, std::min<std::size_t>(48, image.size() - from))));
    }
    Bytes check{vek::transfer::kFirmwareCheckXor};
    vek::protocol::putU32(check, vek::transfer::kFirmwareCheckSum);
    return unit.receive(vek::protocol::blockFrame(vek::protocol::CmdFirmwareBlock, 0x0777, blocks, blocks, check));
}

std::uint16_t ackedBlock(const std::vector<Output>& outputs) {
    const auto frames = framesIn(outputs);
    EXPECT_EQ(frames.size(), 1u);
    if (frames.size() != 1 || frames[0].code != vek::protocol::RspAck) return 0xFFFF;
    return vek::protocol::getU16(frames[0].payload, 0);
}

}  // namespace

TEST(UnitSim, AcknowledgementsAndReadsCanNameTheWrongBlock) {
    const Bytes image = configImage();
    struct Case {
        const char* name;
        int ackOffset;
        std::vector<std::uint16_t> acks;  // for blocks 1, 1 again, 2
    };
    for (const Case& c : std::vector<Case>{{"right", 0, {1, 1, 2}}, {"one ahead", 1, {2, 2, 3}},
                                           {"one behind", -1, {0, 0, 1}}}) {
        SCOPED_TRACE(c.name);
        UnitSim unit;
        unit.faults().ackOffset = c.ackOffset;
        EXPECT_EQ(ackedBlock(unit.receive(configBlock(image, 1))), c.acks[0]);
        EXPECT_EQ(ackedBlock(unit.receive(configBlock(image, 1))), c.acks[1]);
        EXPECT_EQ(ackedBlock(unit.receive(configBlock(image, 2))), c.acks[2]);
        // Whatever it says, the unit took each block once and in order.
        ASSERT_EQ(unit.transfers().size(), 1u);
        EXPECT_EQ(unit.transfers()[0].image, Bytes(image.begin(), image.begin() + 96));
        EXPECT_TRUE(unit.problems().empty());
    }

    // Reads: block k of the five is answered with block k - 1's address and
    // bytes, the first with the second's.
    UnitSim unit;
    unit.faults().readWrongBlock = true;
    const std::uint32_t base = unit.identity().configBase;
    const std::pair<std::uint32_t, std::uint16_t> reads[] = {{0, 500}, {500, 500}, {1500, 500}, {2000, 32}};
    const std::uint32_t answeredAt[] = {500, 0, 1000, 1500};
    for (std::size_t i = 0; i < std::size(reads); ++i) {
        const auto request = vek::protocol::memoryReadFrame(base + reads[i].first, reads[i].second);
        const auto frames = framesIn(unit.receive(request));
        ASSERT_EQ(frames.size(), 1u);
        const Bytes& p = frames[0].payload;
        EXPECT_EQ(vek::protocol::getU32(p, 0), base + answeredAt[i]);
        EXPECT_EQ(vek::protocol::getU16(p, 4), reads[i].second);
        EXPECT_TRUE(std::equal(p.begin() + 6, p.end(), unit.config().begin() + answeredAt[i]));
    }
}

TEST(UnitSim, AConfigurationWriteCanBeStoredWithOneByteWrong) {
    const Bytes image = configImage();
    for (int wrongAt : {-1, 0, 700, 2031}) {
        SCOPED_TRACE("wrong at " + std::to_string(wrongAt));
        UnitSim unit;
        unit.faults().storeConfigWrongAt = wrongAt;
        for (std::uint16_t b = 1; b <= kConfigBlocks; ++b)
            ASSERT_EQ(ackedBlock(unit.receive(configBlock(image, b))), b);
        ASSERT_TRUE(unit.transfers().at(0).accepted);
        EXPECT_EQ(unit.transfers()[0].image, image);  // what was sent arrived intact
        Bytes expected = image;
        if (wrongAt >= 0) expected[static_cast<std::size_t>(wrongAt)] ^= 0xFF;
        EXPECT_EQ(Bytes(unit.config().begin(), unit.config().end()), expected);
    }
}

TEST(UnitSim, StrayHeadersSurroundEveryFrameAndHoldNothingUp) {
    UnitSim unit;
    unit.faults().strayHeaders = true;
    const Bytes id = unit.identificationFrame();
    const auto out = unit.announce();
    ASSERT_EQ(out.size(), 1u);
    const Bytes header{0xBC, 0x12, 0x07, 0x01, 0xF4};
    Bytes expected = header;
    expected.insert(expected.end(), id.begin(), id.end());
    expected.insert(expected.end(), header.begin(), header.end());
    EXPECT_EQ(out[0].bytes, expected);

    // Every reply carries them, and the tool's receiver takes each frame as
    // soon as it is whole.
    vek::protocol::Counters counters;
    vek::protocol::Receiver rx(counters);
    EXPECT_EQ(rx.feed(out[0].bytes).size(), 1u);
    const auto reply = unit.receive(configBlock(configImage(), 1));
    ASSERT_EQ(reply.size(), 1u);
    const auto frames = rx.feed(reply[0].bytes);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].code, vek::protocol::RspAck);
    EXPECT_TRUE(rx.pending());  // the header after it, waiting for what never comes
}

TEST(UnitSim, FloodFramesAreValidButForAnotherDestination) {
    UnitSim unit;
    const Bytes a = unit.floodFrame(), b = unit.floodFrame();
    EXPECT_NE(a, b);
    for (const Bytes& f : {a, b}) {
        const auto frame = vek::protocol::parseFrame(f);
        ASSERT_TRUE(frame.has_value());
        EXPECT_FALSE(frame->forTool());
    }
    EXPECT_EQ(unit.floodFrames(), 2);
}

TEST(UnitSim, AfterNewFirmwareTheUnitCanComeBackUnchangedOrAsAnother) {
    using Words = std::array<std::uint32_t, 3>;
    const vek::sim::Identity before;
    const Words other{0x0000CAFE, 0x00000042, 0x0000BEEF};
    const std::array<std::uint8_t, 4> oldVersion{4, 0, 1, 9}, newVersion{4, 0, 2, 47};
    struct Case {
        const char* name;
        bool notTaken;
        std::optional<Words> returnAs;
        std::array<std::uint8_t, 4> version;
        Words id;
    };
    for (const Case& c : std::vector<Case>{
             {"taken", false, {}, newVersion, before.id},
             {"not taken", true, {}, oldVersion, before.id},
             {"another unit", false, other, newVersion, other},
         }) {
        SCOPED_TRACE(c.name);
        vek::sim::Identity start;
        start.version = oldVersion;
        UnitSim unit(start);
        unit.faults().firmwareNotTaken = c.notTaken;
        unit.faults().returnAs = c.returnAs;
        const auto frames = framesIn(sendFirmware(unit));
        ASSERT_TRUE(unit.transfers().at(0).accepted);
        EXPECT_EQ(unit.restarts(), 1);
        EXPECT_TRUE(unit.problems().empty());
        // The last block's acknowledgement, then the announcement after the restart.
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[0].code, vek::protocol::RspAck);
        ASSERT_EQ(frames[1].code, vek::protocol::RspIdentification);
        const Bytes& p = frames[1].payload;
        const Words id{vek::protocol::getU32(p, 1), vek::protocol::getU32(p, 5), vek::protocol::getU32(p, 9)};
        EXPECT_EQ(id, c.id);
        const std::array<std::uint8_t, 4> version{p[37], p[38], p[39], p[40]};
        EXPECT_EQ(version, c.version);
        // A later connection finds the same unit the restart announced.
        EXPECT_EQ(unit.announce().at(0).bytes, unit.identificationFrame());
        EXPECT_EQ(unit.identificationFrame(), vek::protocol::buildFrame(frames[1].code, p, frames[1].route));
    }
}
