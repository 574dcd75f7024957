#pragma once
// The pacing rule shared by the block transfer (Timer1, 500 ms) and the
// configuration read (Timer3, 100 ms): a step advances once the block just
// sent was answered, sends the same block again when another was answered,
// resends at idle steps 3, 5 and 7, and gives up at the tenth idle step.
//
// An answer naming another block is no progress: the block goes out again at
// once, but the step counts as idle, so a unit that keeps answering wrongly
// fails as a silent one does instead of being fed the same block forever.

#include <cstdint>

namespace vek::transfer {

inline constexpr std::uint32_t kNoAnswer = 0xFFFFFF;

struct Pacing {
    std::uint32_t blockCount = 0;
    std::uint32_t currentBlock = 0;  // last block sent; 0 before the first
    std::uint32_t lastAcked = 0;
    bool ackReceived = false;
    int idleTicks = 0;
};

inline constexpr int kGiveUpTicks = 10;

// One step; `send` sends currentBlock. Returns false once the operation has
// gone kGiveUpTicks steps without progress.
template <class Send>
bool paceStep(Pacing& p, Send&& send) {
    if (p.currentBlock == 0 || (p.ackReceived && p.lastAcked == p.currentBlock)) {
        if (p.currentBlock < p.blockCount) ++p.currentBlock;
        send();
        // Cleared only after the send: an answer that arrives inside it
        // belongs to the block before.
        p.ackReceived = false;
        p.idleTicks = 0;
        return true;
    }
    ++p.idleTicks;
    if (p.idleTicks >= kGiveUpTicks) return false;
    if (p.ackReceived) {
        send();
        p.ackReceived = false;
    } else if (p.idleTicks == 3 || p.idleTicks == 5 || p.idleTicks == 7) {
        send();
    }
    return true;
}

}  // namespace vek::transfer
