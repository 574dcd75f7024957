// The production station: several simulated units on their own ptys at
// once, through the real command line (a separate process) and through the
// station window, with every run recorded in a real SQLite file or a real
// PostgreSQL server started here.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QProcess>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <csignal>
#include <memory>
#include <set>

#include "app/station_window.h"
#include "app_fixture.h"
#include "config/config_image.h"
#include "pg_test_server.h"
#include "records/record_store.h"
#include "station/station.h"

namespace vek::testing {
namespace {

using RunRow = records::Run;
using records::Verdict;

config::Image presetImage(void (*preset)(config::FormModel&)) {
    config::FormModel form;
    preset(form);
    config::Image image{};
    config::encode(form, image);
    return image;
}

sim::Identity unitNo(int n, std::array<std::uint8_t, 4> version = {4, 0, 2, 46}) {
    sim::Identity id;
    id.version = version;
    id.id = {0x1000u + static_cast<std::uint32_t>(n), 0x22222222, 0x33333333};
    return id;
}

const RunRow* runOn(const std::vector<RunRow>& runs, const std::unique_ptr<sim::PtyHost>& unit) {
    for (const RunRow& r : runs)
        if (r.port == QString::fromStdString(unit->devicePath())) return &r;
    return nullptr;
}

class StationTest : public ::testing::Test {
protected:
    void SetUp() override {
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert("XDG_DATA_HOME", data_.path());  // the station's own records, never the developer's
        env_.remove("VEKTOOL_EXTRA_PORTS");
    }

    sim::PtyHost& addUnit(const sim::Identity& id, const std::function<void(sim::UnitSim&)>& setup = {}) {
        units_.push_back(std::make_unique<sim::PtyHost>(id));
        if (setup) units_.back()->withUnit(setup);
        units_.back()->start();
        return *units_.back();
    }
    QString portList() const {
        QStringList ports;
        for (const auto& u : units_) ports << QString::fromStdString(u->devicePath());
        return ports.join(',');
    }
    // Starts `vektool-cli station` over every unit added so far.
    void startStation(QProcess& p, const QStringList& extra = {}) {
        p.setProcessEnvironment(env_);
        p.start(QStringLiteral(VEKTOOL_CLI), QStringList{"station", "--preset", "default", "--ports", portList()} + extra);
        ASSERT_TRUE(p.waitForStarted(5000));
    }
    int finish(QProcess& p, int ms = 60000) {
        EXPECT_TRUE(waitFor([&] { return p.state() == QProcess::NotRunning; }, ms)) << p.readAllStandardError().toStdString();
        if (p.state() != QProcess::NotRunning) p.kill(), p.waitForFinished(2000);
        err_ += QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    QString localRecords() const { return data_.filePath("VekTool/records.sqlite"); }
    std::vector<RunRow> runsIn(records::StoreOptions options) {
        records::RecordStore store(options);
        EXPECT_TRUE(store.open()) << store.errorString().toStdString();
        auto runs = store.list({});
        EXPECT_TRUE(runs) << store.errorString().toStdString();
        return runs ? *runs : std::vector<RunRow>{};
    }

    QTemporaryDir data_;
    QProcessEnvironment env_;
    std::vector<std::unique_ptr<sim::PtyHost>> units_;
    QString err_;
};

TEST_F(StationTest, FourUnitsAtOnceEachRecordedWithItsOutcome) {
    for (int n = 1; n <= 3; ++n) addUnit(unitNo(n));
    addUnit(unitNo(4), [](sim::UnitSim& u) { u.faults().vanishAtBlock = 500; });  // unplugged mid-update
    QProcess station;
    startStation(station, {"--count", "4"});
    EXPECT_EQ(finish(station), 1) << err_.toStdString();
    EXPECT_TRUE(err_.contains(QString::fromUtf8("unidades: 3 concluídas, 1 falharam"))) << err_.toStdString();

    const std::vector<RunRow> runs = runsIn({.localPath = localRecords()});
    ASSERT_EQ(runs.size(), 4u);
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        const RunRow* r = runOn(runs, units_[n]);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->verdict, Verdict::Passed);
        EXPECT_EQ(r->firmwareBefore, "4.0.2.46");
        EXPECT_EQ(r->firmwareAfter, "4.0.2.47");
        EXPECT_EQ(r->verify.result, records::Verify::Result::Match);
        EXPECT_EQ(r->unitId, QStringLiteral("33333333 22222222 %1").arg(0x1001 + n, 8, 16, QLatin1Char('0')).toUpper());
        EXPECT_TRUE(r->endedAt.isValid());
        EXPECT_EQ(units_[n]->withUnit([](sim::UnitSim& u) { return u.config(); }), presetImage(config::applyDefaults));
    }
    const RunRow* unplugged = runOn(runs, units_[3]);
    ASSERT_NE(unplugged, nullptr);
    EXPECT_EQ(unplugged->verdict, Verdict::Failed);
    EXPECT_EQ(unplugged->failureReason, QString::fromUtf8("o Vek foi desconectado durante: atualizando firmware"));
    EXPECT_EQ(unplugged->firmwareAfter, "4.0.2.46");
}

TEST_F(StationTest, AReadBackThatDiffersFailsTheUnit) {
    addUnit(unitNo(1, {4, 0, 2, 47}), [](sim::UnitSim& u) { u.faults().storeConfigWrongAt = 100; });
    QProcess station;
    startStation(station, {"--count", "1"});
    EXPECT_EQ(finish(station), 1) << err_.toStdString();
    const std::vector<RunRow> runs = runsIn({.localPath = localRecords()});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].verdict, Verdict::Failed);
    EXPECT_EQ(runs[0].verify.result, records::Verify::Result::Mismatch);
    EXPECT_EQ(runs[0].verify.offset, 100u);
    EXPECT_TRUE(runs[0].failureReason.contains(QString::fromUtf8("a partir do byte 100"))) << runs[0].failureReason.toStdString();
}

TEST_F(StationTest, CtrlCAndACrashLeaveNoRunningRecord) {
    // Paced as the real link: the firmware takes seconds, time enough to stop it.
    addUnit(unitNo(1)).setPacing({3686400, std::chrono::microseconds(1000)});
    QProcess station;
    startStation(station);
    station.setReadChannel(QProcess::StandardError);
    ASSERT_TRUE(waitFor([&] {
        err_ += QString::fromUtf8(station.readAllStandardError());
        return err_.contains("Vek 33333333");
    }, 10000)) << err_.toStdString();
    ::kill(static_cast<pid_t>(station.processId()), SIGINT);
    EXPECT_EQ(finish(station, 10000), 1);
    EXPECT_TRUE(err_.contains(QString::fromUtf8("0 concluídas, 0 falharam, 1 interrompidas"))) << err_.toStdString();
    std::vector<RunRow> runs = runsIn({.localPath = localRecords()});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].verdict, Verdict::Interrupted);

    // Killed outright: the run is found running at the next start and marked.
    units_.clear();
    addUnit(unitNo(2)).setPacing({3686400, std::chrono::microseconds(1000)});
    QProcess crashed;
    startStation(crashed);
    err_.clear();
    ASSERT_TRUE(waitFor([&] {
        err_ += QString::fromUtf8(crashed.readAllStandardError());
        return err_.contains("Vek 33333333");
    }, 10000)) << err_.toStdString();
    crashed.kill();
    crashed.waitForFinished(5000);
    runs = runsIn({.localPath = localRecords()});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].verdict, Verdict::Interrupted) << "marked at the next open";
}

// --- a shared PostgreSQL server -------------------------------------------------

class SharedStationTest : public StationTest {
protected:
    static void SetUpTestSuite() { test::PgSuiteServer::setUp(); }
    static void TearDownTestSuite() { test::PgSuiteServer::tearDown(); }

    void SetUp() override {
        if (!test::PgSuiteServer::skip().empty()) GTEST_SKIP() << test::PgSuiteServer::skip();
        std::string error;
        ASSERT_TRUE(test::PgSuiteServer::start(&error)) << error;
        server_ = &test::PgSuiteServer::server();
        StationTest::SetUp();
        env_.insert("PGPASSWORD", server_->password());
        env_.insert("PGPASSFILE", data_.filePath("none"));
        qputenv("PGPASSWORD", server_->password().toUtf8());
        qputenv("PGPASSFILE", data_.filePath("none").toLocal8Bit());
    }
    void TearDown() override {
        qunsetenv("PGPASSWORD");
        qunsetenv("PGPASSFILE");
    }
    QString url() const {
        return QStringLiteral("postgresql://%1@127.0.0.1:%2/postgres").arg(server_->user()).arg(server_->port());
    }

    test::PgTestServer* server_ = nullptr;
};

TEST_F(SharedStationTest, ServerAwayMidRunThenEveryRunArrivesOnce) {
    addUnit(unitNo(1)).setPacing({3686400, std::chrono::microseconds(1000)});
    addUnit(unitNo(2, {4, 0, 2, 47}));
    QProcess station;
    startStation(station, {"--db", url(), "--count", "2"});
    // The server goes away while the paced unit is still being updated.
    ASSERT_TRUE(waitFor([&] {
        err_ += QString::fromUtf8(station.readAllStandardError());
        return err_.contains("Vek 33333333 22222222 00001001");
    }, 10000)) << err_.toStdString();
    ASSERT_TRUE(server_->stop());
    EXPECT_EQ(finish(station), 0) << err_.toStdString();
    EXPECT_TRUE(err_.contains(QString::fromUtf8("aguardam o banco"))) << err_.toStdString();
    EXPECT_FALSE(err_.contains(server_->password())) << "no password in what the station says";

    QString error;
    ASSERT_TRUE(server_->start(&error)) << error.toStdString();
    // Whatever the station kept arrives with the next use of the records.
    QProcess list;
    list.setProcessEnvironment(env_);
    list.start(QStringLiteral(VEKTOOL_CLI), {"records", "--db", url(), "--csv"});
    ASSERT_TRUE(list.waitForFinished(20000));
    EXPECT_EQ(list.exitCode(), 0) << list.readAllStandardError().toStdString();

    const std::vector<RunRow> runs = runsIn({.url = url(), .localPath = data_.filePath("check.sqlite")});
    ASSERT_EQ(runs.size(), 2u);
    std::set<QString> ids;
    for (const RunRow& r : runs) {
        ids.insert(r.id);
        EXPECT_EQ(r.verdict, Verdict::Passed) << r.failureReason.toStdString();
        EXPECT_EQ(r.verify.result, records::Verify::Result::Match);
        EXPECT_EQ(r.firmwareAfter, "4.0.2.47");
    }
    EXPECT_EQ(ids.size(), 2u);
    EXPECT_EQ(runOn(runs, units_[0])->firmwareBefore, "4.0.2.46");
}

// --- the station window ----------------------------------------------------------

TEST_F(AppTest, StationWindowBringsUpTwoUnitsAndMatchesTheirLabels) {
    QTemporaryDir dir;
    records::RecordStore store({.localPath = dir.filePath("records.sqlite")});
    ASSERT_TRUE(store.open());
    std::vector<std::unique_ptr<sim::PtyHost>> hosts;
    QStringList ports;
    for (int n = 1; n <= 2; ++n) {
        hosts.push_back(std::make_unique<sim::PtyHost>(unitNo(n, n == 1 ? std::array<std::uint8_t, 4>{4, 0, 2, 46}
                                                                       : std::array<std::uint8_t, 4>{4, 0, 2, 47})));
        hosts.back()->start();
        ports << QString::fromStdString(hosts.back()->devicePath());
    }
    app::StationWindow window(&store, ports);
    window.show();
    window.choosePreset(1);  // Norvale
    ASSERT_TRUE(window.startStation());
    QTableWidget* table = window.table();
    ASSERT_EQ(table->rowCount(), 2);
    ASSERT_TRUE(waitFor([&] {
        return table->item(0, app::StationWindow::ColVerdict)->text() == "OK" &&
               table->item(1, app::StationWindow::ColVerdict)->text() == "OK";
    }, 20000)) << table->item(0, app::StationWindow::ColStep)->text().toStdString();
    EXPECT_EQ(table->item(0, app::StationWindow::ColFirmware)->text(), QString::fromUtf8("4.0.2.46 → 4.0.2.47"));
    EXPECT_EQ(table->item(1, app::StationWindow::ColFirmware)->text(), "4.0.2.47");
    EXPECT_EQ(table->item(1, app::StationWindow::ColId)->text(), "33333333 22222222 00001002");
    EXPECT_EQ(hosts[1]->withUnit([](sim::UnitSim& u) { return u.config(); }), presetImage(config::applyNorvale));

    // A label typed by a scanner anywhere in the window.
    window.activateWindow();
    for (const QChar c : QStringLiteral("333333332222222200001002")) {
        QKeyEvent press(QEvent::KeyPress, c.unicode(), Qt::NoModifier, c);
        QApplication::sendEvent(table, &press);
    }
    EXPECT_EQ(table->item(1, app::StationWindow::ColQr)->text(), QString::fromUtf8("333333332222222200001002 ✔"));
    window.scanned("0123456789ABCDEF01234567");
    EXPECT_TRUE(window.message().contains(QString::fromUtf8("não corresponde a nenhum Vek"))) << window.message().toStdString();

    window.stopStation();
    const auto runs = store.list({});
    ASSERT_TRUE(runs && runs->size() == 2u);
    bool labelled = false;
    for (const RunRow& r : *runs) labelled = labelled || (r.qr && r.qr->match && r.unitId.endsWith("00001002"));
    EXPECT_TRUE(labelled);
}

}  // namespace
}  // namespace vek::testing
