#include "pty_host.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace vek::sim {

PtyHost::PtyHost(Identity identity) : unit_(identity) {}

PtyHost::~PtyHost() { stop(); }

void PtyHost::start() {
    // Close-on-exec: a tool started as a child process must not inherit the
    // master, or pulling the cable (closing it here) would never reach it.
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
        throw std::runtime_error(std::string("cannot create a pty: ") + std::strerror(errno));
    const char* name = ptsname(master_);
    if (!name) throw std::runtime_error("cannot name the pty");
    path_ = name;
    // Raw bytes both ways: no echo, no line discipline touching 0x0D/0x0A.
    termios t{};
    if (tcgetattr(master_, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(master_, TCSANOW, &t);
    }
    // A master reports hang-up only once its slave has been opened and
    // closed; do that once so "nobody has the port open" reads the same
    // before the tool's first open as after its closes.
    const int slave = ::open(name, O_RDWR | O_NOCTTY);
    if (slave >= 0) ::close(slave);
    running_ = true;
    thread_ = std::thread([this] { run(); });
}

void PtyHost::stop() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
    closeMaster();
}

void PtyHost::closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void PtyHost::unplug() { unplugged_ = true; }

void PtyHost::schedule(const std::vector<Output>& outputs, Clock::time_point from) {
    // Replies queue behind what is still waiting to go out.
    Clock::time_point t = pending_.empty() ? from : std::max(from, pending_.back().due);
    const int trickleUs = unit_.faults().trickleGapUs;
    for (const Output& o : outputs) {
        t += std::chrono::milliseconds(o.delayMs);
        if (trickleUs >= 0) {
            // One byte per write, each when it would have crossed the line.
            std::chrono::nanoseconds step = std::chrono::microseconds(trickleUs);
            if (pacing_.bitsPerSecond > 0) {
                t += pacing_.turnaround;
                step = std::max(step, wireTime(1));
            }
            for (std::size_t i = 0; i < o.bytes.size(); ++i) {
                t += step;
                pending_.push_back({t, Bytes{o.bytes[i]}, i > 0});
            }
            continue;
        }
        // The bytes are handed over whole once the last of them has crossed
        // the line, and the line carries one reply after the other.
        if (pacing_.bitsPerSecond > 0) t += pacing_.turnaround + wireTime(static_cast<long long>(o.bytes.size()));
        pending_.push_back({t, o.bytes});
    }
}

void PtyHost::floodStep(Clock::time_point now) {
    const int intervalUs = unit_.faults().floodIntervalUs;
    if (intervalUs <= 0) return;
    const auto interval = std::chrono::microseconds(intervalUs);
    if (nextFlood_ == Clock::time_point{} || now - nextFlood_ > 100 * interval) nextFlood_ = now;  // (re)started
    if (now < nextFlood_) return;
    // Between whole replies: after everything already due, before the first
    // reply that is not, never inside a trickled one.
    auto at = std::find_if(pending_.begin(), pending_.end(),
                           [&](const Pending& p) { return p.due > nextFlood_ && !p.continues; });
    pending_.insert(at, {nextFlood_, unit_.floodFrame()});
    nextFlood_ += interval;
}

namespace {
// How long before a reply is due the host stops sleeping.
constexpr std::chrono::microseconds kAwake{100};
}  // namespace

std::chrono::nanoseconds PtyHost::wireTime(long long bytes) const {
    if (pacing_.bitsPerSecond <= 0) return {};
    return std::chrono::nanoseconds(bytes * 10 * 1000000000LL / pacing_.bitsPerSecond);
}

void PtyHost::run() {
#ifdef __linux__
    // Paced replies are due to the microsecond; the default timer slack
    // (50 us) would make every one of them late.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    std::uint8_t buf[4096];
    bool wasConnected = false;
    Clock::time_point announceAt{};
    bool announcePending = false;
    while (running_) {
        if (unplugged_) {
            closeMaster();
            connected_ = false;
            return;
        }
        pollfd p{master_, POLLIN, 0};
        // Wake for the tool's bytes, or just before the next reply is due:
        // a paced reply is due within the millisecond, and waking from a
        // sleep is itself late by tens of microseconds.
        std::chrono::nanoseconds wait = std::chrono::milliseconds(2);
        {
            std::lock_guard lock(mutex_);
            if (!pending_.empty())
                wait = std::clamp<std::chrono::nanoseconds>(pending_.front().due - kAwake - Clock::now(), {}, wait);
            if (wasConnected && unit_.faults().floodIntervalUs > 0)
                wait = std::clamp<std::chrono::nanoseconds>(nextFlood_ - kAwake - Clock::now(), {}, wait);
        }
        const timespec ts{0, static_cast<long>(wait.count())};
        ::ppoll(&p, 1, &ts, nullptr);
        const bool connected = !(p.revents & POLLHUP);
        if (connected != wasConnected) {
            wasConnected = connected;
            connected_ = connected;
            if (onConnection_) onConnection_(connected, Clock::now());
            std::lock_guard lock(mutex_);
            pending_.clear();
            nextFlood_ = {};
            if (connected) {
                ++connections_;
                // After the tool's purge, as a unit that boots on power-up.
                announcePending = true;
                announceAt = Clock::now() + announceDelay_;
            } else {
                announcePending = false;
            }
        }
        if (!connected) {
            // A hung-up master polls ready at once: nap instead of spinning
            // until the tool opens the port.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        if (announcePending && Clock::now() >= announceAt) {
            announcePending = false;
            std::lock_guard lock(mutex_);
            schedule(unit_.announce(), Clock::now());
        }
        if (p.revents & POLLIN) {
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) {
                std::lock_guard lock(mutex_);
                // With pacing, the tool's bytes took their time on the wire too.
                schedule(unit_.receive(std::span(buf, static_cast<std::size_t>(n))), Clock::now() + wireTime(n));
                if (unit_.vanishRequested()) unplugged_ = true;
            }
            if (n > 0 && onReceive_) onReceive_(static_cast<std::size_t>(n));
        }
        {
            std::lock_guard lock(mutex_);
            floodStep(Clock::now());
        }
        // Send what is due.
        for (;;) {
            Bytes out;
            Clock::time_point due;
            {
                std::lock_guard lock(mutex_);
                if (pending_.empty() || pending_.front().due > Clock::now() + kAwake) break;
                due = pending_.front().due;
                out = std::move(pending_.front().bytes);
                pending_.pop_front();
            }
            while (Clock::now() < due) {
                // The last stretch awake, to the microsecond.
            }
            std::size_t off = 0;
            while (off < out.size() && running_) {
                const ssize_t w = ::write(master_, out.data() + off, out.size() - off);
                if (w > 0) off += static_cast<std::size_t>(w);
                else if (errno == EAGAIN) ::poll(nullptr, 0, 1);
                else break;
            }
            if (onSend_ && off > 0) onSend_(off, Clock::now());
        }
    }
}

}  // namespace vek::sim
