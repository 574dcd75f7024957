#pragma once
// What the block transfer and the configuration read have in common: they
// start, take one pacing step per tick of their timer (or at once when the
// unit answers), and end either complete, failed or stopped. The subclass
// says what one step sends and how each failure reads.

#include <optional>

#include "protocol/counters.h"
#include "transfer/pacing.h"
#include "transfer/port.h"

namespace vek::transfer {

// What a call into a paced operation came to.
enum class Outcome {
    Ignored,    // no operation ran, or the reply belonged to none
    Running,    // still going
    Completed,  // ended well
    Failed,     // ended badly; failure() says how
};

class PacedOperation {
public:
    PacedOperation(const PacedOperation&) = delete;
    PacedOperation& operator=(const PacedOperation&) = delete;

    bool running() const { return running_; }
    bool timerEnabled() const { return timer_; }
    const Pacing& pacing() const { return pacing_; }
    // How the last failed run failed.
    Failure failure() const { return failure_; }

    // Abandons a running operation quietly (another operation takes over).
    void stop();

protected:
    PacedOperation(Port& port, protocol::Counters& counters, PacingTimer timer)
        : port_(port), counters_(counters), timerId_(timer) {}
    ~PacedOperation() = default;

    // Arms a run of `blockCount` steps; the caller sends the first with step().
    void begin(std::uint32_t blockCount);
    // One pacing step: sends through sendCurrent(), fails when the port has
    // closed or the unit stayed silent (or kept answering wrongly) too long.
    Outcome step();
    // The unit answered `block`; runs a step at once while the timer paces.
    Outcome answered(std::uint32_t block);
    Outcome complete();
    Outcome fail(Failure failure);

    virtual void sendCurrent() = 0;

    Port& port_;
    protocol::Counters& counters_;
    Pacing pacing_;

private:
    void setTimer(bool on);

    PacingTimer timerId_;
    Failure failure_ = Failure::None;
    bool running_ = false;
    bool timer_ = false;
};

}  // namespace vek::transfer
