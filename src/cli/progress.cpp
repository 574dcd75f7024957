#include "cli/progress.h"

#include <QtGlobal>
#include <algorithm>

#include <QFileInfo>
#include <QLocale>

#ifdef Q_OS_WIN
#include <io.h>
#endif

#include "cli/cli_texts.h"
#include "cli/unit_job.h"
#include "text/language.h"

namespace vek::cli {

namespace {

QString operationText(unit::Operation op) {
    switch (op) {
        case unit::Operation::Firmware: return vek::translated(texts::kOpFirmware);
        case unit::Operation::Write: return vek::translated(texts::kOpWrite);
        case unit::Operation::Read: return vek::translated(texts::kOpRead);
        case unit::Operation::Verify: return vek::translated(texts::kOpVerify);
        case unit::Operation::None: break;
    }
    return {};
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
    // Figures in the chosen language's way: "2,9 kB/s" or "2.9 kB/s".
    const QLocale locale;
    const QString blocks = locale.toString(p.position) + QLatin1Char('/') + locale.toString(p.maximum) +
                           QLatin1Char(' ') + vek::translated(texts::kBlocks);
    const QString operation = operationText(p.operation);
    if (!terminal_) {
        const int tenth = p.percent / 10;
        if (tenth == lastTenth_) return;
        lastTenth_ = tenth;
        print(out_, QStringLiteral("%1: %2% (%3)\n").arg(operation).arg(p.percent).arg(blocks));
        return;
    }
    constexpr int kWidth = 24;
    const int filled = static_cast<int>(static_cast<long long>(kWidth) * p.position / p.maximum);
    QString line = QStringLiteral("\r%1 [%2%3] %4% %5")
                       .arg(operation, QString(filled, QLatin1Char('#')), QString(kWidth - filled, QLatin1Char('-')))
                       .arg(p.percent, 3)
                       .arg(blocks);
    if (p.estimated()) {
        const qint64 left = std::max<qint64>(p.secondsLeft, 0);
        line += QStringLiteral(" %1 %2 %3 %4:%5")
                    .arg(locale.toString(p.bytesPerSecond / 1000.0, 'f', 1), vek::translated(texts::kRate),
                         vek::translated(texts::kLeft))
                    .arg(left / 60)
                    .arg(left % 60, 2, 10, QLatin1Char('0'));
    }
    print(out_, line);
    // A few blanks cover what a longer line before this one left behind.
    print(out_, QStringLiteral("    "));
    barOpen_ = true;
}

void Progress::finishLine() {
    if (!barOpen_) return;
    std::fputc('\n', out_);
    std::fflush(out_);
    barOpen_ = false;
}

}  // namespace vek::cli
