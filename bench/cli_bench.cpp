// The command line against a unit paced as the real link (3,686,400 bit/s,
// 1 ms turnaround): `vektool-cli flash --force` and `vektool-cli write`
// (with and without the read-back), each as a separate process. Prints the
// operation's time on the unit's side of the pty (the tool's first frame in
// to the unit's last reply out, so process start-up and the unit's own
// announcement delays are left out) against the link's bound, and the whole
// process's time. It judges nothing.
//
//   build-bench/bench/cli_bench [--runs N]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
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
};

// `replyFromEnd`: which of the unit's last writes closes the operation (1 the
// last; 2 when a restart announcement follows the last acknowledgement).
Timing run(const QString& cli, const QStringList& args, std::array<std::uint8_t, 4> version, int replyFromEnd) {
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
    QElapsedTimer clock;
    clock.start();
    p.start(cli, QStringList{args[0], "--port", QString::fromStdString(unit.devicePath())} + args.mid(1));
    p.waitForFinished(60000);
    Timing t;
    t.process = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    t.exitCode = p.exitCode();
    unit.stop();
    std::lock_guard lock(m);
    if (!received.empty() && sent.size() >= static_cast<std::size_t>(replyFromEnd))
        t.operation = std::chrono::duration<double>(sent[sent.size() - replyFromEnd] - received.front()).count();
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 3;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    const QString cli = QCoreApplication::applicationDirPath() + "/../src/vektool-cli";

    struct Case {
        const char* name;
        QStringList args;
        std::array<std::uint8_t, 4> version;
        int replyFromEnd;
        double bound;  // seconds: wire time both ways plus one turnaround per reply
    };
    const Case cases[] = {
        {"flash --force (1,900 blocks)", {"flash", "--force"}, {4, 0, 2, 47}, 2, 2.271},
        {"write, read back (44 + 5)", {"write", "--preset", "default"}, {4, 0, 2, 47}, 1, 0.0524 + 0.0109},
        {"write --no-verify (44)", {"write", "--preset", "default", "--no-verify"}, {4, 0, 2, 47}, 1, 0.0524},
    };
    std::printf("vektool-cli against a paced simulated unit; medians of %d runs\n\n", runs);
    std::printf("%-30s %12s %10s %8s %12s\n", "command", "operation s", "bound s", "ratio", "process s");
    for (const Case& c : cases) {
        std::vector<Timing> ts;
        for (int r = 0; r < runs; ++r) ts.push_back(run(cli, c.args, c.version, c.replyFromEnd));
        std::sort(ts.begin(), ts.end(), [](const Timing& a, const Timing& b) { return a.operation < b.operation; });
        const Timing& m = ts[ts.size() / 2];
        std::printf("%-30s %12.4f %10.4f %8.2f %12.3f%s\n", c.name, m.operation, c.bound, m.operation / c.bound,
                    m.process, m.exitCode == 0 ? "" : "  (failed)");
        std::fflush(stdout);
    }
    return 0;
}
