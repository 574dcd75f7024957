// The serial link on a bare pty whose far end the test drives by hand.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "app_fixture.h"
#include "link/com_port.h"

using namespace vek;
using vek::testing::waitFor;

namespace {

// The unit's end of a pty, raw, read only when the test says so.
struct FarEnd {
    int master = -1;
    std::string path;
    FarEnd() {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
        path = ptsname(master);
        termios t{};
        if (tcgetattr(master, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(master, TCSANOW, &t);
        }
    }
    ~FarEnd() {
        if (master >= 0) ::close(master);
    }
    QByteArray readAvailable() {
        QByteArray out;
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n <= 0) break;
            out.append(buf, n);
        }
        return out;
    }
};

}  // namespace

// A unit that stops taking bytes for a while fills the device's queue; the
// link must hold the rest and send it when the unit reads again, not take
// the full queue for a vanished port.
TEST(ComPortLink, AFullDeviceQueueHoldsTheRestAndLosesNothing) {
    FarEnd unit;
    ASSERT_GE(unit.master, 0);
    link::ComPort port;
    port.setPort(QString::fromStdString(unit.path));
    port.setCustomBaudRate(3686400);
    port.open();
    QString lostReason;
    QObject::connect(&port, &link::ComPort::lost, [&](const QString& why) { lostReason = why; });

    QByteArray expected;
    int taken = 0;  // writes that took the whole frame
    for (int i = 0; i < 1000; ++i) {
        QByteArray frame(62, static_cast<char>(i));
        frame[0] = static_cast<char>(0xBC);
        expected += frame;
        if (port.write(frame) == frame.size()) ++taken;
        if (i % 50 == 0) QCoreApplication::processEvents();
    }
    EXPECT_EQ(taken, 1000);
    EXPECT_TRUE(port.connected());
    EXPECT_TRUE(lostReason.isEmpty()) << lostReason.toStdString();
    EXPECT_GT(port.device().bytesToWrite(), 0);  // the queue did fill: the test saw what it is about

    QByteArray received;
    EXPECT_TRUE(waitFor([&] {
        received += unit.readAvailable();
        return received.size() >= expected.size();
    }));
    EXPECT_EQ(received, expected);
    EXPECT_TRUE(port.connected());
    EXPECT_TRUE(lostReason.isEmpty()) << lostReason.toStdString();
}

// A far end that goes away is a lost port, reported once, on a write too.
TEST(ComPortLink, AWriteToAVanishedUnitLosesThePortOnce) {
    auto unit = std::make_unique<FarEnd>();
    ASSERT_GE(unit->master, 0);
    link::ComPort port;
    port.setPort(QString::fromStdString(unit->path));
    port.open();
    int lost = 0;
    QObject::connect(&port, &link::ComPort::lost, [&](const QString&) { ++lost; });
    unit.reset();  // the master closes: the slave hangs up
    port.write(QByteArray(62, 'x'));
    EXPECT_TRUE(waitFor([&] { return lost > 0; }, 2000));
    EXPECT_FALSE(port.connected());
    port.write(QByteArray(62, 'x'));
    QCoreApplication::processEvents();
    EXPECT_EQ(lost, 1);
}
