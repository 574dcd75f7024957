// What stray headers on the line cost the tool: the real window and serial
// link on a pty, against a simulated unit that puts a header announcing 500
// bytes, with nothing behind it, before and after every frame it sends
// (vek-sim --stray-headers). For a configuration read, a configuration write
// and a firmware update it prints the time with and without the noise, and
// the link counters the window would show. It judges nothing.
//
//   QT_QPA_PLATFORM=offscreen build/bench/stray_header_bench [--only rwf] [--cap SECONDS]
//
// --cap bounds each operation (default 120 s); an operation cut short prints
// how far it got.

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QEventLoop>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/message_box.h"
#include "link/com_port.h"
#include "pty_host.h"
#include "session/session.h"
#include "session/session_texts.h"
#include "transfer/transfer_texts.h"
#include "update/update_checker.h"

using namespace vek;
using Clock = std::chrono::steady_clock;

namespace {

bool runUntil(const std::function<bool()>& done, double seconds) {
    const auto giveUp =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (!done() && Clock::now() < giveUp) {
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

double since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

struct Result {
    std::string what;
    bool stray = false;
    bool done = false;
    double seconds = 0;
    std::string progress;  // how far it got
    session::Counters counters;
};

void print(const Result& r) {
    std::printf("%-22s %-9s %-9s %10.3f  %-50s Code10 %u  Code15 %u  Code20 %u  Nacks %u\n", r.what.c_str(),
                r.stray ? "stray" : "clean", r.done ? "done" : "cut short", r.seconds, r.progress.c_str(),
                r.counters.Code10, r.counters.Code15, r.counters.Code20, r.counters.Nacks);
}

// A window connected to a simulated unit with or without the noise.
struct Rig {
    sim::PtyHost unit;
    std::unique_ptr<app::MainWindow> window;
    std::vector<app::BoxRequest> boxes;
    // The link's counters as the last road ended.
    protocol::Counters counters;

    Rig(const sim::Identity& id, bool stray) : unit(id) {
        unit.withUnit([&](sim::UnitSim& u) {
            u.faults().strayHeaders = stray;
            return 0;
        });
        unit.start();
        qputenv("VEKTOOL_EXTRA_PORTS", unit.devicePath().c_str());
        app::setBoxHandler([this](const app::BoxRequest& r) {
            boxes.push_back(r);
            return QMessageBox::Ok;
        });
        window = std::make_unique<app::MainWindow>();
        window->show();
        QObject::connect(&window->controller(), &unit::UnitController::operationFinished,
                         [this](const unit::Outcome& o) { counters = o.counters; });
        // The start-up update check is no part of any operation.
        const update::UpdateChecker* check = window->updateChecker();
        runUntil([&] { return check->updateStep() >= 2 && !check->fetchRunning(); }, 5);
    }
    ~Rig() {
        window.reset();
        unit.stop();
        app::setBoxHandler({});
    }
    void connect() {
        auto* combo = window->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        combo->setCurrentIndex(combo->findText(QString::fromStdString(unit.devicePath())));
        window->findChild<QToolButton*>(QStringLiteral("ButtonVCP"))->click();
    }
    bool logHas(const char* line) const {
        return window->findChild<QTextEdit*>(QStringLiteral("Log"))->toPlainText().contains(QString::fromUtf8(line));
    }
    template <class F>
    auto onUnit(F&& f) {
        return unit.withUnit(std::forward<F>(f));
    }
};

const char* const kReading = transfer::texts::kReading;
const char* const kReadDone = session::texts::kReadDone;
const char* const kSucceeded = transfer::texts::kSucceeded;

std::vector<Result> configuration(bool stray, double cap) {
    Rig rig(sim::Identity{}, stray);
    Result read{"configuration read", stray}, write{"configuration write", stray};
    rig.connect();
    if (!runUntil([&] { return rig.logHas(kReading); }, 5)) return {read};
    const auto start = Clock::now();
    read.done = runUntil([&] { return rig.logHas(kReadDone); }, cap);
    read.seconds = since(start);
    read.progress = std::to_string(rig.onUnit([](sim::UnitSim& u) { return u.memoryReads(); })) + " requests answered";
    read.counters = rig.counters;
    if (!read.done) return {read};

    runUntil([] { return false; }, 0.2);
    const auto acked = [&] {
        return rig.onUnit([](sim::UnitSim& u) {
            return u.transfers().empty() ? std::size_t{0} : (u.transfers().back().image.size() + 47) / 48;
        });
    };
    const auto writeStart = Clock::now();
    QTimer::singleShot(0, rig.window.get(), [&] { rig.window->findChild<QPushButton*>(QStringLiteral("B_SetConfig"))->click(); });
    write.done = runUntil([&] { return rig.logHas(kSucceeded) || !rig.boxes.empty(); }, cap) && rig.boxes.empty();
    write.seconds = since(writeStart);
    write.progress = std::to_string(acked()) + " of 43 data blocks taken, " +
                     std::to_string(rig.onUnit([](sim::UnitSim& u) { return u.frames().size(); })) + " frames in all";
    write.counters = rig.counters;
    return {read, write};
}

Result firmware(bool stray, double cap) {
    sim::Identity id;
    id.version = {4, 0, 2, 46};
    Rig rig(id, stray);
    Result r{"firmware update", stray};
    rig.connect();
    const auto blocks = [&] {
        return rig.onUnit([](sim::UnitSim& u) {
            return u.transfers().empty() ? std::size_t{0} : (u.transfers().back().image.size() + 47) / 48;
        });
    };
    if (!runUntil([&] { return blocks() > 0; }, 10)) return r;
    const auto start = Clock::now();
    r.done = runUntil([&] { return rig.onUnit([](sim::UnitSim& u) { return u.restarts(); }) > 0; }, cap);
    r.seconds = since(start);
    runUntil([&] { return rig.logHas(kSucceeded); }, 5);  // back, and the counters with it
    r.progress = std::to_string(blocks()) + " of 1,899 data blocks taken, " +
                 std::to_string(rig.onUnit([](sim::UnitSim& u) { return u.frames().size(); })) + " frames in all";
    r.counters = rig.counters;
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string only = "rwf";
    double cap = 120;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--only")) only = argv[i + 1];
        else if (!std::strcmp(argv[i], "--cap")) cap = std::atof(argv[i + 1]);
    }
    qputenv("VEKTOOL_UPDATE_BASE", "http://127.0.0.1:9");
    link::ComPort::setSystemPortLister([] { return QStringList(); });
    double load = 0;
    std::ifstream("/proc/loadavg") >> load;
    std::printf("stray header bench: load average %.2f at the start; each operation capped at %.0f s\n\n", load, cap);
    std::printf("%-22s %-9s %-9s %10s\n", "operation", "line", "", "seconds");
    for (bool stray : {false, true}) {
        if (only.find_first_of("rw") != std::string::npos)
            for (const Result& r : configuration(stray, cap))
                if (only.find(r.what == "configuration read" ? 'r' : 'w') != std::string::npos) print(r);
        if (only.find('f') != std::string::npos) print(firmware(stray, cap));
    }
    return 0;
}
