// How well the production station works several units at once: 1, 2, 4 and
// 8 simulated units on their own ptys, each paced as the real link (3,686,400
// bit/s, 1 ms turnaround), each needing new firmware, brought up together:
// identify, firmware, identify again, configuration, read-back, recorded in a
// SQLite file. Prints the total time, its ratio to one unit's, and the
// station's own CPU time (its thread: the event loop all units share) per
// unit. It judges nothing.
//
//   build-bench/bench/station_bench [--runs N] [--no-records]

#include <time.h>

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

Result bringUp(int units, bool withRecords) {
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
    std::unique_ptr<records::RecordStore> store;
    if (withRecords) {
        store = std::make_unique<records::RecordStore>(records::StoreOptions{.localPath = dir.filePath("r.sqlite")});
        store->open();
    }
    config::FormModel form;
    config::applyDefaults(form);
    station::Station station(form, ports, store.get());
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
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 3;
    bool withRecords = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        if (!std::strcmp(argv[i], "--no-records")) withRecords = false;
    }
    std::printf("VekTool station benchmark: paced simulated units, firmware + configuration + read-back%s\n",
                withRecords ? ", recorded in SQLite" : "");
    std::printf("medians of %d runs; %u hardware threads\n\n", runs, std::thread::hardware_concurrency());
    std::printf("%6s %10s %14s %18s %8s\n", "units", "total s", "ratio to one", "station CPU/unit", "passed");
    double one = 0;
    for (int units : {1, 2, 4, 8}) {
        std::vector<Result> results;
        for (int r = 0; r < runs; ++r) results.push_back(bringUp(units, withRecords));
        std::sort(results.begin(), results.end(), [](const Result& a, const Result& b) { return a.seconds < b.seconds; });
        const Result& median = results[results.size() / 2];
        if (units == 1) one = median.seconds;
        std::printf("%6d %10.3f %14.2f %15.1f ms %5d/%d\n", units, median.seconds, median.seconds / one,
                    median.cpuSeconds * 1000.0 / units, median.passed, units);
        std::fflush(stdout);
    }
    return 0;
}
