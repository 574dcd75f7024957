#include "transfer/paced_operation.h"

#include <utility>

namespace vek::transfer {

void PacedOperation::begin(std::uint32_t blockCount) {
    pacing_ = Pacing{};
    pacing_.blockCount = blockCount;
    pacing_.lastAcked = kNoAnswer;
    port_.setProgressMaximum(static_cast<int>(blockCount));
    counters_.reset();
    running_ = true;
}

Outcome PacedOperation::step() {
    if (!running_) return Outcome::Ignored;
    if (!port_.portOpen()) return fail(Failure::NoConnection);
    if (!paceStep(pacing_, [this] { sendCurrent(); })) return fail(Failure::GaveUp);
    if (pacing_.currentBlock == 1 && !timer_) setTimer(true);
    return Outcome::Running;
}

Outcome PacedOperation::answered(std::uint32_t block) {
    pacing_.lastAcked = block;
    pacing_.ackReceived = true;
    return timer_ ? step() : Outcome::Running;
}

Outcome PacedOperation::complete() {
    setTimer(false);
    running_ = false;
    port_.setProgress(0);
    return Outcome::Completed;
}

Outcome PacedOperation::fail(Failure failure) {
    setTimer(false);
    running_ = false;
    port_.setProgress(0);
    failure_ = failure;
    return Outcome::Failed;
}

void PacedOperation::stop() {
    if (!running_) return;
    setTimer(false);
    running_ = false;
}

void PacedOperation::setTimer(bool on) {
    if (timer_ == on) return;
    timer_ = on;
    port_.setPacingTimer(timerId_, on);
}

}  // namespace vek::transfer
