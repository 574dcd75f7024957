// The serial link on a bare pty whose far end the test drives by hand.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "app_fixture.h"
#include "link/com_port.h"
#include "link/serial_trace.h"
#include "protocol/frame.h"

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

namespace {

QByteArray frameBytes(std::uint8_t code, std::initializer_list<std::uint8_t> payload, std::uint8_t route = 0x12) {
    const std::vector<std::uint8_t> p(payload);
    const protocol::Bytes f = protocol::buildFrame(code, p, route);
    return QByteArray(reinterpret_cast<const char*>(f.data()), static_cast<qsizetype>(f.size()));
}

QString hex(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ').toUpper()); }

// The trace's lines for one port, without the time: "RX RspAck 2 BC ...".
QStringList traceLines(const QString& path, const QString& port) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList out;
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(port + ' ')) continue;
        QStringList words = line.mid(port.size() + 1).split(' ');
        words.removeFirst();  // the time
        out << words.join(' ');
    }
    return out;
}

}  // namespace

// What the unit sent, read by the real link in the reads the test makes,
// comes out in the trace as the frames it held and the bytes that made none,
// whatever the reads split; what the tool sent, as its frames.
TEST(ComPortLink, TheTraceShowsFramesAndUnparsedBytesWhateverTheReads) {
    const QByteArray ack = frameBytes(protocol::RspAck, {0x00, 0x05});
    QByteArray badSum = frameBytes(protocol::RspAck, {0x00, 0x06});
    badSum[badSum.size() - 1] = static_cast<char>(badSum.back() ^ 0x01);
    const QByteArray strayHeader = QByteArray::fromHex("BC120701F4");  // promises 500 bytes, has none
    const QByteArray ackLine = "RX RspAck 2 " + hex(ack).toLatin1();
    struct Case {
        const char* what;
        QList<QByteArray> reads;
        QStringList lines;
    };
    const Case cases[] = {
        {"a frame over two reads", {ack.left(4), ack.mid(4)}, {ackLine}},
        {"junk ahead of a frame", {QByteArray::fromHex("007E55") + ack}, {"RX unparsed 3 00 7E 55", ackLine}},
        {"a frame with a wrong sum, then a good one",
         {badSum + ack},
         {"RX unparsed 10 " + hex(badSum), ackLine}},
        {"a header with nothing behind it, then a frame", {strayHeader, ack}, {"RX unparsed 5 " + hex(strayHeader), ackLine}},
        {"a fragment the port closes on", {ack + ack.left(3)}, {ackLine, "RX unparsed 3 " + hex(ack.left(3))}},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QString::fromLatin1(c.what) + ".txt");
        link::SerialTrace trace;
        ASSERT_TRUE(trace.open(path).isEmpty());
        link::SerialTrace::setActive(&trace);
        FarEnd unit;
        ASSERT_GE(unit.master, 0);
        link::ComPort port;
        const QString name = QString::fromStdString(unit.path);
        port.setPort(name);
        port.open();
        // The tool speaks first here, so that its line has a place of its own.
        const protocol::Bytes jumpFrame = protocol::jumpFrame();
        const QByteArray jump(reinterpret_cast<const char*>(jumpFrame.data()), static_cast<qsizetype>(jumpFrame.size()));
        port.write(jump);
        qsizetype received = 0;
        QObject::connect(&port, &link::ComPort::rxChar, [&](int count) { received += port.read(count).size(); });
        qsizetype sent = 0;
        for (const QByteArray& r : c.reads) {
            ASSERT_EQ(::write(unit.master, r.constData(), static_cast<size_t>(r.size())), r.size());
            sent += r.size();
            ASSERT_TRUE(waitFor([&] { return received == sent; }, 2000));
        }
        port.close();
        const QStringList expected = QStringList{"-- open", "TX CmdJump 0 " + hex(jump)} + c.lines + QStringList{"-- close"};
        EXPECT_EQ(traceLines(path, name), expected);
    }
}

// At its cap the trace stops with a note saying so, and no line is cut short.
TEST(ComPortLink, TheTraceStopsAtItsCapWithANote) {
    QTemporaryDir dir;
    const QString path = dir.filePath("trace.txt");
    constexpr qint64 kCap = 4000;
    {
        link::SerialTrace trace(kCap);
        ASSERT_TRUE(trace.open(path).isEmpty());
        const QByteArray ack = frameBytes(protocol::RspAck, {0x00, 0x05});
        for (int i = 0; i < 200; ++i) trace.received(QStringLiteral("COM3"), ack);
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_LE(text.size(), kCap + 200);
    const QList<QByteArray> lines = text.trimmed().split('\n');
    ASSERT_GT(lines.size(), 10);
    EXPECT_TRUE(lines.back().startsWith("# Registro cortado aqui")) << lines.back().toStdString();
    const QByteArray whole = " RX RspAck 2 " + hex(frameBytes(protocol::RspAck, {0x00, 0x05})).toLatin1();
    for (qsizetype i = 2; i + 1 < lines.size(); ++i) EXPECT_TRUE(lines[i].endsWith(whole)) << lines[i].toStdString();
}
