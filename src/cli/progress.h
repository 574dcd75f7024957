#pragma once
// Progress of the running operation on standard error: a bar redrawn in
// place (percent, blocks, speed, time left) when it is a terminal, plain
// lines at every tenth otherwise, so a log file stays readable.

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

#include "session/view.h"

namespace vek::cli {

class Progress {
public:
    explicit Progress(std::FILE* out = stderr);

    void update(int position, int maximum, session::Operation operation);
    // Ends a bar line so that what follows starts on a line of its own.
    void finishLine();

    static bool isTerminal(std::FILE* out);

private:
    std::FILE* out_;
    bool terminal_;
    session::Operation operation_ = session::Operation::None;
    QElapsedTimer clock_;
    int lastTenth_ = -1;
    bool barOpen_ = false;
};

}  // namespace vek::cli
