#include "cli/progress.h"

#include <QtGlobal>
#include <algorithm>

#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#endif

#include "cli/cli_texts.h"

namespace vek::cli {

namespace {

const char* operationText(session::Operation op) {
    switch (op) {
        case session::Operation::Firmware: return texts::kOpFirmware;
        case session::Operation::Write: return texts::kOpWrite;
        case session::Operation::Read: return texts::kOpRead;
        case session::Operation::Verify: return texts::kOpVerify;
        case session::Operation::None: break;
    }
    return "";
}

// Bytes a block carries, for the speed: transfer blocks hold 48, reads 500.
int blockBytes(session::Operation op) {
    return op == session::Operation::Read || op == session::Operation::Verify ? 500 : 48;
}

}  // namespace

bool Progress::isTerminal(std::FILE* out) {
#ifdef Q_OS_WIN
    return _isatty(_fileno(out)) != 0;
#else
    // Where the stream goes, as the system names it: a terminal is a tty
    // device, a pipe or a file is not. Without /proc it reads as no terminal
    // and the plain lines are written.
    const QString target =
        QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(out == stdout ? 1 : 2)).symLinkTarget();
    return target.startsWith(QLatin1String("/dev/pts/")) || target.startsWith(QLatin1String("/dev/tty"));
#endif
}

Progress::Progress(std::FILE* out) : out_(out), terminal_(isTerminal(out)) {}

void Progress::update(int position, int maximum, session::Operation operation) {
    if (operation == session::Operation::None || maximum <= 0) return;
    if (operation != operation_) {
        finishLine();
        operation_ = operation;
        clock_.start();
        lastTenth_ = -1;
    }
    // The bar drops to 0 when an operation ends: that is no step of it.
    if (position <= 0) return;
    const int percent = static_cast<int>(100LL * position / maximum);
    if (!terminal_) {
        const int tenth = percent / 10;
        if (tenth == lastTenth_) return;
        lastTenth_ = tenth;
        std::fprintf(out_, "%s: %d%% (%d/%d %s)\n", operationText(operation), percent, position, maximum,
                     texts::kBlocks);
        std::fflush(out_);
        return;
    }
    const double seconds = static_cast<double>(std::max<qint64>(clock_.elapsed(), 1)) / 1000.0;
    const double rate = position * blockBytes(operation) / seconds / 1000.0;
    const int left = static_cast<int>((maximum - position) * seconds / position + 0.5);
    constexpr int kWidth = 24;
    const int filled = kWidth * position / maximum;
    const QByteArray bar = QByteArray(filled, '#') + QByteArray(kWidth - filled, '-');
    std::fprintf(out_, "\r%s [%s] %3d%% %d/%d %s %.1f kB/s %s %d:%02d ", operationText(operation), bar.constData(),
                 percent, position, maximum, texts::kBlocks, rate, texts::kLeft, left / 60, left % 60);
    std::fflush(out_);
    barOpen_ = true;
}

void Progress::finishLine() {
    if (!barOpen_) return;
    std::fputc('\n', out_);
    std::fflush(out_);
    barOpen_ = false;
}

}  // namespace vek::cli
