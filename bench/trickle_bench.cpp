// Where the tool's thread spends CPU when the unit's replies arrive a byte
// at a time (the simulated unit's trickle: one byte per write, a fixed gap
// between bytes). Four parts:
//
//   (a) the receive path alone, on a real pty, layer by layer: the serial
//       link reading and dropping the bytes; plus the stream receiver; plus
//       a 200 ms single-shot timer restarted on every arrival while a frame
//       is pending (what the window does). The tool asks for 500-byte memory
//       reads one after the other, so the unit trickles without pause.
//   (b) the real window doing a firmware update (1,900 acknowledgements of
//       10 bytes) with and without the trickle, stamped from the unit's
//       thread so that nothing of the bench's runs on the window's;
//   (c) the serial link writing block frames, one on each 1 ms tick;
//   (d) in process, the cost of the window's work per arrival: restarting
//       its partial-frame timer, and the receiver taking one byte.
//
// For each it prints the reads (wake-ups with bytes), the bytes per read and
// the CPU time of the tool's thread per byte and per read, and the share of
// the wall time that thread was busy, with its sleeps (voluntary context
// switches) and preemptions. It judges nothing. A gap of -1 is the window's
// baseline with whole replies.
//
//   QT_QPA_PLATFORM=offscreen build/bench/trickle_bench [--only abcd] [--gaps -1,3,20,100] [--replies N]
//                                                       [--layers lrt]

#include <pthread.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QTimer>
#include <QToolButton>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/message_box.h"
#include "link/com_port.h"
#include "protocol/receiver.h"
#include "pty_host.h"
#include "update/update_checker.h"

using namespace vek;
using Clock = std::chrono::steady_clock;

namespace {

struct ThreadUse {
    double cpu = 0;  // seconds
    long voluntary = 0;
    long preempted = 0;
    Clock::time_point at;
};

// A thread whose use another thread can read.
struct MainThread {
    clockid_t clock;
    pid_t tid;
    static MainThread current() {
        MainThread t{};
        pthread_getcpuclockid(pthread_self(), &t.clock);
        t.tid = static_cast<pid_t>(::syscall(SYS_gettid));
        return t;
    }
};

ThreadUse threadUse(const MainThread& t) {
    ThreadUse u;
    timespec ts{};
    clock_gettime(t.clock, &ts);
    u.cpu = double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
    std::ifstream status("/proc/self/task/" + std::to_string(t.tid) + "/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "voluntary_ctxt_switches:" && status >> value) u.voluntary = value;
        else if (key == "nonvoluntary_ctxt_switches:" && status >> value) u.preempted = value;
    }
    u.at = Clock::now();
    return u;
}

ThreadUse threadUse() { return threadUse(MainThread::current()); }

struct Figures {
    std::string what;
    int gapUs = -1;
    long long bytes = 0;
    long long reads = 0;
    ThreadUse from, to;
    bool ok = false;
    std::string note;

    double wall() const { return std::chrono::duration<double>(to.at - from.at).count(); }
    double cpu() const { return to.cpu - from.cpu; }
};

void print(const Figures& f) {
    if (!f.ok) {
        std::printf("%-34s %5s  failed: %s\n", f.what.c_str(), f.gapUs < 0 ? "-" : std::to_string(f.gapUs).c_str(),
                    f.note.c_str());
        return;
    }
    const double perByte = f.bytes > 0 ? f.cpu() * 1e6 / double(f.bytes) : 0;
    const double perRead = f.reads > 0 ? f.cpu() * 1e6 / double(f.reads) : 0;
    std::printf("%-34s %5s %9lld %8lld %7.2f %9.1f %8.2f %8.2f %6.1f %%  %7ld %6ld\n", f.what.c_str(),
                f.gapUs < 0 ? "-" : std::to_string(f.gapUs).c_str(), f.bytes, f.reads,
                f.reads ? double(f.bytes) / double(f.reads) : 0.0, f.wall() * 1e3, perByte, perRead,
                100.0 * f.cpu() / f.wall(), f.to.voluntary - f.from.voluntary, f.to.preempted - f.from.preempted);
}

void header() {
    std::printf("%-34s %5s %9s %8s %7s %9s %8s %8s %8s  %7s %6s\n", "", "gap", "bytes", "reads", "B/read", "wall ms",
                "cpu/B us", "cpu/rd us", "busy", "sleeps", "preempt");
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool runUntil(const std::function<bool()>& done, int ms) {
    const auto giveUp = Clock::now() + std::chrono::milliseconds(ms);
    while (!done() && Clock::now() < giveUp) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

// ---------------------------------------------------------------- (a) the receive path

enum class Layers { Link, Receiver, ReceiverAndTimer };

constexpr std::uint16_t kReadCount = 500;
constexpr std::size_t kReplySize = 8 + 6 + kReadCount;
constexpr std::size_t kIdentificationSize = 8 + 45;

Figures receivePath(Layers layers, int gapUs, int replies) {
    Figures f;
    f.what = layers == Layers::Link       ? "link: read and drop"
             : layers == Layers::Receiver ? "link + receiver"
                                          : "link + receiver + timer restarts";
    f.gapUs = gapUs;
    sim::PtyHost host;
    host.withUnit([&](sim::UnitSim& u) {
        u.faults().trickleGapUs = gapUs;
        return 0;
    });
    host.start();
    const std::uint32_t base = host.withUnit([](sim::UnitSim& u) { return u.identity().configBase; });

    link::ComPort port;
    port.setPort(QString::fromStdString(host.devicePath()));
    port.setCustomBaudRate(3686400);
    protocol::Counters counters;
    protocol::Receiver rx(counters);
    QTimer partial;
    partial.setSingleShot(true);
    partial.setInterval(200);
    QObject::connect(&partial, &QTimer::timeout, [&] { rx.expire(); });

    long long got = 0, sinceRequest = 0;
    int done = 0;
    bool measuring = false;
    const QByteArray request = [&] {
        const protocol::Bytes b = protocol::memoryReadFrame(base, kReadCount);
        return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
    }();
    auto replyDone = [&] {
        ++done;
        sinceRequest = 0;
        if (done < replies) port.write(request);
        else f.to = threadUse();
    };
    QObject::connect(&port, &link::ComPort::rxChar, [&](int count) {
        const QByteArray bytes = port.read(count);
        if (measuring) {
            ++f.reads;
            f.bytes += bytes.size();
        }
        got += bytes.size();
        sinceRequest += bytes.size();
        if (layers == Layers::Link) {
            if (measuring && sinceRequest >= static_cast<long long>(kReplySize)) replyDone();
            return;
        }
        const auto frames = rx.feed(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                              static_cast<std::size_t>(bytes.size())));
        if (layers == Layers::ReceiverAndTimer) {
            if (rx.pending()) partial.start();
            else partial.stop();
        }
        for (const protocol::Frame& fr : frames)
            if (measuring && fr.code == protocol::RspConfigData) replyDone();
    });
    try {
        port.open();
    } catch (const std::exception& e) {
        f.note = e.what();
        return f;
    }
    if (!runUntil([&] { return got >= static_cast<long long>(kIdentificationSize); }, 5000)) {
        f.note = "no identification";
        return f;
    }
    runFor(20);
    measuring = true;
    sinceRequest = 0;
    f.from = threadUse();
    port.write(request);
    f.ok = runUntil([&] { return done >= replies; }, 120000);
    if (!f.ok) f.note = "only " + std::to_string(done) + " replies";
    port.close();
    host.stop();
    return f;
}

// ---------------------------------------------------------------- (c) writes

// What one frame written costs the tool's thread: a 62-byte block frame
// written on every tick of a 1 ms timer, to a unit that takes them silently;
// and the ticks alone, to take away.
Figures writes(int count, bool write) {
    Figures f;
    f.what = write ? "link: a 62-byte write a 1 ms tick" : "link: the 1 ms ticks alone";
    sim::PtyHost host;
    host.withUnit([](sim::UnitSim& u) {
        u.faults().silent = true;
        return 0;
    });
    host.start();
    link::ComPort port;
    port.setPort(QString::fromStdString(host.devicePath()));
    port.setCustomBaudRate(3686400);
    try {
        port.open();
    } catch (const std::exception& e) {
        f.note = e.what();
        return f;
    }
    const protocol::Bytes block = protocol::blockFrame(protocol::CmdConfigBlock, 1, 1, 44, protocol::Bytes(48, 0x5A));
    const QByteArray frame(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size()));
    runFor(150);
    int sent = 0;
    QTimer next;
    next.setInterval(1);
    next.setTimerType(Qt::PreciseTimer);
    QObject::connect(&next, &QTimer::timeout, [&] {
        if (write) port.write(frame);
        if (++sent == count) {
            f.to = threadUse();
            next.stop();
        }
    });
    f.from = threadUse();
    next.start();
    f.ok = runUntil([&] { return sent >= count; }, 60000);
    f.reads = sent;  // printed per write
    f.bytes = write ? static_cast<long long>(sent) * frame.size() : 0;
    runFor(50);
    const std::size_t got = host.withUnit([](sim::UnitSim& u) { return u.received().size(); });
    f.ok = f.ok && got == static_cast<std::size_t>(f.bytes);
    if (!f.ok) f.note = "the unit got " + std::to_string(got) + " of " + std::to_string(f.bytes) + " bytes";
    port.close();
    host.stop();
    return f;
}

// ---------------------------------------------------------------- (d) per arrival, in process

double threadCpu() { return threadUse().cpu; }

// Nanoseconds of the thread's CPU per call of `f`, over `n` calls.
template <class F>
double nsPerCall(long n, F&& f) {
    const double from = threadCpu();
    for (long i = 0; i < n; ++i) f(i);
    return (threadCpu() - from) * 1e9 / double(n);
}

void perArrival() {
    // The window restarts a 200 ms single-shot timer on every arrival while a
    // frame is pending; with a pending timer of each of the window's other
    // kinds alongside, as its event loop has them.
    QTimer partial, timer1, timer4;
    partial.setSingleShot(true);
    partial.setInterval(200);
    timer1.start(500);
    timer4.start(1000);
    partial.start();
    const double restart = nsPerCall(200000, [&](long) { partial.start(); });
    const double stop = nsPerCall(200000, [&](long i) {
        if (i % 2) partial.start();
        else partial.stop();
    });
    // The receiver taking a 514-byte reply one byte a read.
    protocol::Counters counters;
    protocol::Receiver rx(counters);
    const protocol::Bytes reply = protocol::buildFrame(protocol::RspConfigData, protocol::Bytes(506, 0x42), 0x12);
    std::size_t frames = 0;
    const double feed = nsPerCall(static_cast<long>(reply.size()) * 400, [&](long i) {
        const std::size_t at = static_cast<std::size_t>(i) % reply.size();
        frames += rx.feed(std::span(reply).subspan(at, 1)).size();
    });
    std::printf("\nper arrival, in process (ns of the thread's CPU a call):\n");
    std::printf("  restart of an active 200 ms single-shot QTimer     %8.0f\n", restart);
    std::printf("  start or stop of it, alternately                   %8.0f\n", stop);
    std::printf("  receiver fed one byte of a 514-byte reply          %8.0f   (%zu replies out)\n", feed, frames);
}

// ---------------------------------------------------------------- (b) the window

Figures windowUpdate(int gapUs) {
    Figures f;
    f.what = "window: firmware update";
    f.gapUs = gapUs;
    sim::Identity id;
    id.version = {4, 0, 2, 46};
    sim::PtyHost host(id);
    host.withUnit([&](sim::UnitSim& u) {
        u.faults().trickleGapUs = gapUs;
        return 0;
    });
    // From the first block the unit takes to its restart with the new image,
    // stamped on the unit's thread so that nothing but the window runs on
    // the window's own.
    const MainThread window0 = MainThread::current();
    QEventLoop loop;
    std::atomic<int> phase{0};  // 0 before the first block, 1 sending, 2 done
    host.onReceive([&](std::size_t) {
        if (phase == 0 && host.withUnit([](sim::UnitSim& u) { return !u.transfers().empty(); })) {
            f.from = threadUse(window0);
            phase = 1;
        } else if (phase == 1 && host.withUnit([](sim::UnitSim& u) { return u.restarts(); }) > 0) {
            f.to = threadUse(window0);
            phase = 2;
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        }
    });
    host.start();
    qputenv("VEKTOOL_EXTRA_PORTS", host.devicePath().c_str());
    std::vector<app::BoxRequest> boxes;
    app::setBoxHandler([&](const app::BoxRequest& r) {
        boxes.push_back(r);
        loop.quit();
        return QMessageBox::Ok;
    });
    auto window = std::make_unique<app::MainWindow>();
    window->show();
    runFor(30);
    // The start-up update check is no part of the transfer: let it finish.
    const update::UpdateChecker* check = window->updateChecker();
    runUntil([&] { return check->updateStep() >= 2 && !check->fetchRunning(); }, 5000);
    QObject::connect(window->controller().findChild<link::ComPort*>(), &link::ComPort::rxChar, [&](int count) {
        if (phase == 1) {
            ++f.reads;
            f.bytes += count;
        }
    });
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    combo->setCurrentIndex(combo->findText(QString::fromStdString(host.devicePath())));
    window->findChild<QToolButton*>(QStringLiteral("ButtonVCP"))->click();
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    loop.exec();
    f.ok = phase == 2 && boxes.empty();
    if (!f.ok) f.note = boxes.empty() ? "no restart" : boxes.back().text.toStdString();
    window.reset();
    host.stop();
    app::setBoxHandler({});
    return f;
}

std::vector<int> parseGaps(const char* s) {
    std::vector<int> gaps;
    for (const char* p = s; *p;) {
        gaps.push_back(std::atoi(p));
        p = std::strchr(p, ',');
        if (!p) break;
        ++p;
    }
    return gaps;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string only = "abcd";
    std::vector<int> gaps{-1, 3, 20, 100};  // -1: whole replies, the window's baseline
    int replies = 100;
    std::string layers = "lrt";  // link, + receiver, + timer
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--only")) only = argv[i + 1];
        else if (!std::strcmp(argv[i], "--gaps")) gaps = parseGaps(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--replies")) replies = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--layers")) layers = argv[i + 1];
    }
    qputenv("VEKTOOL_UPDATE_BASE", "http://127.0.0.1:9");
    link::ComPort::setSystemPortLister([] { return QStringList(); });
    double load = 0;
    std::ifstream("/proc/loadavg") >> load;
    std::printf("trickle bench: %d replies of %zu bytes a run; load average %.2f at the start\n", replies, kReplySize,
                load);
    std::printf("gap: microseconds between the unit's single-byte writes (- = whole replies)\n\n");
    header();
    if (only.find('a') != std::string::npos)
        for (int gap : gaps) {
            if (gap < 0) continue;  // the receive path is measured under a trickle only
            for (auto [c, l] : {std::pair{'l', Layers::Link}, std::pair{'r', Layers::Receiver},
                                std::pair{'t', Layers::ReceiverAndTimer}})
                if (layers.find(c) != std::string::npos) print(receivePath(l, gap, replies));
        }
    if (only.find('b') != std::string::npos)
        for (int gap : gaps) print(windowUpdate(gap));
    if (only.find('d') != std::string::npos) perArrival();
    if (only.find('c') != std::string::npos) {
        std::printf("\n(for writes, \"reads\" are the ticks)\n");
        print(writes(2000, false));
        print(writes(2000, true));
    }
    return 0;
}
