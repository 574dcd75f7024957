#include <gtest/gtest.h>

#include "fake_host.h"
#include "fake_unit.h"
#include "transfer/config_read.h"

namespace protocol = vek::protocol;
namespace transfer = vek::transfer;
using protocol::Bytes;
using transfer::ConfigRead;
using transfer::Outcome;
using namespace vek::test;

namespace {

constexpr std::uint32_t kBase = 0x0801F000;

struct Request {
    std::uint32_t address;
    std::uint16_t count;
    bool operator==(const Request&) const = default;
};

class ConfigReadTest : public ::testing::Test {
protected:
    FakeHost host;
    FakeUnit unit;
    protocol::Counters counters;
    ConfigRead read{host, counters};
    Outcome lastOutcome = Outcome::Ignored;

    // What the session does with a failure: shows it in a box.
    Outcome settle(Outcome outcome) {
        if (outcome == Outcome::Failed) host.failed(read.failure(), counters);
        return outcome;
    }

    ConfigReadTest() {
        unit.configBase = kBase;
        for (std::size_t i = 0; i < unit.memory.size(); ++i) unit.memory[i] = static_cast<std::uint8_t>(i % 251);
        host.onWrite = [this](const Bytes& f) { unit.receive(f); };
    }

    void deliver() {
        while (!unit.outbox.empty()) {
            const auto f = protocol::parseFrame(unit.outbox.front());
            unit.outbox.pop_front();
            lastOutcome = settle(read.onData(f->payload));
        }
    }

    std::vector<Request> requests() const {
        std::vector<Request> out;
        for (const Bytes& w : host.writes) {
            const auto f = protocol::parseFrame(w);
            EXPECT_EQ(f->code, protocol::CmdMemoryRead);
            out.push_back({protocol::getU32(f->payload, 0), protocol::getU16(f->payload, 4)});
        }
        return out;
    }
};

}  // namespace

TEST_F(ConfigReadTest, FiveRequestsFillTheImage) {
    settle(read.start(kBase));
    deliver();
    EXPECT_EQ(lastOutcome, Outcome::Completed);
    EXPECT_EQ(requests(), (std::vector<Request>{
                              {kBase, 500}, {kBase + 500, 500}, {kBase + 1000, 500}, {kBase + 1500, 500}, {kBase + 2000, 32}}));
    EXPECT_EQ(read.image(), unit.memory);
    EXPECT_EQ(host.progressMaximum, 5);
    EXPECT_EQ(host.progress, (std::vector<int>{2, 3, 4, 5, 0}));
    EXPECT_EQ(host.logTexts(), (std::vector<std::string>{"Buscando configuração interna..."}));
    EXPECT_FALSE(read.running());
    EXPECT_FALSE(host.timer3);
    EXPECT_TRUE(host.failures.empty());
}

TEST_F(ConfigReadTest, NoAnswerResendsThenFails) {
    unit.silent = true;
    settle(read.start(kBase));
    EXPECT_TRUE(host.timer3);
    std::vector<int> sends;
    for (int step = 1; step <= 10; ++step) {
        const std::size_t before = host.writes.size();
        settle(read.Timer3Timer());
        sends.push_back(static_cast<int>(host.writes.size() - before));
    }
    EXPECT_EQ(sends, (std::vector<int>{0, 0, 1, 0, 1, 0, 1, 0, 0, 0}));
    for (const Request& r : requests()) EXPECT_EQ(r, (Request{kBase, 500}));
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].how, transfer::Failure::GaveUp);
    EXPECT_EQ(host.progress.back(), 0);
    EXPECT_FALSE(host.timer3);
    EXPECT_FALSE(read.running());
}

TEST_F(ConfigReadTest, LostReplyIsMadeGoodByTheResend) {
    settle(read.start(kBase));
    unit.outbox.clear();  // the first reply is lost
    settle(read.Timer3Timer());
    settle(read.Timer3Timer());
    EXPECT_TRUE(unit.outbox.empty());
    settle(read.Timer3Timer());  // idle step 3: asked again
    deliver();
    EXPECT_EQ(lastOutcome, Outcome::Completed);
    EXPECT_EQ(read.image(), unit.memory);
}

TEST_F(ConfigReadTest, PortClosed) {
    host.open = false;
    settle(read.start(kBase));
    EXPECT_TRUE(host.writes.empty());
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].how, transfer::Failure::NoConnection);
    EXPECT_FALSE(host.timer3);
    EXPECT_FALSE(read.running());
}

TEST_F(ConfigReadTest, RepliesThatDoNotFitAreDropped) {
    unit.silent = true;
    settle(read.start(kBase));
    auto payloadOf = [](const Bytes& frame) { return protocol::parseFrame(frame)->payload; };
    const Bytes hundred(100, 0xEE);
    Bytes claimsMore = payloadOf(dataFrame(kBase, hundred));
    claimsMore[5] = 101;  // one byte more than carried
    const std::vector<Bytes> bad{
        payloadOf(dataFrame(kBase - 1, hundred)),            // before the image
        payloadOf(dataFrame(kBase + 2000, Bytes(33, 0xEE))),  // runs past its end
        payloadOf(dataFrame(kBase + 2032, Bytes(1, 0xEE))),   // after it
        payloadOf(dataFrame(kBase + 0x7FFFFFFF, hundred)),
        claimsMore,
        Bytes{0x08, 0x01, 0xF0, 0x00, 0x00, 0x00},  // shorter than 7
    };
    const auto imageBefore = read.image();
    for (const Bytes& p : bad) EXPECT_EQ(read.onData(p), Outcome::Ignored);
    EXPECT_EQ(read.image(), imageBefore);
    EXPECT_EQ(read.pacing().lastAcked, 0xFFFFFFu);
    EXPECT_EQ(host.writes.size(), 1u);
}

TEST_F(ConfigReadTest, TheLastBlockCompletesOnlyOnceAskedFor) {
    unit.silent = true;
    settle(read.start(kBase));
    const auto early = protocol::parseFrame(dataFrame(kBase + 2000, Bytes(32, 0x11)))->payload;
    EXPECT_EQ(read.onData(early), Outcome::Running);
    EXPECT_TRUE(read.running());
    EXPECT_EQ(host.writes.size(), 2u);  // the first request, sent again at once
}

TEST_F(ConfigReadTest, DataWithNoReadRunningIsIgnored) {
    const auto p = protocol::parseFrame(dataFrame(kBase, Bytes(500, 0x11)))->payload;
    EXPECT_EQ(read.onData(p), Outcome::Ignored);
    EXPECT_TRUE(host.trace.empty());
}

TEST_F(ConfigReadTest, AUnitThatAlwaysAnswersAnotherBlockFails) {
    unit.wrongReadAlways = true;
    settle(read.start(kBase));
    int ticks = 0;
    for (; read.running() && ticks < 20; ++ticks) {
        deliver();
        if (read.running()) settle(read.Timer3Timer());
    }
    EXPECT_FALSE(read.running());
    EXPECT_LE(ticks, 10);
    EXPECT_LE(host.writes.size(), 12u);
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].how, transfer::Failure::GaveUp);
}
