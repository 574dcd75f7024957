#include <gtest/gtest.h>

#include <numeric>

#include "fake_host.h"
#include "fake_unit.h"
#include "transfer/block_transfer.h"
#include "transfer/firmware.h"

namespace protocol = vek::protocol;
namespace transfer = vek::transfer;
using protocol::Bytes;
using transfer::BlockTransfer;
using transfer::Outcome;
using namespace vek::test;

namespace {

Bytes patternImage(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return b;
}

struct Sent {
    std::uint16_t transferId, block, blockCount;
    Bytes data;
};

Sent decode(const Bytes& frame) {
    const auto f = protocol::parseFrame(frame);
    EXPECT_TRUE(f);
    return {protocol::getU16(f->payload, 0), protocol::getU16(f->payload, 2), protocol::getU16(f->payload, 4),
            Bytes(f->payload.begin() + 6, f->payload.end())};
}

class BlockTransferTest : public ::testing::Test {
protected:
    FakeHost host;
    FakeUnit unit;
    protocol::Counters counters;
    BlockTransfer engine{host, counters};

    BlockTransferTest() {
        host.onWrite = [this](const Bytes& f) { unit.receive(f); };
    }

    // Hands the unit's queued replies to the engine, as the dispatch would.
    void deliver() {
        while (!unit.outbox.empty()) {
            const auto f = protocol::parseFrame(unit.outbox.front());
            unit.outbox.pop_front();
            if (f->code == protocol::RspAck) {
                settle(engine.onAck(protocol::getU16(f->payload, 0)));
            } else if (f->code == protocol::RspNack) {
                settle(engine.onNack());
            }
        }
    }

    // What the session does with a failure: shows it in a box.
    Outcome settle(Outcome outcome) {
        if (outcome == Outcome::Failed) host.failed(engine.failure(), counters);
        return outcome;
    }

    std::vector<std::uint16_t> blocksWritten() const {
        std::vector<std::uint16_t> out;
        for (const Bytes& w : host.writes) out.push_back(decode(w).block);
        return out;
    }
};

}  // namespace

TEST_F(BlockTransferTest, ImagesOfEverySizeArriveWholeWithTheirCheckBlock) {
    struct Case {
        std::size_t size;
        std::uint32_t blockCount;
        std::size_t lastDataBlock;  // bytes in the last data block
    };
    for (const Case c : {Case{0, 1, 0}, Case{30, 2, 30}, Case{96, 3, 48}, Case{91132, 1900, 28}}) {
        SCOPED_TRACE(c.size);
        host.forget();
        const Bytes image = patternImage(c.size);
        settle(engine.TxInit(transfer::KindConfiguration, image, 0x5A, 0x01020304));
        EXPECT_EQ(engine.pacing().blockCount, c.blockCount);
        EXPECT_EQ(host.progressMaximum, static_cast<int>(c.blockCount));
        deliver();

        EXPECT_FALSE(engine.running());
        EXPECT_FALSE(host.timer1);
        ASSERT_EQ(host.writes.size(), c.blockCount);
        std::vector<std::uint16_t> expected(c.blockCount);
        std::iota(expected.begin(), expected.end(), 1);
        EXPECT_EQ(blocksWritten(), expected);
        for (const Bytes& w : host.writes) EXPECT_EQ(decode(w).blockCount, c.blockCount);
        if (c.blockCount > 1) {
            EXPECT_EQ(decode(host.writes[c.blockCount - 2]).data.size(), c.lastDataBlock);
        }
        EXPECT_EQ(unit.received, image);
        EXPECT_EQ(unit.checkBytes, (Bytes{0x5A, 0x01, 0x02, 0x03, 0x04}));
        EXPECT_EQ(host.countLog("Iniciando atualização..."), 1);
        // Success is not the engine's to say: the session says it once the
        // unit shows it.
        EXPECT_FALSE(host.logged("Atualização concluída com sucesso!"));
        EXPECT_EQ(host.progress.back(), 0);
        EXPECT_TRUE(host.failures.empty());
    }
}

TEST_F(BlockTransferTest, FirmwareFramesAndCheckBlock) {
    settle(engine.TxInit(transfer::KindFirmware, transfer::firmwareImage(), transfer::kFirmwareCheckXor,
                  transfer::kFirmwareCheckSum));
    deliver();
    ASSERT_EQ(host.writes.size(), 1900u);
    const Bytes& first = host.writes.front();
    EXPECT_EQ(first.size(), 62u);
    EXPECT_EQ(protocol::getU16(first, 3), 54);
    EXPECT_EQ(first[2], 1);  // kind
    const Bytes& check = host.writes.back();
    EXPECT_EQ(check.size(), 19u);
    EXPECT_EQ(protocol::getU16(check, 3), 11);
    EXPECT_EQ(decode(check).data, (Bytes{0xD7, 0x00, 0x79, 0xC8, 0x9D}));
    EXPECT_EQ(host.writes[1898].size(), 28u + 6 + 8);
    EXPECT_TRUE(std::equal(unit.received.begin(), unit.received.end(), transfer::kFirmwareData));
    EXPECT_EQ(unit.received.size(), transfer::kFirmwareSize);
    // Progress follows the block number.
    EXPECT_EQ(host.progress[0], 1);
    EXPECT_EQ(host.progress[1899], 1900);
    EXPECT_EQ(host.countLog("Atualizando firmware..."), 1);
    EXPECT_EQ(host.countLog("Atualizando configuração..."), 0);
    EXPECT_FALSE(host.logged("Atualização concluída com sucesso!"));
}

TEST_F(BlockTransferTest, WithNoReplyTheBlockGoesOutFourTimesThenTheTransferFails) {
    unit.silent = true;
    const Bytes image = patternImage(100);
    settle(engine.TxInit(transfer::KindConfiguration, image, 0, 0));
    EXPECT_TRUE(host.timer1);
    std::vector<int> sendsAtStep{static_cast<int>(host.writes.size())};
    for (int step = 1; step <= 10; ++step) {
        const std::size_t before = host.writes.size();
        EXPECT_TRUE(host.failures.empty()) << "step " << step;
        settle(engine.Timer1Timer());
        sendsAtStep.push_back(static_cast<int>(host.writes.size() - before));
    }
    EXPECT_EQ(sendsAtStep, (std::vector<int>{1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0}));
    EXPECT_EQ(blocksWritten(), (std::vector<std::uint16_t>{1, 1, 1, 1}));
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].how, transfer::Failure::GaveUp);
    EXPECT_EQ(host.failures[0].counters, protocol::Counters{});
    EXPECT_EQ(host.progress.back(), 0);
    EXPECT_FALSE(host.timer1);
    EXPECT_FALSE(engine.running());

    settle(engine.Timer1Timer());  // a late tick changes nothing
    EXPECT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.writes.size(), 4u);
}

TEST_F(BlockTransferTest, RefusalsCountAsIdleStepsAndEndItSooner) {
    unit.refuseAll = true;
    const Bytes image = patternImage(100);
    settle(engine.TxInit(transfer::KindConfiguration, image, 0, 0));
    deliver();
    int ticks = 0;
    while (host.failures.empty() && ticks < 20) {
        settle(engine.Timer1Timer());
        deliver();
        ++ticks;
    }
    EXPECT_EQ(ticks, 6);  // instead of 10
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].how, transfer::Failure::GaveUp);
    EXPECT_EQ(host.failures[0].counters.Nacks, 4u);
    EXPECT_EQ(blocksWritten(), (std::vector<std::uint16_t>{1, 1, 1, 1}));
}

TEST_F(BlockTransferTest, AckOfAnotherBlockSendsTheCurrentOneAgainAtOnce) {
    unit.silent = true;
    const Bytes image = patternImage(200);
    settle(engine.TxInit(transfer::KindConfiguration, image, 0, 0));
    settle(engine.onAck(1));
    EXPECT_EQ(blocksWritten(), (std::vector<std::uint16_t>{1, 2}));
    settle(engine.Timer1Timer());
    settle(engine.Timer1Timer());
    EXPECT_EQ(engine.pacing().idleTicks, 2);
    settle(engine.onAck(1));  // stale: sent again at once, but no progress
    EXPECT_EQ(blocksWritten(), (std::vector<std::uint16_t>{1, 2, 2}));
    EXPECT_EQ(engine.pacing().idleTicks, 3);
    // The final block's number before the check block went out completes nothing.
    settle(engine.onAck(static_cast<std::uint16_t>(engine.pacing().blockCount)));
    EXPECT_TRUE(engine.running());
    EXPECT_EQ(blocksWritten().back(), 2);
    EXPECT_FALSE(host.logged("Atualização concluída com sucesso!"));
}

TEST_F(BlockTransferTest, ProgressLineOncePerTransfer) {
    unit.silent = true;
    const Bytes image = patternImage(200);
    for (int transferNo = 0; transferNo < 2; ++transferNo) {
        host.forget();
        settle(engine.TxInit(transfer::KindConfiguration, image, 0, 0));
        settle(engine.onAck(1));
        settle(engine.onAck(1));
        settle(engine.onAck(2));
        EXPECT_EQ(host.countLog("Atualizando configuração..."), 1);
        EXPECT_EQ(host.countLog("Atualizando firmware..."), 0);
    }
}

TEST_F(BlockTransferTest, PortClosedAtTheStartOrLater) {
    const Bytes image = patternImage(100);
    host.open = false;
    settle(engine.TxInit(transfer::KindFirmware, image, 0, 0));
    EXPECT_FALSE(host.logged("Iniciando atualização..."));
    EXPECT_TRUE(host.writes.empty());
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].how, transfer::Failure::NoConnection);
    EXPECT_FALSE(host.timer1);
    EXPECT_FALSE(engine.running());

    host.forget();
    host.open = true;
    unit.silent = true;
    settle(engine.TxInit(transfer::KindFirmware, image, 0, 0));
    host.open = false;  // unplugged
    settle(engine.Timer1Timer());
    settle(engine.Timer1Timer());
    settle(engine.onAck(1));
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].how, transfer::Failure::NoConnection);
    EXPECT_EQ(host.progress.back(), 0);
    EXPECT_FALSE(host.timer1);
}

TEST_F(BlockTransferTest, RepliesWithNoTransferRunningChangeNothing) {
    EXPECT_EQ(settle(engine.onAck(1)), Outcome::Ignored);
    settle(engine.onNack());
    settle(engine.Timer1Timer());
    EXPECT_TRUE(host.trace.empty());
    EXPECT_EQ(counters.Nacks, 0u);

    // Nor after a transfer has ended.
    const Bytes image = patternImage(10);
    settle(engine.TxInit(transfer::KindConfiguration, image, 0, 0));
    deliver();
    host.forget();
    EXPECT_EQ(settle(engine.onAck(2)), Outcome::Ignored);
    EXPECT_TRUE(host.trace.empty());
}

TEST_F(BlockTransferTest, EveryTransferGetsAFreshId) {
    unit.silent = true;
    const Bytes image = patternImage(10);
    std::vector<std::uint16_t> ids;
    for (int i = 0; i < 200; ++i) {
        settle(engine.TxInit(transfer::KindConfiguration, image, 0, 0));
        ids.push_back(engine.state().transferId);
        EXPECT_EQ(decode(host.writes.back()).transferId, ids.back());
    }
    for (std::size_t i = 1; i < ids.size(); ++i) {
        EXPECT_NE(ids[i], ids[i - 1]);
        EXPECT_NE(ids[i], 0);
    }
    // Another run of the tool, seeded differently, starts elsewhere.
    BlockTransfer other{host, counters};
    other.setSeed(0xC0FFEE);
    other.TxInit(transfer::KindConfiguration, image, 0, 0);
    EXPECT_NE(other.state().transferId, ids.front());
}

TEST_F(BlockTransferTest, TxInitRestartsFromBlockOneWithClearedCounters) {
    unit.silent = true;
    const Bytes image = patternImage(200);
    settle(engine.TxInit(transfer::KindConfiguration, image, 0, 0));
    settle(engine.onAck(1));
    settle(engine.onNack());
    EXPECT_EQ(counters.Nacks, 1u);
    const auto firstId = engine.state().transferId;
    settle(engine.TxInit(transfer::KindConfiguration, image, 0, 0));
    EXPECT_EQ(counters.Nacks, 0u);
    EXPECT_EQ(engine.pacing().currentBlock, 1u);
    EXPECT_EQ(engine.pacing().lastAcked, 0xFFFFFFu);
    EXPECT_NE(engine.state().transferId, firstId);
    EXPECT_EQ(blocksWritten().back(), 1);
}

// A unit that always names another block is answered at once each time, but
// no answer is progress: it fails as a silent unit does, with the same box,
// instead of being fed the same block forever.
TEST_F(BlockTransferTest, AUnitThatAlwaysAcknowledgesTheWrongBlockFails) {
    unit.wrongAckAlways = true;
    const Bytes image = patternImage(480);
    settle(engine.TxInit(transfer::KindConfiguration, image, 0, 0));
    int ticks = 0;
    for (; engine.running() && ticks < 20; ++ticks) {
        deliver();
        if (engine.running()) settle(engine.Timer1Timer());
    }
    EXPECT_FALSE(engine.running());
    EXPECT_LE(ticks, 10);
    EXPECT_LE(host.writes.size(), 12u);
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].how, transfer::Failure::GaveUp);
    EXPECT_EQ(host.failures[0].counters, protocol::Counters{});
    EXPECT_FALSE(host.timer1);
}
