#include <gtest/gtest.h>

#include "protocol/frame.h"

using vek::protocol::Bytes;
namespace protocol = vek::protocol;

TEST(Frame, JumpFrameIsTheDocumentedEightBytes) {
    EXPECT_EQ(protocol::jumpFrame(), (Bytes{0xBC, 0x21, 0x05, 0x00, 0x00, 0x00, 0x00, 0xE2}));
}

TEST(Frame, MemoryReadCarriesAddressAndCountBigEndian) {
    const Bytes f = protocol::memoryReadFrame(0x0801F7D0, 32);
    const Bytes head{0xBC, 0x21, 0x07, 0x00, 0x06, 0x08, 0x01, 0xF7, 0xD0, 0x00, 0x20};
    ASSERT_EQ(f.size(), 14u);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), f.begin()));
    const std::uint32_t sum = protocol::byteSum(head);
    EXPECT_EQ(f[11], (sum >> 16) & 0xFF);
    EXPECT_EQ(f[12], (sum >> 8) & 0xFF);
    EXPECT_EQ(f[13], sum & 0xFF);
}

TEST(Frame, BlockFrameHeaderAndLength) {
    const Bytes data(48, 0xAA);
    const Bytes f = protocol::blockFrame(6, 0x1234, 2, 44, data);
    ASSERT_EQ(f.size(), 62u);
    EXPECT_EQ((Bytes{f.begin(), f.begin() + 11}),
              (Bytes{0xBC, 0x21, 0x06, 0x00, 54, 0x12, 0x34, 0x00, 0x02, 0x00, 44}));
    EXPECT_TRUE(protocol::parseFrame(f).has_value());
}

TEST(Frame, DestinationNibbleDecidesWhetherAFrameIsForTheTool) {
    struct Case {
        std::uint8_t route;
        bool forTool;
    };
    for (const Case c : {Case{0x12, true}, Case{0x02, true}, Case{0x21, false}, Case{0x11, false}}) {
        const auto f = protocol::parseFrame(protocol::buildFrame(protocol::RspAck, Bytes{0, 1}, c.route));
        ASSERT_TRUE(f.has_value());
        EXPECT_EQ(f->forTool(), c.forTool) << std::hex << int{c.route};
    }
}

TEST(Frame, ParseRefusesDamage) {
    const Bytes good = protocol::buildFrame(protocol::RspAck, Bytes{0, 1}, 0x12);
    ASSERT_TRUE(protocol::parseFrame(good).has_value());

    Bytes badSum = good;
    badSum.back() ^= 1;
    Bytes badStart = good;
    badStart[0] = 0xBD;
    Bytes longer = good;
    longer.push_back(0);
    const Bytes shorter(good.begin(), good.end() - 1);
    Bytes oversized = protocol::buildFrame(0x09, Bytes(1020, 0), 0x12);  // one byte over the limit

    for (const Bytes& b : {badSum, badStart, longer, shorter, oversized}) EXPECT_FALSE(protocol::parseFrame(b));
    EXPECT_TRUE(protocol::parseFrame(protocol::buildFrame(0x09, Bytes(1019, 0xFF), 0x12)));
}
