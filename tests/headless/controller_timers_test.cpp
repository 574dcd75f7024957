// The controller's pacing as a unit meets it: what arrives at the simulated
// unit on a real pty, and when. A unit that stops acknowledging a transfer
// gets the block again at 1.5, 2.5 and 3.5 s and is given up at 5 s; one that
// stops answering a read is given up after about a second; "Fechar após
// configurar" closes the port about 50 ms after the last acknowledgement.
// Each time is allowed no less than 90 % of its nominal value (a wrong
// interval fails) and up to twice it (a loaded machine passes).
//
// The pacing timers run freely from the first block on, so a block sent on
// an acknowledgement meets the next tick anywhere up to one interval later.
// Each case therefore drops one answer first: its resend goes out on a
// tick, is answered at once, and the block that follows leaves one round
// trip after that tick. The nominal times count from the tick, so they are
// measured from the resend's arrival: the unit's own turnaround, which
// grows on a loaded machine, is not the tool's to keep.

#include <gtest/gtest.h>

#include <QString>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <vector>

#include "config/config_image.h"
#include "pty_host.h"
#include "unit/unit_controller.h"
#include "wait_for.h"

namespace vek::testing {
namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// What the unit saw, stamped on the host's thread as it arrived or left.
struct Wire {
    struct Arrival {
        protocol::Frame frame;
        Clock::time_point at;
    };

    explicit Wire(sim::PtyHost& host) : host_(host) {
        host.onReceive([this](std::size_t) {
            const Clock::time_point now = Clock::now();
            host_.withUnit([&](sim::UnitSim& u) {
                std::lock_guard lock(mutex_);
                for (std::size_t i = arrivals_.size(); i < u.frames().size(); ++i) arrivals_.push_back({u.frames()[i], now});
                return 0;
            });
        });
        host.onSend([this](std::size_t, Clock::time_point at) {
            std::lock_guard lock(mutex_);
            lastSend_ = at;
        });
        host.onConnection([this](bool open, Clock::time_point at) {
            std::lock_guard lock(mutex_);
            if (!open) {
                closedAt_ = at;
                lastSendBeforeClose_ = lastSend_;
            }
        });
    }

    // When each frame for which `pick` holds arrived.
    template <class Pick>
    std::vector<Clock::time_point> arrivals(Pick pick) const {
        std::lock_guard lock(mutex_);
        std::vector<Clock::time_point> out;
        for (const Arrival& a : arrivals_)
            if (pick(a.frame)) out.push_back(a.at);
        return out;
    }
    std::optional<Clock::time_point> closedAt() const {
        std::lock_guard lock(mutex_);
        return closedAt_;
    }
    Clock::time_point lastSendBeforeClose() const {
        std::lock_guard lock(mutex_);
        return lastSendBeforeClose_;
    }

private:
    sim::PtyHost& host_;
    mutable std::mutex mutex_;
    std::vector<Arrival> arrivals_;
    Clock::time_point lastSend_{};
    Clock::time_point lastSendBeforeClose_{};
    std::optional<Clock::time_point> closedAt_;
};

// Within [90 %, 200 %] of the nominal milliseconds. The figure measured is
// printed as well: how far from nominal a loaded machine runs is worth seeing.
::testing::AssertionResult nearNominal(double ms, double nominal) {
    std::printf("measured %.1f ms, nominal %.0f ms\n", ms, nominal);
    if (ms >= 0.9 * nominal && ms <= 2.0 * nominal) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ms << " ms against a nominal " << nominal << " ms";
}

struct Ended {
    explicit Ended(unit::UnitController& controller) {
        QObject::connect(&controller, &unit::UnitController::operationFinished, [this](const unit::Outcome& o) {
            outcomes.push_back(o);
            at.push_back(Clock::now());
        });
    }
    std::vector<unit::Outcome> outcomes;
    std::vector<Clock::time_point> at;
};

config::FormModel defaults() {
    config::FormModel form;
    config::applyDefaults(form);
    return form;
}

TEST(ControllerTimers, ABlockLeftUnacknowledgedIsSentAgainAt1_5_2_5_3_5SecondsAndGivenUpAt5) {
    constexpr int kBlock = 11;
    sim::PtyHost host;
    host.withUnit([](sim::UnitSim& u) {
        u.faults().dropAckOfBlock = kBlock - 1;  // once: block 11 then leaves with a tick
        u.faults().dropAckFromBlock = kBlock;
        return 0;
    });
    Wire wire(host);
    host.start();
    unit::UnitController controller;
    controller.setPlan(unit::Plan::writeOnly(defaults(), false));
    Ended ended(controller);
    ASSERT_TRUE(controller.open(QString::fromStdString(host.devicePath())));
    ASSERT_TRUE(waitUntil([&] { return !ended.outcomes.empty(); }, 15000));
    EXPECT_EQ(ended.outcomes[0].kind, unit::Kind::Timeout);
    EXPECT_EQ(ended.outcomes[0].operation, unit::Operation::Write);

    const auto block = [](int n) {
        return [n](const protocol::Frame& f) {
            return f.code == protocol::CmdConfigBlock && protocol::getU16(f.payload, 2) == n;
        };
    };
    const auto before = wire.arrivals(block(kBlock - 1));
    ASSERT_EQ(before.size(), 2u) << "sent, and again on the tick";
    const Clock::time_point tick = before[1];
    const auto sends = wire.arrivals(block(kBlock));
    ASSERT_EQ(sends.size(), 4u) << "sent once and again three times";
    const double nominal[] = {1500, 2500, 3500};
    for (std::size_t i = 1; i < sends.size(); ++i)
        EXPECT_TRUE(nearNominal(msBetween(tick, sends[i]), nominal[i - 1])) << "resend " << i;
    EXPECT_TRUE(nearNominal(msBetween(tick, ended.at[0]), 5000)) << "give-up";
    // Nothing goes out after the give-up.
    const auto after = wire.arrivals([](const protocol::Frame& f) { return f.code == protocol::CmdConfigBlock; });
    EXPECT_LE(after.back(), sends.back());
}

TEST(ControllerTimers, AReadLeftUnansweredIsGivenUpAfterASecond) {
    sim::PtyHost host;
    host.withUnit([](sim::UnitSim& u) {
        u.faults().dropReadOnce = 2;      // block 2's first request; its resend leaves with a tick
        u.faults().silentAfterReads = 3;  // and block 3's request is never answered
        return 0;
    });
    Wire wire(host);
    host.start();
    unit::UnitController controller;
    controller.setPlan(unit::Plan::readOnly());
    Ended ended(controller);
    ASSERT_TRUE(controller.open(QString::fromStdString(host.devicePath())));
    ASSERT_TRUE(waitUntil([&] { return !ended.outcomes.empty(); }, 10000));
    EXPECT_EQ(ended.outcomes[0].kind, unit::Kind::Timeout);
    EXPECT_EQ(ended.outcomes[0].operation, unit::Operation::Read);

    const auto reads = wire.arrivals([](const protocol::Frame& f) { return f.code == protocol::CmdMemoryRead; });
    // Block 1, block 2 twice, then block 3 once and again at idle ticks 3, 5 and 7.
    ASSERT_EQ(reads.size(), 7u);
    const Clock::time_point tick = reads[2];  // block 2's resend
    const double nominal[] = {300, 500, 700};
    for (std::size_t i = 4; i < reads.size(); ++i)
        EXPECT_TRUE(nearNominal(msBetween(tick, reads[i]), nominal[i - 4])) << "resend " << i - 3;
    EXPECT_TRUE(nearNominal(msBetween(tick, ended.at[0]), 1000)) << "give-up";
}

TEST(ControllerTimers, CloseAfterConfiguringClosesThePort50MsAfterTheLastAcknowledgement) {
    sim::PtyHost host;  // of the current release: only such a unit is closed on
    Wire wire(host);
    host.start();
    unit::UnitController controller;
    unit::Options options;
    options.closeAfterConfigure = true;
    controller.setOptions(options);
    controller.setPlan(unit::Plan::writeOnly(defaults(), false));
    Ended ended(controller);
    ASSERT_TRUE(controller.open(QString::fromStdString(host.devicePath())));
    ASSERT_TRUE(waitUntil([&] { return !ended.outcomes.empty(); }, 10000));
    ASSERT_EQ(ended.outcomes[0].kind, unit::Kind::Ok);
    EXPECT_TRUE(ended.outcomes[0].closesPort);
    ASSERT_TRUE(waitUntil([&] { return wire.closedAt().has_value(); }, 2000));
    EXPECT_FALSE(controller.isOpen());
    // The last thing the unit sent was the check block's acknowledgement.
    EXPECT_TRUE(nearNominal(msBetween(wire.lastSendBeforeClose(), *wire.closedAt()), 50));
}

}  // namespace
}  // namespace vek::testing
