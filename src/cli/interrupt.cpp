#include "cli/interrupt.h"

#include <atomic>
#include <csignal>

namespace vek::cli {

namespace {

// All a signal handler may touch. Counted rather than flagged so that two
// presses between two polls are still two.
std::atomic<int> signalled{0};

extern "C" void onSignal(int) { signalled.fetch_add(1); }

// Often enough to answer a keystroke at once, seldom enough to cost nothing.
constexpr int kPollMs = 50;

}  // namespace

Interrupts::Interrupts(QObject* parent) : QObject(parent) {
    signalled = 0;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
#ifdef SIGHUP
    // A closed terminal asks as SIGTERM does.
    std::signal(SIGHUP, onSignal);
#endif
    connect(&poll_, &QTimer::timeout, this, &Interrupts::poll);
    poll_.start(kPollMs);
}

Interrupts::~Interrupts() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
#ifdef SIGHUP
    std::signal(SIGHUP, SIG_DFL);
#endif
}

void Interrupts::poll() {
    const int now = signalled.load();
    while (seen_ < now) {
        ++seen_;
        if (seen_ == 1) emit first();
        else if (seen_ == 2) emit second();
    }
}

}  // namespace vek::cli
