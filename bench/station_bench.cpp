// How well the production station works several units at once: 1, 2, 4 and
// 8 simulated units on their own ptys, each paced as the real link (3,686,400
// bit/s, 1 ms turnaround), each needing new firmware, brought up together:
// identify, firmware, identify again, configuration, read-back, recorded in a
// SQLite file. Prints the total time, its ratio to one unit's, and the
// station's own CPU time (its thread: the event loop all units share) per
// unit. Beside it, the same units with no records at all and with a
// PostgreSQL address whose server accepts the connection and never answers
// (a listening socket nobody reads), and the ratios of those times to the
// unrecorded ones: what the records cost the units. It judges nothing.
//
//   build-bench/bench/station_bench [--runs N]

#include <netinet/in.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <thread>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "config/config_image.h"
#include "pty_host.h"
#include "records/record_store.h"
#include "station/records_link.h"
#include "station/station.h"

using namespace vek;

namespace {

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Result {
    double seconds = 0;
    double cpuSeconds = 0;
    int passed = 0;
};

enum class Records { None, Sqlite, HungServer };

// A server that takes the connection and then says nothing: the kernel
// completes the handshake for the backlog, and nobody ever reads.
struct SilentServer {
    int fd = -1;
    int port = 0;
    SilentServer() {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), len) != 0 || ::listen(fd, 64) != 0 ||
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
            std::perror("silent server");
            std::exit(1);
        }
        port = ntohs(a.sin_port);
    }
    ~SilentServer() { ::close(fd); }
};

Result bringUp(int units, Records records, const SilentServer& silent) {
    std::vector<std::unique_ptr<sim::PtyHost>> hosts;
    QStringList ports;
    for (int n = 0; n < units; ++n) {
        sim::Identity id;
        id.version = {4, 0, 2, 46};
        id.id = {0x2000u + static_cast<std::uint32_t>(n), 0x22222222, 0x33333333};
        hosts.push_back(std::make_unique<sim::PtyHost>(id));
        hosts.back()->setPacing({3'686'400, std::chrono::microseconds(1000)});
        hosts.back()->start();
        ports << QString::fromStdString(hosts.back()->devicePath());
    }
    QTemporaryDir dir;
    std::unique_ptr<station::RecordsLink> link;
    if (records != Records::None) {
        records::StoreOptions options{.localPath = dir.filePath("r.sqlite")};
        if (records == Records::HungServer)
            options.url = QStringLiteral("postgresql://vek@127.0.0.1:%1/vek").arg(silent.port);
        link = std::make_unique<station::RecordsLink>(options);
        QEventLoop opened;
        QObject::connect(link.get(), &station::RecordsLink::opened, &opened, &QEventLoop::quit);
        link->open();
        opened.exec();
    }
    config::FormModel form;
    config::applyDefaults(form);
    station::Station station(form, ports, link.get());
    station.setCount(units);
    QEventLoop loop;
    QObject::connect(&station, &station::Station::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(120000);

    const double cpu0 = threadCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    station.start();
    loop.exec();
    Result r;
    r.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    r.cpuSeconds = threadCpuSeconds() - cpu0;
    r.passed = station.summary().passed;
    if (link) link->close();
    return r;
}


double median(std::vector<Result>& results, Result* picked) {
    std::sort(results.begin(), results.end(), [](const Result& a, const Result& b) { return a.seconds < b.seconds; });
    *picked = results[results.size() / 2];
    return picked->seconds;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 3;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    const SilentServer silent;
    std::printf("VekTool station benchmark: paced simulated units, firmware + configuration + read-back\n");
    std::printf("medians of %d runs, the three ways interleaved; %u hardware threads\n\n", runs,
                std::thread::hardware_concurrency());
    std::printf("%5s %9s %8s %8s %8s %9s %9s %12s %8s\n", "units", "none s", "SQLite s", "÷ one", "÷ none",
                "hung PG s", "÷ none", "CPU/unit", "passed");
    double one = 0;
    for (int units : {1, 2, 4, 8}) {
        std::vector<Result> none, sqlite, hung;
        for (int r = 0; r < runs; ++r) {
            none.push_back(bringUp(units, Records::None, silent));
            sqlite.push_back(bringUp(units, Records::Sqlite, silent));
            hung.push_back(bringUp(units, Records::HungServer, silent));
        }
        Result n, s, h;
        median(none, &n);
        median(sqlite, &s);
        median(hung, &h);
        if (units == 1) one = s.seconds;
        std::printf("%5d %9.3f %8.3f %8.2f %8.2f %9.3f %9.2f %9.1f ms %2d/%d/%d\n", units, n.seconds, s.seconds,
                    s.seconds / one, s.seconds / n.seconds, h.seconds, h.seconds / n.seconds,
                    s.cpuSeconds * 1000.0 / units, n.passed, s.passed, h.passed);
        std::fflush(stdout);
    }
    std::printf("\n÷ one: SQLite time over one unit's; ÷ none: over the same units recorded nowhere.\n"
                "CPU/unit: the station's thread with SQLite. passed: none/SQLite/hung.\n");
    return 0;
}
