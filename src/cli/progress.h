#pragma once
// Progress of the running operation on standard error: a bar redrawn in
// place (percent, blocks, speed, time left) when it is a terminal, plain
// lines at every tenth otherwise, so a log file stays readable.

#include <QString>
#include <cstdio>

#include "unit/unit_types.h"

namespace vek::cli {

class Progress {
public:
    explicit Progress(std::FILE* out = stderr);

    // Draws the controller's own figures: every view shows one estimate.
    void update(const unit::Progress& progress);
    // Ends a bar line so that what follows starts on a line of its own.
    void finishLine();

    static bool isTerminal(std::FILE* out);

private:
    std::FILE* out_;
    bool terminal_;
    unit::Operation operation_ = unit::Operation::None;
    int lastTenth_ = -1;
    bool barOpen_ = false;
};

}  // namespace vek::cli
