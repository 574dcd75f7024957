// The command line against a unit paced as the real link (3,686,400 bit/s,
// 1 ms turnaround): `vektool-cli flash --force` and `vektool-cli write`
// (with and without the read-back), each as a separate process. Prints the
// operation's time on the unit's side of the pty (the tool's first frame in
// to the unit's last reply out, so process start-up and the unit's own
// announcement delays are left out) against the link's bound, and the whole
// process's time. It judges nothing.
//
// `write` and `flash` first keep a copy of what the unit holds (five read
// requests); the bound counts the requests the unit received, so a tool
// that reads first is held to the read's bound as well.
//
//   build-bench/bench/cli_bench [--runs N] [--cli PATH] [--cli PATH] [--trace]
//
// Given twice or more, --cli runs each case with every program in turn
// (a build from before a change beside one from after it). With --trace,
// every program also runs each case with --trace to a file, in turn with
// its plain run.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include "pty_host.h"

using namespace vek;
using Clock = std::chrono::steady_clock;

namespace {

struct Timing {
    double operation = 0;  // seconds, unit's side
    double process = 0;    // seconds, whole process
    int exitCode = -1;
    std::size_t frames = 0;  // frames the unit received
};

// `replyFromEnd`: which of the unit's last writes closes the operation (1 the
// last; 2 when a restart announcement follows the last acknowledgement).
Timing run(const QString& cli, const QString& dataHome, const QStringList& args, std::array<std::uint8_t, 4> version,
           int replyFromEnd) {
    sim::Identity id;
    id.version = version;
    sim::PtyHost unit(id);
    unit.setPacing({3'686'400, std::chrono::microseconds(1000)});
    std::mutex m;
    std::vector<Clock::time_point> received, sent;
    unit.onReceive([&](std::size_t) {
        std::lock_guard lock(m);
        received.push_back(Clock::now());
    });
    unit.onSend([&](std::size_t, Clock::time_point t) {
        std::lock_guard lock(m);
        sent.push_back(t);
    });
    unit.start();
    QProcess p;
    // Copies kept before a change go to a folder of the benchmark's own.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    p.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    p.start(cli, QStringList{args[0], "--port", QString::fromStdString(unit.devicePath())} + args.mid(1));
    p.waitForFinished(60000);
    Timing t;
    t.process = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    t.exitCode = p.exitCode();
    unit.stop();
    std::lock_guard lock(m);
    t.frames = received.size();
    if (!received.empty() && sent.size() >= static_cast<std::size_t>(replyFromEnd))
        t.operation = std::chrono::duration<double>(sent[sent.size() - replyFromEnd] - received.front()).count();
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 3;
    QStringList programs;
    bool trace = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--cli") && i + 1 < argc) programs << QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(argv[i], "--trace")) trace = true;
    }
    if (programs.isEmpty()) programs << QCoreApplication::applicationDirPath() + "/../src/vektool-cli";
    QTemporaryDir dataHome;
    // Each way a case is run: a program, and the arguments added to it.
    struct Way {
        QString cli;
        QStringList extra;
    };
    QList<Way> clis;
    for (const QString& p : programs) {
        clis.push_back({p, {}});
        if (trace) clis.push_back({p, {"--trace", dataHome.filePath("trace.txt")}});
    }

    // Seconds of wire time both ways plus one turnaround per reply.
    constexpr double kReadRequest = 0.0109 / 5;
    struct Case {
        const char* name;
        QStringList args;
        std::array<std::uint8_t, 4> version;
        int replyFromEnd;
        double bound;        // without a copy first
        std::size_t frames;  // the frames that bound covers
    };
    const Case cases[] = {
        {"flash --force", {"flash", "--force"}, {4, 0, 2, 47}, 2, 2.271, 1900},
        {"write, read back", {"write", "--preset", "default"}, {4, 0, 2, 47}, 1, 0.0524 + 0.0109, 49},
        {"write --no-verify", {"write", "--preset", "default", "--no-verify"}, {4, 0, 2, 47}, 1, 0.0524, 44},
    };
    std::printf("vektool-cli against a paced simulated unit; medians of %d runs, programs interleaved\n\n", runs);
    std::printf("%-20s %-4s %7s %12s %10s %8s %12s\n", "command", "cli", "frames", "operation s", "bound s", "ratio",
                "process s");
    for (const Case& c : cases) {
        std::vector<std::vector<Timing>> ts(static_cast<std::size_t>(clis.size()));
        for (int r = 0; r < runs; ++r)
            for (qsizetype k = 0; k < clis.size(); ++k)
                ts[static_cast<std::size_t>(k)].push_back(
                    run(clis[k].cli, dataHome.path(), c.args + clis[k].extra, c.version, c.replyFromEnd));
        for (qsizetype k = 0; k < clis.size(); ++k) {
            auto& all = ts[static_cast<std::size_t>(k)];
            std::sort(all.begin(), all.end(), [](const Timing& a, const Timing& b) { return a.operation < b.operation; });
            const Timing& m = all[all.size() / 2];
            const double bound =
                c.bound + (m.frames > c.frames ? static_cast<double>(m.frames - c.frames) * kReadRequest : 0.0);
            std::printf("%-20s %-4lld %7zu %12.4f %10.4f %8.2f %12.3f%s\n", c.name, static_cast<long long>(k + 1),
                        m.frames, m.operation, bound, m.operation / bound, m.process,
                        m.exitCode == 0 ? "" : "  (failed)");
        }
        std::fflush(stdout);
    }
    if (clis.size() > 1)
        for (qsizetype k = 0; k < clis.size(); ++k)
            std::printf("cli %lld: %s %s\n", static_cast<long long>(k + 1), qPrintable(clis[k].cli),
                        qPrintable(clis[k].extra.join(' ')));
    return 0;
}
