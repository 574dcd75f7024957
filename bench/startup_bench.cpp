// What the window costs at start-up against an empty Qt window of the same
// size: each is started as a process of its own (the same executable in a
// child role), and the time from the process's start to the window shown
// and painted, and the resident memory then, are printed side by side,
// with their ratios. It judges nothing.
//
//   QT_QPA_PLATFORM=offscreen build-bench/bench/startup_bench [--runs N]

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "app/main_window.h"

namespace {

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// The child: builds one window, shows it, waits for its first paint, and
// prints the milliseconds since main() and the resident kilobytes.
int child(int argc, char** argv, bool full) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const qint64 appMs = clock.elapsed();
    std::unique_ptr<QWidget> window;
    if (full) {
        window = std::make_unique<vek::app::MainWindow>();
    } else {
        window = std::make_unique<QWidget>();
        window->setFixedSize(vek::app::MainWindow::kNormalWidth, vek::app::MainWindow::kHeight);
    }
    const qint64 builtMs = clock.elapsed();
    window->show();
    // The first paint has happened once the event loop runs a zero timer
    // after the show's expose.
    QTimer::singleShot(0, [&] {
        window->grab();  // forces a full paint where the platform paints lazily
        std::printf("%lld %lld %lld %ld\n", static_cast<long long>(appMs), static_cast<long long>(builtMs),
                    static_cast<long long>(clock.elapsed()), residentKb());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}

struct Sample {
    double processMs = 0;  // exec to the printed line, from the parent
    long appMs = 0, builtMs = 0, shownMs = 0, rssKb = 0;
};

Sample runChild(const QString& self, const char* role) {
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(self, {QString::fromLatin1(role)});
    p.waitForReadyRead(20000);
    Sample s;
    s.processMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
    if (f.size() == 4) s = {s.processMs, f[0].toLong(), f[1].toLong(), f[2].toLong(), f[3].toLong()};
    p.waitForFinished(20000);
    return s;
}

Sample median(std::vector<Sample> v) {
    std::sort(v.begin(), v.end(), [](const Sample& a, const Sample& b) { return a.processMs < b.processMs; });
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && !std::strcmp(argv[1], "--child-window")) return child(argc, argv, true);
    if (argc > 1 && !std::strcmp(argv[1], "--child-empty")) return child(argc, argv, false);
    int runs = 9;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<Sample> window, empty;
    for (int r = 0; r < runs; ++r) {
        // Interleaved, so both see the same machine.
        empty.push_back(runChild(self, "--child-empty"));
        window.push_back(runChild(self, "--child-window"));
    }
    const Sample w = median(window), e = median(empty);
    std::printf("start-up to first paint, medians of %d runs (platform %s)\n\n", runs,
                qEnvironmentVariable("QT_QPA_PLATFORM", "default").toLocal8Bit().constData());
    std::printf("%-26s %12s %12s %8s\n", "", "VekTool", "empty", "ratio");
    std::printf("%-26s %12.1f %12.1f %8.2f\n", "process start → painted ms", w.processMs, e.processMs,
                w.processMs / e.processMs);
    std::printf("%-26s %12ld %12ld\n", "  QApplication ready ms", w.appMs, e.appMs);
    std::printf("%-26s %12ld %12ld\n", "  window built ms", w.builtMs, e.builtMs);
    std::printf("%-26s %12ld %12ld\n", "  painted ms", w.shownMs, e.shownMs);
    std::printf("%-26s %12.1f %12.1f %8.2f\n", "resident memory MB", w.rssKb / 1024.0, e.rssKb / 1024.0,
                static_cast<double>(w.rssKb) / static_cast<double>(e.rssKb));
    return 0;
}
