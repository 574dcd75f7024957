// Simulated units on real ptys, read through the real serial link: several
// at once in one process, the faults the host carries out itself (a trickle
// of single bytes, a flood for another destination), and vek-sim serving
// several units from the command line.

#include <QProcess>
#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "app_fixture.h"
#include "link/com_port.h"
#include "protocol/receiver.h"

using namespace vek;
using vek::testing::pump;
using vek::testing::waitFor;

namespace {

// The tool's end of one port: the real link and the real receiver.
struct Listener {
    link::ComPort port;
    protocol::Counters counters;
    protocol::Receiver rx{counters};
    std::vector<protocol::Frame> frames;
    int reads = 0;

    explicit Listener(const std::string& path) {
        port.setPort(QString::fromStdString(path));
        port.setCustomBaudRate(3686400);
        QObject::connect(&port, &link::ComPort::rxChar, [this](int count) {
            const QByteArray bytes = port.read(count);
            ++reads;
            for (protocol::Frame& f : rx.feed(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                        static_cast<std::size_t>(bytes.size()))))
                frames.push_back(std::move(f));
        });
        port.open();
    }
    int count(bool forTool) const {
        return static_cast<int>(std::count_if(frames.begin(), frames.end(),
                                              [&](const protocol::Frame& f) { return f.forTool() == forTool; }));
    }
    // Identifier word 3 of the first identification, or 0.
    std::uint32_t idWord3() const {
        for (const protocol::Frame& f : frames)
            if (f.forTool() && f.code == protocol::RspIdentification) return protocol::getU32(f.payload, 9);
        return 0;
    }
};

sim::Identity identityWithWord3(std::uint32_t w3) {
    sim::Identity id;
    id.id[2] = w3;
    return id;
}

}  // namespace

TEST(SimUnits, SeveralHostsServeSideBySideInOneProcess) {
    std::vector<std::unique_ptr<sim::PtyHost>> hosts;
    std::vector<std::unique_ptr<Listener>> tools;
    for (std::uint32_t k = 0; k < 3; ++k) {
        hosts.push_back(std::make_unique<sim::PtyHost>(identityWithWord3(0x0BADF00D + k)));
        hosts.back()->start();
    }
    for (const auto& h : hosts) tools.push_back(std::make_unique<Listener>(h->devicePath()));
    ASSERT_TRUE(waitFor([&] {
        return std::all_of(tools.begin(), tools.end(), [](const auto& t) { return t->idWord3() != 0; });
    }));
    for (std::uint32_t k = 0; k < 3; ++k) {
        EXPECT_EQ(tools[k]->idWord3(), 0x0BADF00D + k) << "unit " << k;
        EXPECT_EQ(tools[k]->count(true), 1);
        EXPECT_EQ(hosts[k]->connections(), 1);
    }
    // Closing one leaves the others served.
    tools[1]->port.close();
    ASSERT_TRUE(waitFor([&] { return !hosts[1]->toolConnected(); }));
    EXPECT_TRUE(hosts[0]->toolConnected());
    EXPECT_TRUE(hosts[2]->toolConnected());
}

TEST(SimUnits, ATrickleWritesEveryByteAloneAndTheFrameArrivesWhole) {
    sim::PtyHost host;
    std::vector<std::size_t> writes;
    std::mutex m;
    host.onSend([&](std::size_t n, auto) {
        std::lock_guard lock(m);
        writes.push_back(n);
    });
    host.withUnit([](sim::UnitSim& u) {
        u.faults().trickleGapUs = 20;
        return 0;
    });
    host.start();
    Listener tool(host.devicePath());
    ASSERT_TRUE(waitFor([&] { return !tool.frames.empty(); }));
    const protocol::Bytes id = host.withUnit([](sim::UnitSim& u) { return u.identificationFrame(); });
    EXPECT_EQ(tool.frames.size(), 1u);
    EXPECT_EQ(tool.frames[0].payload, protocol::Bytes(id.begin() + 5, id.end() - 3));
    std::lock_guard lock(m);
    EXPECT_EQ(writes, std::vector<std::size_t>(id.size(), 1));
}

TEST(SimUnits, AFloodRunsOnlyWhileThePortIsOpenAndNeverSplitsAReply) {
    sim::PtyHost host;
    host.withUnit([](sim::UnitSim& u) {
        u.faults().floodIntervalUs = 200;
        u.faults().trickleGapUs = 300;  // flood frames fall due between the bytes of a reply
        return 0;
    });
    host.start();
    pump(50);
    EXPECT_EQ(host.withUnit([](sim::UnitSim& u) { return u.floodFrames(); }), 0);

    auto tool = std::make_unique<Listener>(host.devicePath());
    ASSERT_TRUE(waitFor([&] { return tool->idWord3() != 0 && tool->count(false) >= 20; }));
    // Flood frames came before and after the reply, none inside it: every
    // byte belonged to a whole frame.
    EXPECT_EQ(tool->count(true), 1);
    EXPECT_EQ(tool->counters.Code15 + tool->counters.Code20 + tool->counters.Code10, 0u);

    tool.reset();  // closes the port
    ASSERT_TRUE(waitFor([&] { return !host.toolConnected(); }));
    const int sent = host.withUnit([](sim::UnitSim& u) { return u.floodFrames(); });
    pump(50);
    EXPECT_EQ(host.withUnit([](sim::UnitSim& u) { return u.floodFrames(); }), sent);
}

TEST(SimUnits, VekSimServesSeveralUnitsAndStopsOnSignal) {
    QProcess sim;
    sim.start(QStringLiteral(VEK_SIM_EXE), {"--units", "3", "--unit", "2:silent", "--unit", "3:stray-headers"});
    ASSERT_TRUE(sim.waitForStarted());
    std::vector<std::string> paths;
    ASSERT_TRUE(waitFor([&] {
        while (sim.canReadLine()) paths.push_back(sim.readLine().trimmed().toStdString());
        return paths.size() >= 3;
    }));
    ASSERT_EQ(paths.size(), 3u);

    std::vector<std::unique_ptr<Listener>> tools;
    for (const std::string& p : paths) tools.push_back(std::make_unique<Listener>(p));
    ASSERT_TRUE(waitFor([&] { return tools[0]->idWord3() != 0 && tools[2]->idWord3() != 0; }));
    const sim::Identity base;
    EXPECT_EQ(tools[0]->idWord3(), base.id[2]);
    EXPECT_EQ(tools[2]->idWord3(), base.id[2] + 2);
    pump(300);  // the silent one has had three times its announcement delay
    EXPECT_TRUE(tools[1]->frames.empty());
    EXPECT_EQ(tools[1]->reads, 0);

    tools.clear();
    sim.terminate();  // SIGTERM
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_TRUE(sim.readAllStandardError().contains("unit 3: tool connected (1)"));
}
