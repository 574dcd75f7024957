#pragma once
// What a paced operation (block transfer, configuration read) needs from its
// surroundings: the link, its pacing timer, the progress bar and the log.
// A failure is not shown from here: the operation returns it as a value and
// whoever started it decides how to tell the technician.

#include <string>

#include "protocol/frame.h"

namespace vek::transfer {

// The two pacing timers: Timer1 (500 ms) paces block transfers, Timer3
// (100 ms) the configuration read.
enum class PacingTimer { Timer1, Timer3 };

// How a paced operation failed: the port was closed under it, or the unit
// fell silent (or kept answering wrongly) for too long. The link's counters
// say the rest; views word it.
enum class Failure { None, NoConnection, GaveUp };

class Port {
public:
    virtual ~Port() = default;

    virtual bool portOpen() const = 0;
    virtual void write(const protocol::Bytes& frame) = 0;
    virtual void setPacingTimer(PacingTimer timer, bool enabled) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgress(int position) = 0;
    virtual void appendLog(const std::string& line) = 0;
};

}  // namespace vek::transfer
