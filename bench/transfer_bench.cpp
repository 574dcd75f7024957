// How close the tool's transfers run to what the link allows: the real
// window and the real serial link on a pty, against the simulated unit.
//
//   (a) a full firmware update with the unit replying at once: the total time
//       and the tool's own time per block (acknowledgement in, next block out);
//   (b) the same update with the unit pacing its bytes as the real link
//       would, against the link's lower bound;
//   (c) a configuration read and a configuration write, unpaced and paced.
//
// Times come from two places: the lines the tool writes in `Log` (stamped
// the moment they appear) and the simulated unit's side of the pty (stamped
// as each chunk is read or written). It prints figures and judges nothing.
//
//   QT_QPA_PLATFORM=offscreen build-bench/bench/transfer_bench [--runs N] [--only abc] [--trace FILE]
//
// With --trace every frame of the run also goes to the serial trace in FILE,
// as the window's setting does; run it with and without to see its cost.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSerialPort>
#include <QEventLoop>
#include <QFile>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "app/message_box.h"
#include "link/com_port.h"
#include "link/serial_trace.h"
#include "pty_host.h"
#include "session/session_texts.h"
#include "transfer/firmware.h"
#include "transfer/transfer_texts.h"
#include "update/update_checker.h"

using namespace vek;
using Clock = std::chrono::steady_clock;

namespace {

// ---------------------------------------------------------------- the link

constexpr long kBitsPerSecond = 3'686'400;
constexpr int kBitsPerByte = 10;
constexpr std::chrono::microseconds kTurnaround{1000};
const sim::LinkPacing kPaced{kBitsPerSecond, kTurnaround};
const sim::LinkPacing kUnpaced{};

constexpr std::size_t kFrameOverhead = 8;  // header 5, sum 3
constexpr std::size_t kBlockHeader = 6;    // transfer id, block, block count
constexpr std::size_t kBlockData = 48;
constexpr std::size_t kAckFrame = kFrameOverhead + 2;
constexpr std::size_t kCheckFrame = kFrameOverhead + kBlockHeader + 5;
constexpr std::size_t kReadRequestFrame = kFrameOverhead + 6;
constexpr std::size_t kReadBlock = 500;
constexpr std::size_t kConfigSize = sim::kConfigSize;

double wireSeconds(std::size_t bytes) { return double(bytes) * kBitsPerByte / double(kBitsPerSecond); }
double turnaroundSeconds() { return std::chrono::duration<double>(kTurnaround).count(); }

struct Bound {
    std::size_t exchanges = 0;  // request/reply pairs, each with one turnaround
    std::size_t toUnit = 0;     // bytes the tool sends
    std::size_t toTool = 0;     // bytes the unit sends
    double seconds() const {
        return wireSeconds(toUnit) + wireSeconds(toTool) + double(exchanges) * turnaroundSeconds();
    }
};

// A block transfer: every data block and the check block is one frame out
// and one acknowledgement back, with one turnaround.
Bound blockTransferBound(std::size_t imageSize) {
    Bound b;
    for (std::size_t at = 0; at < imageSize; at += kBlockData) {
        b.toUnit += kFrameOverhead + kBlockHeader + std::min(kBlockData, imageSize - at);
        ++b.exchanges;
    }
    b.toUnit += kCheckFrame;
    ++b.exchanges;
    b.toTool = b.exchanges * kAckFrame;
    return b;
}

// A configuration read: five memory-read requests, each answered with the
// address, the count and the bytes.
Bound configReadBound() {
    Bound b;
    for (std::size_t at = 0; at < kConfigSize; at += kReadBlock) {
        b.toUnit += kReadRequestFrame;
        b.toTool += kFrameOverhead + 6 + std::min(kReadBlock, kConfigSize - at);
        ++b.exchanges;
    }
    return b;
}

// ---------------------------------------------------------------- figures

double quantile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    // Nearest rank: the smallest value with at least q of the samples at or below it.
    const std::size_t rank = static_cast<std::size_t>(std::ceil(q * double(v.size())));
    return v[std::clamp<std::size_t>(rank, 1, v.size()) - 1];
}
double median(const std::vector<double>& v) { return quantile(v, 0.5); }
double p99(const std::vector<double>& v) { return quantile(v, 0.99); }

double micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }
double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// ---------------------------------------------------------------- the pty alone

// A pty pair in raw mode; the unit's end is the master, the tool's the slave.
struct PtyPair {
    int master = -1;
    int slave = -1;
    std::string slavePath;
    PtyPair() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
        slavePath = ptsname(master);
        slave = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY);
        for (int fd : {master, slave}) {
            termios t{};
            if (fd >= 0 && tcgetattr(fd, &t) == 0) {
                cfmakeraw(&t);
                tcsetattr(fd, TCSANOW, &t);
            }
        }
    }
    ~PtyPair() {
        if (slave >= 0) ::close(slave);
        if (master >= 0) ::close(master);
    }
    bool ok() const { return master >= 0 && slave >= 0; }
};

constexpr std::size_t kFullBlockFrame = kFrameOverhead + kBlockHeader + kBlockData;

// The unit's half of a block exchange, on the master: write an
// acknowledgement, wait for a block, `pause` between exchanges (a paced
// link leaves the tool idle that long). Returns the round trips in us.
std::vector<double> unitEchoes(int master, int samples, std::chrono::microseconds pause,
                               const std::function<bool()>& stop) {
    std::vector<double> rts;
    const std::vector<std::uint8_t> ack(kAckFrame, 0xA5);
    std::uint8_t buf[256];
    for (int i = 0; i < samples + 50 && !stop(); ++i) {
        if (pause.count() > 0) std::this_thread::sleep_for(pause);
        if (::write(master, ack.data(), ack.size()) != static_cast<ssize_t>(ack.size())) break;
        const auto sent = Clock::now();
        std::size_t got = 0;
        while (got < kFullBlockFrame) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0) break;
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) got += static_cast<std::size_t>(n);
        }
        if (got < kFullBlockFrame) break;
        if (i >= 50) rts.push_back(micros(Clock::now() - sent));  // the first fifty warm up
    }
    return rts;
}

// The pty alone, both ends plain C++ threads waiting in poll as the host does.
std::vector<double> ptyRoundTrips(int samples, std::chrono::microseconds pause) {
    PtyPair pty;
    if (!pty.ok()) return {};
    std::atomic<bool> stop{false};
    std::thread tool([&] {
        std::uint8_t buf[256];
        const std::vector<std::uint8_t> block(kFullBlockFrame, 0x5A);
        std::size_t got = 0;
        while (!stop) {
            pollfd p{pty.slave, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            const ssize_t n = ::read(pty.slave, buf, sizeof buf);
            if (n <= 0) continue;
            got += static_cast<std::size_t>(n);
            if (got >= kAckFrame) {
                got -= kAckFrame;
                if (::write(pty.slave, block.data(), block.size()) < 0) break;
            }
        }
    });
    std::vector<double> rts = unitEchoes(pty.master, samples, pause, [] { return false; });
    stop = true;
    tool.join();
    return rts;
}

// The same exchange with a bare QSerialPort in this thread's event loop on
// the tool's end: what the link layer and the event loop cost before any of
// the tool's own work.
std::vector<double> serialPortRoundTrips(int samples, std::chrono::microseconds pause) {
    PtyPair pty;
    if (!pty.ok()) return {};
    QSerialPort port;
    port.setPortName(QString::fromStdString(pty.slavePath));
    if (!port.open(QIODevice::ReadWrite)) return {};
    const QByteArray block(static_cast<qsizetype>(kFullBlockFrame), '\x5A');
    qsizetype got = 0;
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        got += port.readAll().size();
        if (got >= static_cast<qsizetype>(kAckFrame)) {
            got -= static_cast<qsizetype>(kAckFrame);
            port.write(block);
            port.flush();
        }
    });
    QEventLoop loop;
    std::atomic<bool> stop{false};
    std::vector<double> rts;
    std::thread unit([&] {
        rts = unitEchoes(pty.master, samples, pause, [&] { return stop.load(); });
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    stop = true;
    unit.join();
    port.close();
    return rts;
}

// Median round trips of the pty alone (`pty`) and with a bare QSerialPort on
// the tool's end (`serial`), for one way of running the link.
struct Baseline {
    double pty = 0;
    double serial = 0;
};

// ---------------------------------------------------------------- the unit's side

// Every chunk the simulated unit read or wrote, in order, stamped on the
// host's thread.
class Timeline {
public:
    struct Event {
        bool sent;  // unit → tool
        std::size_t bytes;
        Clock::time_point at;
    };
    Timeline() { events_.reserve(16384); }
    void attach(sim::PtyHost& host) {
        host.onReceive([this](std::size_t n) { add(false, n, Clock::now()); });
        host.onSend([this](std::size_t n, Clock::time_point at) { add(true, n, at); });
    }
    std::vector<Event> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }

private:
    void add(bool sent, std::size_t n, Clock::time_point at) {
        std::lock_guard lock(mutex_);
        events_.push_back({sent, n, at});
    }
    mutable std::mutex mutex_;
    std::vector<Event> events_;
};

struct Exchanges {
    // From the unit's reply written to the tool's next frame read: two pty
    // hops and the tool's own work.
    std::vector<double> replyToNextUs;
    // Paced only: from the tool's frame read to the reply written, beyond
    // what the pacing asks for (wire time both ways and the turnaround): how
    // late the simulated unit itself was.
    std::vector<double> unitLateUs;
    // What crossed the pty in these exchanges, to hold against the bound.
    std::size_t bytesToUnit = 0;
    std::size_t bytesToTool = 0;
};

// Looks at the last `expected` replies of `replySize` bytes the unit wrote
// (the operation's acknowledgements); the last of them ends the operation,
// so it has no next frame.
Exchanges exchanges(const std::vector<Timeline::Event>& events, std::size_t replySize, bool paced,
                    std::size_t expected) {
    Exchanges x;
    std::vector<std::size_t> replies;
    for (std::size_t i = 0; i < events.size(); ++i)
        if (events[i].sent && events[i].bytes == replySize) replies.push_back(i);
    // Only the operation's own replies: the last `expected` of that size.
    if (replies.size() > expected) replies.erase(replies.begin(), replies.end() - static_cast<std::ptrdiff_t>(expected));
    for (std::size_t k = 0; k < replies.size(); ++k) {
        const std::size_t i = replies[k];
        // The frame this reply answers: the last chunk read before it.
        std::size_t j = i;
        while (j > 0 && events[j - 1].sent) --j;
        if (j > 0) {
            const Timeline::Event& in = events[j - 1];
            x.bytesToUnit += in.bytes;
            if (paced) {
                const double due = (wireSeconds(in.bytes) + turnaroundSeconds() + wireSeconds(replySize)) * 1e6;
                x.unitLateUs.push_back(micros(events[i].at - in.at) - due);
            }
        }
        x.bytesToTool += events[i].bytes;
        if (k + 1 == replies.size()) break;
        for (std::size_t n = i + 1; n < events.size(); ++n)
            if (!events[n].sent) {
                x.replyToNextUs.push_back(micros(events[n].at - events[i].at));
                break;
            }
    }
    return x;
}

// ---------------------------------------------------------------- the window

// What the tool's thread has used so far.
struct ThreadUse {
    double cpuSeconds = 0;
    long preempted = 0;  // involuntary context switches
};
ThreadUse threadUse() {
    ThreadUse u;
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    u.cpuSeconds = double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
    rusage r{};
    getrusage(RUSAGE_THREAD, &r);
    u.preempted = r.ru_nivcsw;
    return u;
}

// Stamps the moment each awaited line first appears in `Log`, and how much
// the tool's thread (where the watch runs) had used by then.
class LogWatch {
public:
    LogWatch(QTextEdit* log, std::vector<std::string> lines) : log_(log) {
        for (auto& l : lines) seen_[std::move(l)] = {};
        QObject::connect(log_, &QTextEdit::textChanged, [this] { check(); });
    }
    bool has(const std::string& line) const { return seen_.at(line) != Clock::time_point{}; }
    Clock::time_point at(const std::string& line) const { return seen_.at(line); }
    ThreadUse use(const std::string& line) const { return use_.at(line); }
    std::function<void()> onChange;
    QString text() const { return log_->toPlainText(); }

private:
    void check() {
        const auto now = Clock::now();
        const ThreadUse use = threadUse();
        const QString text = log_->toPlainText();
        for (auto& [line, at] : seen_)
            if (at == Clock::time_point{} && text.contains(QString::fromUtf8(line.c_str()))) {
                at = now;
                use_[line] = use;
            }
        if (onChange) onChange();
    }
    QTextEdit* log_;
    std::map<std::string, Clock::time_point> seen_;
    std::map<std::string, ThreadUse> use_;
};

// Runs the event loop, as the tool's own would run, until `done` holds after
// a change of `Log`, or `ms` pass.
bool runUntil(LogWatch& watch, const std::function<bool()>& done, int ms) {
    if (done()) return true;
    QEventLoop loop;
    watch.onChange = [&] {
        if (done()) loop.quit();
    };
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    watch.onChange = {};
    return done();
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

std::vector<app::BoxRequest> boxes;

// A window connected to a simulated unit, as a technician would connect it.
struct Bench {
    Timeline timeline;  // outlives the host that writes to it
    std::unique_ptr<sim::PtyHost> unit;
    std::unique_ptr<app::MainWindow> window;
    std::unique_ptr<LogWatch> watch;

    Bench(const sim::Identity& identity, const sim::LinkPacing& pacing, std::vector<std::string> lines) {
        boxes.clear();
        unit = std::make_unique<sim::PtyHost>(identity);
        unit->setPacing(pacing);
        timeline.attach(*unit);
        unit->start();
        qputenv("VEKTOOL_EXTRA_PORTS", unit->devicePath().c_str());
        window = std::make_unique<app::MainWindow>();
        window->show();
        watch = std::make_unique<LogWatch>(window->findChild<QTextEdit*>(QStringLiteral("Log")), std::move(lines));
        runFor(30);  // the start-up clean-up
        // The start-up update check makes its one request two seconds in; a
        // technician is not connected by then, and the request is no part of
        // a transfer, so let it go first.
        const update::UpdateChecker* check = window->updateChecker();
        const auto giveUp = Clock::now() + std::chrono::seconds(5);
        while ((check->updateStep() < 2 || check->fetchRunning()) && Clock::now() < giveUp) runFor(20);
        auto* combo = window->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        combo->setCurrentIndex(combo->findText(QString::fromStdString(unit->devicePath())));
        window->findChild<QToolButton*>(QStringLiteral("ButtonVCP"))->click();
    }
    ~Bench() {
        window.reset();
        unit->stop();
    }
    bool waitLine(const std::string& line, int ms) {
        return runUntil(*watch, [&] { return watch->has(line) || !boxes.empty(); }, ms);
    }
    std::string whyNot() const {
        std::string s = boxes.empty() ? std::string() : "box: " + boxes.back().caption.toStdString() + " / " +
                                                            boxes.back().text.toStdString() + "\n";
        return s + "log:\n" + watch->text().toStdString();
    }
};

// ---------------------------------------------------------------- the runs

struct Run {
    bool ok = false;
    std::string note;
    double seconds = 0;
    double cpuSeconds = 0;  // the tool's thread, over the same span
    long preempted = 0;
    double tailSeconds = 0;  // read: from the last reply written to the end line
    Exchanges x;
};

void span(Run& r, const LogWatch& w, const std::string& from, const std::string& to) {
    r.seconds = seconds(w.at(to) - w.at(from));
    r.cpuSeconds = w.use(to).cpuSeconds - w.use(from).cpuSeconds;
    r.preempted = w.use(to).preempted - w.use(from).preempted;
}

const std::string kStarting = transfer::texts::kStarting;
const std::string kSucceeded = transfer::texts::kSucceeded;
const std::string kReading = transfer::texts::kReading;
const std::string kReadDone = session::texts::kReadDone;
// The firmware's last block is taken: the unit restarts (its return is no
// part of the transfer).
const std::string kRestarting = session::texts::kRestarting;

Run firmwareUpdate(const sim::LinkPacing& pacing) {
    sim::Identity id;
    id.version = {4, 0, 2, 46};
    Bench b(id, pacing, {kStarting, kRestarting});
    Run r;
    if (!b.waitLine(kRestarting, 120000) || !b.watch->has(kRestarting)) {
        r.note = "update did not complete\n" + b.whyNot();
        return r;
    }
    span(r, *b.watch, kStarting, kRestarting);
    const std::size_t blocks = blockTransferBound(transfer::kFirmwareDataSize).exchanges;
    r.x = exchanges(b.timeline.events(), kAckFrame, pacing.bitsPerSecond > 0, blocks);
    b.unit->withUnit([&](sim::UnitSim& u) {
        const auto image = transfer::firmwareImage();
        const bool same = std::equal(image.begin(), image.end(), u.firmware().begin(), u.firmware().end());
        r.ok = same && u.restarts() == 1 && u.problems().empty();
        if (!same) r.note += "the unit does not hold the image; ";
        for (const auto& p : u.problems()) r.note += p + "; ";
        return 0;
    });
    return r;
}

struct ConfigRuns {
    Run read, write;
};

ConfigRuns configuration(const sim::LinkPacing& pacing) {
    Bench b(sim::Identity{}, pacing, {kReading, kReadDone, kStarting, kSucceeded});
    ConfigRuns c;
    if (!b.waitLine(kReadDone, 20000) || !b.watch->has(kReadDone)) {
        c.read.note = "read did not complete\n" + b.whyNot();
        return c;
    }
    span(c.read, *b.watch, kReading, kReadDone);
    for (const Timeline::Event& e : b.timeline.events())
        if (e.sent && e.at < b.watch->at(kReadDone)) c.read.tailSeconds = seconds(b.watch->at(kReadDone) - e.at);
    b.unit->withUnit([&](sim::UnitSim& u) {
        c.read.ok = u.memoryReads() == 5 && u.problems().empty();
        return 0;
    });

    // CONFIGURAR, pressed a moment after the form is filled (and painted),
    // as a hand would press it.
    runFor(200);
    QTimer::singleShot(0, b.window.get(), [&] { b.window->findChild<QPushButton*>(QStringLiteral("B_SetConfig"))->click(); });
    if (!b.waitLine(kSucceeded, 20000) || !b.watch->has(kSucceeded)) {
        c.write.note = "write did not complete\n" + b.whyNot();
        return c;
    }
    span(c.write, *b.watch, kStarting, kSucceeded);
    const std::size_t blocks = blockTransferBound(kConfigSize).exchanges;
    c.write.x = exchanges(b.timeline.events(), kAckFrame, pacing.bitsPerSecond > 0, blocks);
    b.unit->withUnit([&](sim::UnitSim& u) {
        const bool kept = !u.transfers().empty() && u.transfers().back().kind == protocol::CmdConfigBlock &&
                          u.transfers().back().accepted;
        c.write.ok = kept && u.problems().empty();
        for (const auto& p : u.problems()) c.write.note += p + "; ";
        return 0;
    });
    return c;
}

// ---------------------------------------------------------------- printing

std::string firstLine(const char* path, const char* key) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) {
            const auto colon = line.find(':');
            std::string v = colon == std::string::npos ? line : line.substr(colon + 1);
            v.erase(0, v.find_first_not_of(" \t"));
            return v;
        }
    return "?";
}

std::string buildType() {
    // The build directory's cache says how this binary was configured.
    QFile cache(QCoreApplication::applicationDirPath() + QStringLiteral("/../CMakeCache.txt"));
    std::string configured = "?";
    if (cache.open(QIODevice::ReadOnly))
        for (const QByteArray& line : cache.readAll().split('\n'))
            if (line.startsWith("CMAKE_BUILD_TYPE:")) configured = line.mid(line.indexOf('=') + 1).toStdString();
    std::string compiled;
#ifdef __OPTIMIZE__
    compiled = "optimised";
#else
    compiled = "not optimised";
#endif
#ifdef NDEBUG
    compiled += ", NDEBUG";
#endif
    return configured + " (" + compiled + ")";
}

void printContext() {
    utsname u{};
    uname(&u);
    double load[3] = {};
    getloadavg(load, 3);
    std::printf("machine   %u cores (%s), %s %s, load average %.2f %.2f %.2f at start\n",
                std::thread::hardware_concurrency(), firstLine("/proc/cpuinfo", "model name").c_str(), u.sysname,
                u.release, load[0], load[1], load[2]);
    std::printf("build     %s; Qt %s; compiler %s\n", buildType().c_str(), qVersion(), __VERSION__);
    std::printf("link      pty; paced = %ld bit/s at %d bits a byte, %lld us turnaround per reply\n", kBitsPerSecond,
                kBitsPerByte, static_cast<long long>(kTurnaround.count()));
}

void rule() { std::printf("%s\n", std::string(100, '-').c_str()); }

double medianOf(const std::vector<Run>& runs, double (*f)(const Run&)) {
    std::vector<double> v;
    for (const Run& r : runs) v.push_back(f(r));
    return median(v);
}

// One table per transfer. The pty's own round trip is taken off each
// sample for the tool's own time.
void printTransfer(const char* title, const std::vector<Run>& runs, const Bound& bound, bool paced,
                   const Baseline& base, bool perBlock) {
    const double ptyRt = base.pty;
    std::printf("\n%s\n", title);
    std::printf("  link bound %.4f s = %zu x turnaround + %zu bytes to the unit + %zu bytes back at %ld bit/s\n",
                bound.seconds(), bound.exchanges, bound.toUnit, bound.toTool, kBitsPerSecond);
    if (perBlock)
        std::printf("  %-6s %10s %7s | %-25s | %-25s | %s\n", "run", "total [s]", "ratio",
                    "reply->next raw med/p99", "tool own med/p99 [us]", paced ? "unit late med/p99 [us]" : "");
    else
        std::printf("  %-6s %10s %7s | %15s | %s\n", "run", "total [s]", "ratio", "last reply->end",
                    "tool's thread CPU [s]");
    auto row = [&](const std::string& name, const Run& r) {
        if (!r.ok && !r.note.empty()) {
            std::printf("  %-6s FAILED: %s\n", name.c_str(), r.note.c_str());
            return;
        }
        if (!perBlock) {
            std::printf("  %-6s %10.4f %7.3f | %15.4f | %18.4f%s\n", name.c_str(), r.seconds,
                        r.seconds / bound.seconds(), r.tailSeconds, r.cpuSeconds,
                        r.ok ? "" : "  (unit found a problem)");
            return;
        }
        std::vector<double> own;
        for (double v : r.x.replyToNextUs) own.push_back(v - ptyRt);
        char late[64] = "";
        if (paced) std::snprintf(late, sizeof late, "%8.1f / %8.1f", median(r.x.unitLateUs), p99(r.x.unitLateUs));
        std::printf("  %-6s %10.4f %7.3f | %9.1f / %9.1f us | %9.1f / %9.1f us | %s%s\n", name.c_str(), r.seconds,
                    r.seconds / bound.seconds(), median(r.x.replyToNextUs), p99(r.x.replyToNextUs), median(own),
                    p99(own), late, r.ok ? "" : "  (unit found a problem)");
    };
    for (std::size_t i = 0; i < runs.size(); ++i) row(std::to_string(i + 1), runs[i]);
    if (perBlock && !runs.empty() && runs[0].ok)
        std::printf("  (the unit saw %zu bytes of frames and sent %zu bytes of acknowledgements in run 1)\n",
                    runs[0].x.bytesToUnit, runs[0].x.bytesToTool);
    // The median run by total time; per-block figures pooled over all runs.
    Run pooled;
    pooled.ok = std::all_of(runs.begin(), runs.end(), [](const Run& r) { return r.ok; });
    pooled.seconds = medianOf(runs, [](const Run& r) { return r.seconds; });
    pooled.cpuSeconds = medianOf(runs, [](const Run& r) { return r.cpuSeconds; });
    pooled.tailSeconds = medianOf(runs, [](const Run& r) { return r.tailSeconds; });
    for (const Run& r : runs) {
        pooled.x.replyToNextUs.insert(pooled.x.replyToNextUs.end(), r.x.replyToNextUs.begin(), r.x.replyToNextUs.end());
        pooled.x.unitLateUs.insert(pooled.x.unitLateUs.end(), r.x.unitLateUs.begin(), r.x.unitLateUs.end());
    }
    if (runs.size() > 1) {
        row("median", pooled);
        // Stalls of the machine (other load, the virtual CPU held up) only
        // ever add time: the quickest run shows the tool with fewest of them.
        const auto best = std::min_element(runs.begin(), runs.end(), [](const Run& a, const Run& b) {
            return a.ok != b.ok ? a.ok : a.seconds < b.seconds;
        });
        row("best", *best);
    }
    if (!perBlock || !pooled.ok || pooled.x.replyToNextUs.empty()) return;
    // Where a block's time goes, on average over every run: the total is
    // what the means add up to, so a median alone cannot explain it.
    auto mean = [](const std::vector<double>& v) {
        double sum = 0;
        for (double x : v) sum += x;
        return v.empty() ? 0.0 : sum / double(v.size());
    };
    std::vector<double> totals, cpu, late;
    long preempted = 0;
    for (const Run& r : runs) {
        totals.push_back(r.seconds);
        cpu.push_back(r.cpuSeconds);
        late.push_back(r.seconds - mean(r.x.unitLateUs) * 1e-6 * double(r.x.unitLateUs.size()));
        preempted += r.preempted;
    }
    const double perExchange = bound.seconds() / double(bound.exchanges) * 1e6;
    const double between = mean(pooled.x.replyToNextUs);
    const double blocks = double(bound.exchanges);
    char link[96];
    if (paced)
        std::snprintf(link, sizeof link, "link %.1f us + unit late %.1f us", perExchange, mean(pooled.x.unitLateUs));
    else
        std::snprintf(link, sizeof link, "no link time");
    std::printf("  per block, means over all runs: total %.1f us = %s + reply->next %.1f us (pty %.1f, tool %.1f,\n"
                "    of which a bare QSerialPort and the event loop take %.1f)\n",
                mean(totals) / blocks * 1e6, link, between, ptyRt, between - ptyRt, base.serial - ptyRt);
    std::printf("  tool's thread: %.1f us CPU per block (its CPU time over the transfer), preempted %.1f times a run\n",
                mean(cpu) / blocks * 1e6, double(preempted) / double(runs.size()));
    if (paced) {
        std::printf("  ratio with the simulated unit's own lateness taken off: %.3f (median of runs)\n",
                    median(late) / bound.seconds());
        // A typical block, free of the rare long stalls that weigh on the means.
        const double typical = perExchange + median(pooled.x.unitLateUs) + median(pooled.x.replyToNextUs);
        std::printf("  typical block (medians): %.1f us = link %.1f + unit late %.1f + reply->next %.1f; ratio %.3f\n",
                    typical, perExchange, median(pooled.x.unitLateUs), median(pooled.x.replyToNextUs),
                    typical / perExchange);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 3;
    std::string only = "abc";
    const char* tracePath = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) only = argv[++i];
        else if (std::strcmp(argv[i], "--trace") == 0 && i + 1 < argc) tracePath = argv[++i];
        else {
            std::fprintf(stderr,
                         "usage: %s [--runs N] [--only abc] [--trace FILE]\n"
                         "  --runs N    runs of each measurement (default 3)\n"
                         "  --only ...  which measurements: a (firmware, unpaced), b (firmware, paced),\n"
                         "              c (configuration); default abc\n"
                         "  --trace F   the serial trace of the whole run in file F\n",
                         argv[0]);
            return 2;
        }
    }
    const auto wanted = [&](char c) { return only.find(c) != std::string::npos; };
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The update check must not reach out while we measure.
    qputenv("VEKTOOL_UPDATE_BASE", "http://127.0.0.1:9");
    QApplication app(argc, argv);
    link::ComPort::setSystemPortLister([] { return QStringList(); });
    app::setBoxHandler([](const app::BoxRequest& r) {
        boxes.push_back(r);
        return QMessageBox::Ok;
    });
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    link::SerialTrace trace;
    if (tracePath) {
        if (const QString error = trace.open(QString::fromLocal8Bit(tracePath)); !error.isEmpty()) {
            std::fprintf(stderr, "trace: %s\n", qPrintable(error));
            return 2;
        }
        link::SerialTrace::setActive(&trace);
    }

    std::printf("VekTool transfer benchmark: the real window and serial link on a pty, the simulated unit\n");
    std::printf("on the other side; %d run(s) of each measurement%s.\n", runs,
                tracePath ? ", every frame traced" : "");
    rule();
    printContext();

    // A paced link leaves the tool idle from one block to its acknowledgement.
    const auto pause = std::chrono::microseconds(static_cast<long>(
        (wireSeconds(kFullBlockFrame) + turnaroundSeconds() + wireSeconds(kAckFrame)) * 1e6));
    const std::vector<double> ptyNow = ptyRoundTrips(2000, {});
    const std::vector<double> ptyPaused = ptyRoundTrips(500, pause);
    const std::vector<double> serialNow = serialPortRoundTrips(2000, {});
    const std::vector<double> serialPaused = serialPortRoundTrips(500, pause);
    const Baseline unpacedBase{median(ptyNow), median(serialNow)};
    const Baseline pacedBase{median(ptyPaused), median(serialPaused)};
    std::printf("pty       round trip of one exchange (10 bytes to the tool's end, 62 back), median / p99 [us]:\n"
                "                                         back to back    after a %lld us pause (paced)\n",
                static_cast<long long>(pause.count()));
    std::printf("          C++ client in poll          %7.1f / %7.1f   %7.1f / %7.1f\n", median(ptyNow), p99(ptyNow),
                median(ptyPaused), p99(ptyPaused));
    std::printf("          bare QSerialPort, Qt loop   %7.1f / %7.1f   %7.1f / %7.1f\n", median(serialNow),
                p99(serialNow), median(serialPaused), p99(serialPaused));
    rule();
    std::printf("reply->next raw: from the unit's reply (acknowledgement or data) written to the tool's next\n"
                "  frame read, on the unit's side: two pty hops and the tool's own work.\n"
                "tool own: the same minus the median pty round trip of the C++ client above (back to back for\n"
                "  unpaced runs, after the pause for paced ones).\n"
                "unit late (paced): the unit's reply went out this much after the pacing's due time.\n"
                "ratio: total time over the link bound (wire time both ways at 3,686,400 bit/s, 10 bits a\n"
                "  byte, plus 1 ms turnaround per reply); for unpaced runs the unit adds neither, so the ratio\n"
                "  there only compares against the real link.\n"
                "tool's thread CPU: CPU time (user and system) of the window's thread over the operation;\n"
                "  preempted: how often another task took the CPU from it (load on the machine).\n"
                "last reply->end (read): from the unit's last data written to the end line in Log: the\n"
                "  tool decoding the image and filling the form.\n"
                "totals run from the first to the last line of the operation in Log; the median row takes\n"
                "  the median total and pools the per-block samples of every run.\n");

    const Bound fwBound = blockTransferBound(transfer::kFirmwareDataSize);
    const Bound readBound = configReadBound();
    const Bound writeBound = blockTransferBound(kConfigSize);

    std::vector<Run> fwUnpaced, fwPaced;
    std::vector<Run> readUnpaced, readPaced, writeUnpaced, writePaced;
    for (int i = 0; wanted('a') && i < runs; ++i) fwUnpaced.push_back(firmwareUpdate(kUnpaced));
    for (int i = 0; wanted('b') && i < runs; ++i) fwPaced.push_back(firmwareUpdate(kPaced));
    for (const sim::LinkPacing& pacing : {kUnpaced, kPaced}) {
        for (int i = 0; wanted('c') && i < runs; ++i) {
            ConfigRuns c = configuration(pacing);
            (pacing.bitsPerSecond > 0 ? readPaced : readUnpaced).push_back(c.read);
            (pacing.bitsPerSecond > 0 ? writePaced : writeUnpaced).push_back(c.write);
        }
    }

    if (wanted('a'))
        printTransfer("(a) firmware update, unit replying at once (91,132 bytes: 1,899 data blocks + check block)",
                      fwUnpaced, fwBound, false, unpacedBase, true);
    if (wanted('b')) printTransfer("(b) firmware update, paced link", fwPaced, fwBound, true, pacedBase, true);
    if (wanted('c')) {
        printTransfer("(c) configuration read, unit replying at once (5 requests: 4 x 500 bytes + 32)", readUnpaced,
                      readBound, false, unpacedBase, false);
        printTransfer("    configuration read, paced link", readPaced, readBound, true, pacedBase, false);
        printTransfer("    configuration write, unit replying at once (2,032 bytes: 43 data blocks + check block)",
                      writeUnpaced, writeBound, false, unpacedBase, true);
        printTransfer("    configuration write, paced link", writePaced, writeBound, true, pacedBase, true);
    }
    rule();
    double load[3] = {};
    getloadavg(load, 3);
    std::printf("load average %.2f %.2f %.2f at the end\n", load[0], load[1], load[2]);
    return 0;
}
