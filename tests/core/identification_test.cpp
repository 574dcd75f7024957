#include <gtest/gtest.h>

#include "fake_unit.h"
#include "protocol/identification.h"

namespace protocol = vek::protocol;
using protocol::NextStep;
using vek::test::UnitIdentity;

namespace {

protocol::Identification identify(std::array<std::uint8_t, 4> version, std::uint8_t mode = 1) {
    UnitIdentity u;
    u.mode = mode;
    u.version = version;
    const auto frame = protocol::parseFrame(vek::test::identificationFrame(u));
    return *protocol::parseIdentification(frame->payload);
}

}  // namespace

TEST(Identification, PayloadFieldsAndTheVersionLine) {
    UnitIdentity u;
    u.version = {41, 1, 2, 46};
    u.words = {0x00000001, 0x00000002, 0x00000003};
    u.configBase = 0x0801F800;
    const auto frame = protocol::parseFrame(vek::test::identificationFrame(u));
    const auto ident = protocol::parseIdentification(frame->payload);
    ASSERT_TRUE(ident);
    EXPECT_EQ(ident->mode, 1);
    EXPECT_EQ(ident->configBase, 0x0801F800u);
    EXPECT_EQ(protocol::versionLine(*ident), "Vek v41.1.2.46\r\nId: 00000003 00000002 00000001");
    EXPECT_EQ(protocol::idListLine(ident->id), "00000003 00000002 00000001");
    EXPECT_EQ(protocol::idDigits(ident->id), "000000030000000200000001");

    EXPECT_FALSE(protocol::parseIdentification(std::span(frame->payload).first(44)));
}

TEST(Identification, HexDigitsAreUpperCaseAndZeroPadded) {
    protocol::UnitId id{0xDEADBEEF, 0x00ABCDEF, 0x0000000A};
    EXPECT_EQ(protocol::idListLine(id), "0000000A 00ABCDEF DEADBEEF");
}

TEST(Identification, DigitsReadBackToTheIdentifier) {
    const protocol::UnitId id{0xDEADBEEF, 0x00ABCDEF, 0x0000000A};
    EXPECT_EQ(protocol::parseIdDigits(protocol::idDigits(id)), id);
    EXPECT_EQ(protocol::parseIdDigits("0000000a00abcdefdeadbeef"), id);
    for (const char* bad : {"", "0000000A00ABCDEFDEADBEE", "0000000A00ABCDEFDEADBEEF0", "0000000A 0ABCDEFDEADBEEF",
                            "0000000G00ABCDEFDEADBEEF"})
        EXPECT_FALSE(protocol::parseIdDigits(bad)) << bad;
}

TEST(Identification, NextStepTable) {
    struct Case {
        std::array<std::uint8_t, 4> version;
        std::uint8_t mode;
        NextStep step;
    };
    const Case cases[] = {
        {{4, 0, 2, 47}, 1, NextStep::UpToDateThenRead},
        {{3, 0, 2, 47}, 1, NextStep::UpToDateThenRead},
        {{41, 1, 2, 48}, 1, NextStep::UpToDateThenRead},
        {{4, 0, 3, 0}, 1, NextStep::UpToDateThenRead},
        {{41, 1, 2, 46}, 1, NextStep::UpdateFirmware},
        {{3, 0, 1, 99}, 1, NextStep::UpdateFirmware},
        {{4, 0, 255, 255}, 1, NextStep::UpdateFirmware},
        {{4, 0, 99, 0}, 1, NextStep::UpdateFirmware},
        {{4, 0, 99, 200}, 1, NextStep::UpdateFirmware},
        {{4, 0, 255, 254}, 1, NextStep::UpToDateThenRead},
        {{2, 5, 0, 0}, 1, NextStep::DiscontinuedThenRead},
        {{1, 0, 2, 47}, 1, NextStep::DiscontinuedThenRead},
        {{7, 0, 1, 0}, 1, NextStep::Nothing},
        {{5, 0, 1, 0}, 1, NextStep::Nothing},
        {{4, 0, 2, 46}, 0, NextStep::OperationMode},
        {{4, 0, 2, 47}, 0x80, NextStep::UpToDateThenRead},  // any non-zero mode is maintenance
    };
    for (const Case& c : cases) {
        const auto ident = identify(c.version, c.mode);
        EXPECT_EQ(protocol::nextStep(ident), c.step)
            << int{c.version[0]} << '.' << int{c.version[1]} << '.' << int{c.version[2]} << '.'
            << int{c.version[3]} << " mode " << int{c.mode};
    }
}

TEST(Identification, ListingRule) {
    const protocol::UnitId none{};
    const auto current = identify({4, 0, 2, 47});
    EXPECT_TRUE(protocol::shouldList(current, none));
    EXPECT_FALSE(protocol::shouldList(current, current.id));  // listed just before
    EXPECT_TRUE(protocol::shouldList(identify({41, 3, 2, 47}), none));
    EXPECT_FALSE(protocol::shouldList(identify({3, 0, 2, 47}), none));
    EXPECT_FALSE(protocol::shouldList(identify({4, 0, 2, 48}), none));
    EXPECT_FALSE(protocol::shouldList(identify({4, 0, 2, 46}), none));
    EXPECT_FALSE(protocol::shouldList(identify({4, 0, 2, 47}, 0), none));
}
