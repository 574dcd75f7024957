// What a flood of frames addressed to another device costs the window: each
// one is a "Destino inválido!" line. The real window, offscreen, opens one
// end of a pty; this program writes well-formed frames for device 3 into the
// other end at the rate seen on a faulty line (137,000 in 30 s) for a
// minute's worth, then reports the process's memory, the Log's size, the
// longest the window's event loop stood still, and the CPU time used. It
// prints figures and judges none.
//
//   QT_QPA_PLATFORM=offscreen build-bench/bench/log_flood_bench [--frames N] [--rate N]
//     --frames N   frames to send (default 274000, a minute at the default rate)
//     --rate N     frames a second (default 4567); 0 sends as fast as the pty takes them

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>

#include "app/main_window.h"
#include "app/message_box.h"
#include "link/com_port.h"
#include "protocol/frame.h"

using namespace vek;

namespace {

// A value from /proc/self/status, in kB.
long statusKb(const char* field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(static_cast<qsizetype>(std::strlen(field))).trimmed().split(' ').front().toLong();
    return -1;
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop (without spinning: its CPU time is the tool's) until
// `done` holds, looking every 20 ms, or for `ms`.
void runLoop(const std::function<bool()>& done, int ms = -1) {
    QEventLoop loop;
    QElapsedTimer t;
    t.start();
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if ((done && done()) || (ms >= 0 && t.elapsed() >= ms)) loop.quit();
    });
    check.start(20);
    loop.exec();
}

void pump(int ms) { runLoop({}, ms); }

qint64 folderBytes(const QString& folder) {
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) total += QFileInfo(it.next()).size();
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    long frames = 274000;
    long rate = 4567;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) frames = std::max(1L, std::atol(argv[++i]));
        else if (std::strcmp(argv[i], "--rate") == 0 && i + 1 < argc) rate = std::max(0L, std::atol(argv[++i]));
        else {
            std::fprintf(stderr, "usage: %s [--frames N] [--rate N]\n", argv[0]);
            return 2;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VEKTOOL_UPDATE_BASE", "http://127.0.0.1:9");
    // Settings and any daily log go to a folder of this run, not the user's.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("pty");
        return 1;
    }
    const QByteArray slave = ptsname(master);
    termios raw{};
    tcgetattr(master, &raw);
    cfmakeraw(&raw);
    tcsetattr(master, TCSANOW, &raw);
    qputenv("VEKTOOL_EXTRA_PORTS", slave);

    QApplication app(argc, argv);
    link::ComPort::setSystemPortLister([] { return QStringList(); });
    app::setBoxHandler([](const app::BoxRequest&) { return QMessageBox::Ok; });
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    auto window = std::make_unique<app::MainWindow>();
    window->show();
    pump(500);
    auto* log = window->findChild<QTextEdit*>(QStringLiteral("Log"));
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    combo->setCurrentIndex(combo->findText(QString::fromLocal8Bit(slave)));
    const long rssBefore = statusKb("VmRSS:");
    window->findChild<QToolButton*>(QStringLiteral("ButtonVCP"))->click();
    if (!window->controller().isOpen()) {
        std::fprintf(stderr, "the window did not open %s\n", slave.constData());
        return 1;
    }

    // Well-formed frames the tool is not the destination of (route 0x13).
    const protocol::Bytes payload{0x00, 0x01};
    const protocol::Bytes frame = protocol::buildFrame(protocol::RspAck, payload, 0x13);
    std::atomic<long> sent{0};
    std::atomic<bool> done{false};
    std::thread writer([&] {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        constexpr long kBatch = 64;
        std::vector<std::uint8_t> batch;
        for (long i = 0; i < kBatch; ++i) batch.insert(batch.end(), frame.begin(), frame.end());
        while (sent < frames) {
            const long n = std::min(kBatch, frames - sent.load());
            const std::size_t bytes = static_cast<std::size_t>(n) * frame.size();
            std::size_t off = 0;
            while (off < bytes) {
                const ssize_t w = ::write(master, batch.data() + off, bytes - off);
                if (w > 0) {
                    off += static_cast<std::size_t>(w);
                } else {
                    pollfd p{master, POLLOUT, 0};
                    poll(&p, 1, 10);
                }
            }
            sent += n;
            if (rate > 0) std::this_thread::sleep_until(start + std::chrono::microseconds(sent * 1000000 / rate));
        }
        done = true;
    });

    // The event loop's heartbeat: how late a 10 ms timer fires is how long
    // the window stood still.
    QElapsedTimer beat;
    beat.start();
    qint64 worstStall = 0;
    QTimer heart;
    heart.setInterval(10);
    QObject::connect(&heart, &QTimer::timeout, [&] {
        worstStall = std::max(worstStall, beat.restart() - 10);
    });
    heart.start();
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runLoop([&] { return done.load(); });
    // What is still in the pty is read before the figures are taken.
    pump(1000);
    heart.stop();
    const double cpu = cpuSeconds() - cpuBefore;
    const double seconds = static_cast<double>(wall.elapsed()) / 1000.0;
    writer.join();

    const long rssAfter = statusKb("VmRSS:");
    const long rssPeak = statusKb("VmHWM:");
    const QTextDocument* doc = log->document();
    const QString last = doc->lastBlock().text();
    std::printf("frames sent               %ld in %.1f s (%s)\n", sent.load(), seconds,
                rate > 0 ? qPrintable(QStringLiteral("%1 a second").arg(rate)) : "as fast as the pty takes them");
    std::printf("process memory (RSS)      %.1f MB before, %.1f MB after (+%.1f MB), peak %.1f MB\n",
                rssBefore / 1024.0, rssAfter / 1024.0, (rssAfter - rssBefore) / 1024.0, rssPeak / 1024.0);
    std::printf("Log                       %d lines, %d characters; last line: %s\n", doc->blockCount(),
                doc->characterCount(), last.toUtf8().constData());
    std::printf("event loop                longest stand-still %lld ms\n", static_cast<long long>(worstStall));
    std::printf("CPU time                  %.1f s (%.0f %% of one core)\n", cpu, 100.0 * cpu / seconds);
    std::printf("files written             %.1f kB (settings and daily log)\n",
                static_cast<double>(folderBytes(home.path())) / 1024.0);

    window.reset();
    ::close(master);
    return 0;
}
