#pragma once
// Serves a UnitSim on a pseudo-terminal, as a unit on a USB serial port
// would be served: the tool opens the slave side like any serial device.
// The host notices the tool opening and closing the port (the master's
// hang-up flag clears on open and returns on close), announces the unit a
// short while after each open, and carries the unit's replies with the
// delays it asks for. The faults that are a matter of timing (a trickle of
// single bytes, a flood of frames for another destination) are the host's
// to carry out. Any number of hosts may serve side by side in one process.

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "unit_sim.h"

namespace vek::sim {

struct LinkPacing {
    // Bytes go out no faster than this many bits a second (10 bits a byte);
    // 0 sends them as fast as the pty takes them.
    long bitsPerSecond = 0;
    // Added before each reply, as a unit's turnaround.
    std::chrono::microseconds turnaround{0};
    // Paced, a reply reaches the tool when its last byte would have: the
    // tool's bytes take their wire time, then the turnaround, then the
    // reply's own wire time; the tool cannot act on a reply any sooner.
};

class PtyHost {
public:
    explicit PtyHost(Identity identity = {});
    ~PtyHost();
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    // Creates the pty and starts serving; throws std::runtime_error on failure.
    void start();
    void stop();

    // The device path the tool opens (e.g. /dev/pts/7).
    std::string devicePath() const { return path_; }

    // Runs `f` on the unit with the host's lock held.
    template <class F>
    auto withUnit(F&& f) {
        std::lock_guard lock(mutex_);
        return f(unit_);
    }

    bool toolConnected() const { return connected_.load(); }
    int connections() const { return connections_.load(); }

    // The cable is pulled: the pty disappears under the tool.
    void unplug();
    bool unplugged() const { return unplugged_.load(); }

    void setAnnounceDelay(std::chrono::milliseconds d) { announceDelay_ = d; }
    void setPacing(LinkPacing pacing) {
        std::lock_guard lock(mutex_);
        pacing_ = pacing;
    }
    // Called (on the host's thread) for every chunk read from the tool.
    void onReceive(std::function<void(std::size_t)> f) { onReceive_ = std::move(f); }
    // Called (on the host's thread) for every chunk written to the tool, with
    // the moment the write returned. Set it before start().
    void onSend(std::function<void(std::size_t, std::chrono::steady_clock::time_point)> f) {
        onSend_ = std::move(f);
    }
    // Called (on the host's thread) when the tool opens (true) or closes
    // (false) the port, with the moment the host saw it (within 2 ms). Set it
    // before start().
    void onConnection(std::function<void(bool, std::chrono::steady_clock::time_point)> f) {
        onConnection_ = std::move(f);
    }

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        Clock::time_point due;
        Bytes bytes;
        bool continues = false;  // the rest of the piece before it: nothing may come between
    };
    void run();
    void schedule(const std::vector<Output>& outputs, Clock::time_point from);
    // Queues the flood's next frame if it is due.
    void floodStep(Clock::time_point now);
    void closeMaster();
    std::chrono::nanoseconds wireTime(long long bytes) const;

    UnitSim unit_;
    std::mutex mutex_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> connected_{false};
    std::atomic<bool> unplugged_{false};
    std::atomic<int> connections_{0};
    int master_ = -1;
    std::string path_;
    std::chrono::milliseconds announceDelay_{100};
    LinkPacing pacing_;
    std::deque<Pending> pending_;
    Clock::time_point nextFlood_{};
    std::function<void(std::size_t)> onReceive_;
    std::function<void(std::size_t, Clock::time_point)> onSend_;
    std::function<void(bool, Clock::time_point)> onConnection_;
};

}  // namespace vek::sim
