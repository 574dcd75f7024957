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

const char* operationText(unit::Operation op) {
    switch (op) {
        case unit::Operation::Firmware: return texts::kOpFirmware;
        case unit::Operation::Write: return texts::kOpWrite;
        case unit::Operation::Read: return texts::kOpRead;
        case unit::Operation::Verify: return texts::kOpVerify;
        case unit::Operation::None: break;
    }
    return "";
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

void Progress::update(const unit::Progress& p) {
    if (p.operation == unit::Operation::None || p.maximum <= 0) return;
    if (p.operation != operation_) {
        finishLine();
        operation_ = p.operation;
        lastTenth_ = -1;
    }
    // The bar drops to 0 when an operation ends: that is no step of it.
    if (p.position <= 0) return;
    if (!terminal_) {
        const int tenth = p.percent / 10;
        if (tenth == lastTenth_) return;
        lastTenth_ = tenth;
        std::fprintf(out_, "%s: %d%% (%d/%d %s)\n", operationText(p.operation), p.percent, p.position, p.maximum,
                     texts::kBlocks.c_str());
        std::fflush(out_);
        return;
    }
    constexpr int kWidth = 24;
    const int filled = static_cast<int>(static_cast<long long>(kWidth) * p.position / p.maximum);
    const QByteArray bar = QByteArray(filled, '#') + QByteArray(kWidth - filled, '-');
    std::fprintf(out_, "\r%s [%s] %3d%% %d/%d %s", operationText(p.operation), bar.constData(), p.percent, p.position,
                 p.maximum, texts::kBlocks.c_str());
    if (p.estimated()) {
        const qint64 left = std::max<qint64>(p.secondsLeft, 0);
        std::fprintf(out_, " %.1f %s %s %lld:%02lld", p.bytesPerSecond / 1000.0, texts::kRate.c_str(), texts::kLeft.c_str(),
                     static_cast<long long>(left / 60), static_cast<long long>(left % 60));
    }
    // A few blanks cover what a longer line before this one left behind.
    std::fputs("    ", out_);
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
