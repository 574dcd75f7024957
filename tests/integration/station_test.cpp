// The production station: several simulated units on their own ptys at
// once, through the real command line (a separate process) and through the
// station window, with every run recorded in a real SQLite file or a real
// PostgreSQL server started here.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QUuid>
#include <QJsonArray>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string_view>

#include "app/pgpass.h"
#include "app/station_window.h"
#include "app_fixture.h"
#include "config/config_file.h"
#include "config/config_image.h"
#include "link/port_info.h"
#include "pg_test_server.h"
#include "records_link_support.h"
#include "sqlite_lock.h"
#include "records/record_store.h"
#include "station/records_link.h"
#include "station/station.h"

namespace vek::testing {
namespace {

QString failuresOf(const vek::station::Summary& s) {
    QStringList out;
    for (const auto& f : s.failures) out << f.port + QLatin1Char(' ') + f.unitId + QStringLiteral(": ") + f.reason;
    return out.join(QLatin1Char('\n'));
}

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
    // What broke and what the unit needs now.
    EXPECT_EQ(unplugged->failureReason, QString::fromUtf8("o Vek foi desconectado durante a atualização do firmware — "
                                                          "o Vek ficou no carregador: conecte de novo para gravar o firmware"));
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

TEST_F(StationTest, FirstCtrlCLetsTheUnitFinishASecondStopsItAndACrashLeavesNoRunningRecord) {
    // Paced as the real link: the firmware takes seconds, time enough to stop it.
    addUnit(unitNo(1)).setPacing({3686400, std::chrono::microseconds(1000)});
    auto runUntilUnit = [&](QProcess& station, const QStringList& extra = {}) {
        startStation(station, extra);
        station.setReadChannel(QProcess::StandardError);
        err_.clear();
        ASSERT_TRUE(waitFor([&] {
            err_ += QString::fromUtf8(station.readAllStandardError());
            return err_.contains("Vek 33333333");
        }, 10000)) << err_.toStdString();
    };
    {
        // The first one: the unit under way finishes and is recorded; none new starts.
        QProcess station;
        runUntilUnit(station, {"--json"});
        ::kill(static_cast<pid_t>(station.processId()), SIGINT);
        EXPECT_EQ(finish(station, 30000), 0) << err_.toStdString();
        EXPECT_TRUE(err_.contains(QString::fromUtf8("Parando: as 1 unidades em andamento terminam"))) << err_.toStdString();
        EXPECT_TRUE(err_.contains(QString::fromUtf8("1 concluídas, 0 falharam, 0 interrompidas"))) << err_.toStdString();
        const QJsonObject summary = QJsonDocument::fromJson(station.readAllStandardOutput()).object();
        EXPECT_EQ(summary["units"].toObject()["passed"].toInt(), 1);
    }
    units_.clear();
    sim::PtyHost& flashed = addUnit(unitNo(3));
    flashed.setPacing({3686400, std::chrono::microseconds(1000)});
    {
        // Two in a row: stopped at once, recorded interrupted. Stopped once the
        // firmware is on its way, not while the station may still be reading.
        QProcess station;
        runUntilUnit(station, {"--json"});
        ASSERT_TRUE(waitFor([&] {
            return flashed.withUnit([](const sim::UnitSim& u) {
                return !u.transfers().empty() && u.transfers().back().kind == protocol::CmdFirmwareBlock;
            });
        }, 10000));
        ::kill(static_cast<pid_t>(station.processId()), SIGINT);
        ASSERT_TRUE(waitFor([&] {
            err_ += QString::fromUtf8(station.readAllStandardError());
            return err_.contains("Parando");
        }, 5000));
        ::kill(static_cast<pid_t>(station.processId()), SIGTERM);
        EXPECT_EQ(finish(station, 10000), 130);
        EXPECT_TRUE(err_.contains(QString::fromUtf8("0 concluídas, 0 falharam, 1 interrompidas"))) << err_.toStdString();
        // What the unit needs now, in words, and for a script as a kind with its values.
        EXPECT_TRUE(err_.contains(QString::fromUtf8(
            "a estação foi parada pelo operador durante a atualização do firmware — o Vek ficou no carregador")))
            << err_.toStdString();
        const QJsonArray failures =
            QJsonDocument::fromJson(station.readAllStandardOutput()).object()["failures"].toArray();
        ASSERT_EQ(failures.size(), 1);
        const QJsonObject f = failures[0].toObject();
        EXPECT_EQ(f["kind"].toString(), "interrupted");
        EXPECT_EQ(f["unit"].toString(), "33333333 22222222 00001003");
        EXPECT_FALSE(f["port"].toString().isEmpty());
        EXPECT_EQ(f["values"].toObject()["by"].toString(), "operator");
        EXPECT_EQ(f["values"].toObject()["operation"].toString(), "firmware");
    }
    std::vector<RunRow> runs = runsIn({.localPath = localRecords()});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].verdict, Verdict::Passed);
    EXPECT_EQ(runs[1].verdict, Verdict::Interrupted);

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
    // Its first row is in the file: the run is under way.
    ASSERT_TRUE(waitFor([&] { return listed({.localPath = localRecords()}).size() == 3u; }, 5000));
    crashed.kill();
    crashed.waitForFinished(5000);
    EXPECT_EQ(listed({.localPath = localRecords()}).back().verdict, Verdict::Running) << "a listing marks nothing";
    runs = runsIn({.localPath = localRecords()});
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[2].verdict, Verdict::Interrupted) << "marked at the next open of a station";
}

TEST_F(StationTest, AFullDiskIsSaidOnTheUnitCountedApartAndExitsNonZero) {
    const QString file = localRecords();
    {
        // The file made beforehand, so that the size limit leaves no room.
        records::RecordStore store({.localPath = file});
        ASSERT_TRUE(store.open());
    }
    addUnit(unitNo(1, {4, 0, 2, 47}));
    QProcess station;
    const rlim_t limit = static_cast<rlim_t>(QFileInfo(file).size());
    station.setChildProcessModifier([limit] {
        // A file may not grow past the size it has: the disk is full.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &r);
    });
    startStation(station, {"--count", "1", "--json"});
    EXPECT_EQ(finish(station, 30000), 1) << err_.toStdString();
    const QString err = err_;
    EXPECT_TRUE(err.contains(QString::fromUtf8("NÃO registrad"))) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral(": ?"))) << err.toStdString();
    const QJsonObject summary = QJsonDocument::fromJson(station.readAllStandardOutput()).object();
    EXPECT_EQ(summary["units"].toObject()["passed"].toInt(), 0) << "not called done";
    EXPECT_EQ(summary["units"].toObject()["unrecorded"].toInt(), 1);
    for (const RunRow& r : listed({.localPath = file})) EXPECT_NE(r.verdict, Verdict::Passed) << "nothing passed unseen";
}

// The records as a script and a spreadsheet read them: filters, the units
// counted once by their last run, strict dates, and a CSV with no formulas.
TEST_F(StationTest, RecordsCommandFiltersCountsUnitsOnceAndKeepsSpreadsheetsSafe) {
    {
        records::RecordStore store({.localPath = localRecords()});
        ASSERT_TRUE(store.open()) << store.errorString().toStdString();
        const auto run = [](int minute, const char* unit, Verdict verdict, const char* reason = "") {
            RunRow r;
            r.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
            r.startedAt = QDateTime(QDate(2026, 3, 2), QTime(10, minute), Qt::UTC);
            r.endedAt = r.startedAt.addSecs(30);
            r.station = "linha-1";
            r.port = "ttyACM0";
            r.unitId = QString::fromLatin1(unit);
            r.verdict = verdict;
            r.failureReason = QString::fromUtf8(reason);
            return r;
        };
        // Unit ...1001 failed, then passed when run again: one unit, passed.
        for (const RunRow& r : {run(0, "33333333 22222222 00001001", Verdict::Failed, "=HYPERLINK(\"x\")"),
                                run(5, "33333333 22222222 00001001", Verdict::Passed),
                                run(6, "33333333 22222222 00001002", Verdict::Failed, "leitura difere"),
                                run(7, "33333333 22222222 00001003", Verdict::Failed, "leitura difere"),
                                run(8, "33333333 22222222 00001004", Verdict::Passed)})
            ASSERT_TRUE(store.put(r)) << store.errorString().toStdString();
    }
    const auto records = [&](const QStringList& args, int* code = nullptr) {
        QProcess p;
        p.setProcessEnvironment(env_);
        p.start(QStringLiteral(VEKTOOL_CLI), QStringList{"records"} + args);
        EXPECT_TRUE(p.waitForFinished(20000));
        if (code) *code = p.exitCode();
        return p.readAllStandardOutput();
    };

    const QJsonArray all = QJsonDocument::fromJson(records({"--json"})).array();
    EXPECT_EQ(all.size(), 5);
    const QJsonArray failed = QJsonDocument::fromJson(records({"--json", "--verdict", "failed"})).array();
    EXPECT_EQ(failed.size(), 3);
    const QJsonArray one = QJsonDocument::fromJson(records({"--json", "--unit", "1001"})).array();
    ASSERT_EQ(one.size(), 2);
    for (const QJsonValue& r : one) EXPECT_TRUE(r.toObject()["unit_id"].toString().endsWith("00001001"));

    const QJsonObject summary = QJsonDocument::fromJson(records({"--summary", "--json"})).object();
    const QJsonObject units = summary["units"].toObject();
    EXPECT_EQ(units["passed"].toInt(), 2) << "a unit run again counts once, by its last run";
    EXPECT_EQ(units["failed"].toInt(), 2);
    EXPECT_EQ(units["first_pass"].toInt(), 1) << "only ...1004 passed on its first run";
    EXPECT_EQ(units["rework"].toInt(), 1) << "...1001 needed a second run";
    EXPECT_DOUBLE_EQ(units["yield_percent"].toDouble(), 50.0);
    EXPECT_DOUBLE_EQ(units["first_pass_yield_percent"].toDouble(), 25.0);
    EXPECT_FALSE(summary.contains("stations")) << "one station: no split";
    const QString text = QString::fromUtf8(records({"--summary"}));
    EXPECT_TRUE(text.contains(QString::fromUtf8("primeira passagem")) && text.contains("retrabalho 1 unidades"))
        << text.toStdString();
    const QJsonArray reasons = summary["reasons"].toArray();
    ASSERT_FALSE(reasons.isEmpty()) << QJsonDocument(summary).toJson().toStdString();
    EXPECT_EQ(reasons[0].toObject()["reason"].toString(), "leitura difere");
    EXPECT_EQ(reasons[0].toObject()["units"].toInt(), 2);

    int code = 0;
    EXPECT_EQ(QJsonDocument::fromJson(records({"--json", "--since", "2026-03-02 10:06"}, &code)).array().size(), 3);
    EXPECT_EQ(code, 0);
    for (const char* bad : {"2026-03-02x", "2026-13-01", "02/03/2026", "2026-03-02 25:00"}) {
        records({"--since", bad}, &code);
        EXPECT_EQ(code, 2) << bad;
    }

    const QByteArray csv = records({"--csv"});
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF")) << "UTF-8 with a BOM, for a spreadsheet";
    EXPECT_EQ(csv.count('\n'), 6) << "a heading and one line per run";
    EXPECT_FALSE(csv.contains(",=HYPERLINK")) << csv.toStdString();
    EXPECT_FALSE(csv.contains(",\"=HYPERLINK")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("'=HYPERLINK")) << "the reason is kept, as text";
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
    startStation(station, {"--db", url(), "--count", "2", "--json"});
    // The server goes away while the paced unit is still being updated.
    ASSERT_TRUE(waitFor([&] {
        err_ += QString::fromUtf8(station.readAllStandardError());
        return err_.contains("Vek 33333333 22222222 00001001");
    }, 10000)) << err_.toStdString();
    ASSERT_TRUE(server_->stop());
    EXPECT_EQ(finish(station), 0) << err_.toStdString();
    // The exit names exactly what is left and where, in words and in JSON.
    const QJsonObject summary = QJsonDocument::fromJson(station.readAllStandardOutput()).object();
    const int queued = summary["records"].toObject()["queued"].toInt(-1);
    EXPECT_GE(queued, 1) << "the paced unit ended with the server away";
    EXPECT_TRUE(err_.contains(QString::fromUtf8("%1 registros na fila local de ").arg(queued)) &&
                err_.contains("vektool-cli records sync"))
        << err_.toStdString();
    EXPECT_FALSE(err_.contains(server_->password())) << "no password in what the station says";

    QString error;
    ASSERT_TRUE(server_->start(&error)) << error.toStdString();
    auto cli = [&](const QStringList& arguments, int* code) {
        QProcess p;
        p.setProcessEnvironment(env_);
        p.start(QStringLiteral(VEKTOOL_CLI), arguments);
        EXPECT_TRUE(p.waitForFinished(20000));
        *code = p.exitCode();
        const QByteArray said = p.readAllStandardError();
        if (*code != 0) ADD_FAILURE() << arguments.join(' ').toStdString() << ": " << said.toStdString();
        return p.readAllStandardOutput();
    };
    // A listing reads: the queued runs are shown, marked, and stay queued.
    int code = -1;
    const QJsonArray listed = QJsonDocument::fromJson(cli({"records", "--db", url(), "--json"}, &code)).array();
    EXPECT_EQ(code, 0);
    EXPECT_EQ(listed.size(), 2);
    int markedQueued = 0;
    for (const QJsonValue& run : listed) markedQueued += run.toObject()["queued"].toBool() ? 1 : 0;
    EXPECT_EQ(markedQueued, queued);
    EXPECT_EQ(records::RecordStore::queuedIn(localRecords(), url()), queued) << "a listing sends nothing";

    // records sync delivers them.
    const QJsonArray synced = QJsonDocument::fromJson(cli({"records", "sync", "--json"}, &code)).array();
    EXPECT_EQ(code, 0);
    ASSERT_EQ(synced.size(), 1);
    EXPECT_EQ(synced[0].toObject()["sent"].toInt(), queued);
    EXPECT_EQ(synced[0].toObject()["queued"].toInt(), 0);
    EXPECT_EQ(records::RecordStore::queuedIn(localRecords(), url()), 0);

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

// What the server holds once the station has exited, read without any
// outbox; the suite shares one server, so runs in `before` are left out.
std::map<QString, Verdict> serverVerdicts(const QString& url, const QString& scratch,
                                          const std::map<QString, Verdict>& before = {}) {
    records::RecordStore reader({.url = url, .localPath = scratch, .access = records::Access::Reader});
    EXPECT_TRUE(reader.open()) << reader.errorString().toStdString();
    std::map<QString, Verdict> out;
    if (const auto runs = reader.list({})) {
        for (const RunRow& r : *runs)
            if (!before.count(r.id)) out[r.id] = r.verdict;
    } else {
        ADD_FAILURE() << reader.errorString().toStdString();
    }
    return out;
}

TEST_F(SharedStationTest, EveryRunCalledDoneIsOnTheServerInItsFinalStateAtExit) {
    const auto before = serverVerdicts(url(), data_.filePath("scratch.sqlite"));
    for (int n = 1; n <= 3; ++n) addUnit(unitNo(n, {4, 0, 2, 47}));
    QProcess station;
    startStation(station, {"--db", url(), "--count", "3", "--json"});
    EXPECT_EQ(finish(station), 0) << err_.toStdString();
    const QJsonObject summary = QJsonDocument::fromJson(station.readAllStandardOutput()).object();
    EXPECT_EQ(summary["units"].toObject()["passed"].toInt(), 3);
    EXPECT_EQ(summary["records"].toObject()["queued"].toInt(-1), 0);
    EXPECT_TRUE(err_.contains(QString::fromUtf8("Todos os registros chegaram ao servidor"))) << err_.toStdString();

    const auto verdicts = serverVerdicts(url(), data_.filePath("scratch.sqlite"), before);
    ASSERT_EQ(verdicts.size(), 3u);
    for (const auto& [id, verdict] : verdicts) EXPECT_EQ(verdict, Verdict::Passed) << id.toStdString();
    EXPECT_EQ(records::RecordStore::queuedIn(localRecords(), url()), 0);
}

// Every process of the test server held still: connections stay open and
// nothing answers, as a server that hangs.
class HeldServer {
public:
    HeldServer(const test::PgTestServer& server) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("held"));
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(server.port());
        db.setUserName(server.user());
        db.setPassword(server.password());
        db.setDatabaseName(QStringLiteral("postgres"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SHOW data_directory")) && q.next()) {
                QFile pidFile(q.value(0).toString() + QStringLiteral("/postmaster.pid"));
                if (pidFile.open(QIODevice::ReadOnly)) pids_ << pidFile.readLine().trimmed().toInt();
            }
            QSqlQuery backends(db);
            if (backends.exec(QStringLiteral("SELECT pid FROM pg_stat_activity WHERE pid <> pg_backend_pid()")))
                while (backends.next()) pids_ << backends.value(0).toInt();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("held"));
        for (int pid : pids_)
            if (pid > 0) ::kill(pid, SIGSTOP);
    }
    ~HeldServer() {
        for (int pid : pids_)
            if (pid > 0) ::kill(pid, SIGCONT);
    }
    bool held() const { return !pids_.isEmpty(); }

private:
    QList<int> pids_;
};

// Both units done and stored, the server then stopped or hung, and the
// station ended by Ctrl+C: the exit comes within the last send's bound (plus
// a second) and names what is left queued.
TEST_F(SharedStationTest, AServerStoppedOrHungHoldsTheExitNoLongerThanTheBound) {
    for (const bool hung : {false, true}) {
        SCOPED_TRACE(hung ? "hung" : "stopped");
        units_.clear();
        err_.clear();
        addUnit(unitNo(hung ? 11 : 21));
        addUnit(unitNo(hung ? 12 : 22), [](sim::UnitSim& u) { u.faults().vanishAtBlock = 300; });
        QProcess station;
        startStation(station, {"--db", url(), "--json"});
        const QRegularExpression ended(QString::fromUtf8("0000\\w{4} (concluído|falhou|interrompido)"));
        ASSERT_TRUE(waitFor([&] {
            err_ += QString::fromUtf8(station.readAllStandardError());
            return err_.count(ended) >= 2;
        }, 30000)) << err_.toStdString();
        std::unique_ptr<HeldServer> held;
        if (hung) {
            held = std::make_unique<HeldServer>(*server_);
            ASSERT_TRUE(held->held());
        } else {
            ASSERT_TRUE(server_->stop());
        }
        QElapsedTimer sinceStop;
        sinceStop.start();
        ::kill(static_cast<pid_t>(station.processId()), SIGINT);
        ASSERT_TRUE(waitFor([&] { return station.state() == QProcess::NotRunning; }, 30000)) << err_.toStdString();
        EXPECT_LT(sinceStop.elapsed(), station::RecordsLink::kLastSendMs + 1000);
        err_ += QString::fromUtf8(station.readAllStandardError());
        const QJsonObject summary = QJsonDocument::fromJson(station.readAllStandardOutput()).object();
        EXPECT_EQ(summary["units"].toObject()["passed"].toInt(), 1) << "no unit waited for the server";
        const int queued = summary["records"].toObject()["queued"].toInt(-1);
        EXPECT_EQ(records::RecordStore::queuedIn(localRecords(), url()), queued);
        if (queued > 0)
            EXPECT_TRUE(err_.contains(QString::fromUtf8("%1 registros na fila local de ").arg(queued))) << err_.toStdString();
        else
            EXPECT_TRUE(err_.contains(QString::fromUtf8("Todos os registros chegaram"))) << err_.toStdString();
        held.reset();
        QString error;
        if (!hung) {
            ASSERT_TRUE(server_->start(&error)) << error.toStdString();
        }
    }
}

// The window's footer counts as the records do, and "Enviar agora" hands the
// queue to a server that is back without waiting for the next try.
TEST_F(SharedStationTest, TheWindowCountsAsTheRecordsDoAndSendsTheQueueOnRequest) {
    const auto before = serverVerdicts(url(), data_.filePath("scratch.sqlite"));
    auto link = openLink({.url = url(), .localPath = data_.filePath("outbox.sqlite")});
    auto& done = addUnit(unitNo(31, {4, 0, 2, 47}));
    auto& paced = addUnit(unitNo(32));
    paced.setPacing({3686400, std::chrono::microseconds(1000)});
    const QStringList ports{QString::fromStdString(done.devicePath()), QString::fromStdString(paced.devicePath())};
    app::StationWindow window(link.get(), ports);
    window.show();
    auto* sendNow = window.findChild<QPushButton*>("B_SendNow");
    ASSERT_TRUE(sendNow);
    EXPECT_TRUE(sendNow->isVisible()) << "a server: the queue may be sent by hand";
    ASSERT_TRUE(window.startStation());
    QTableWidget* table = window.table();
    ASSERT_TRUE(waitFor([&] { return table->item(0, app::StationWindow::ColVerdict)->text() == "OK"; }, 20000));
    // The server goes; the paced unit is stopped mid-update: interrupted, queued.
    ASSERT_TRUE(server_->stop());
    window.stopStation();
    ASSERT_TRUE(waitFor([&] { return !window.station(); }, 15000));
    EXPECT_EQ(window.message(),
              QString::fromUtf8("Aprovadas: 1   Reprovadas: 0   Interrompidas: 1   Sem registro: 0"));
    ASSERT_TRUE(waitFor([&] { return link->state().queued > 0; }, 10000));
    EXPECT_TRUE(sendNow->isEnabled());

    QString error;
    ASSERT_TRUE(server_->start(&error)) << error.toStdString();
    sendNow->click();
    EXPECT_TRUE(waitFor([&] { return link->state().queued == 0 && link->state().connected; }, 15000))
        << station::describe(link->state()).toStdString();
    const auto verdicts = serverVerdicts(url(), data_.filePath("scratch.sqlite"), before);
    std::multiset<Verdict> got;
    for (const auto& [id, verdict] : verdicts) got.insert(verdict);
    EXPECT_EQ(got, (std::multiset<Verdict>{Verdict::Passed, Verdict::Interrupted}));
}

TEST_F(SharedStationTest, TheWindowAsksTheServersPasswordAndKeepsItOnlyInPgpass) {
    // Nothing but the window's answer gives the password: no variable, and
    // ~/.pgpass in a home of this test's own.
    qunsetenv("PGPASSWORD");
    qunsetenv("PGPASSFILE");
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", data_.filePath("home").toLocal8Bit());
    for (QSettings::Format f : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(f, QSettings::UserScope, data_.filePath("config"));
    QStringList asked;
    app::StationWindow::setPasswordPrompt([&](const QString& server, const QString& user) {
        asked << server + ' ' + user;
        return std::optional<QString>(server_->password());
    });
    {
        app::StationWindow window(QStringList{}, {.localPath = data_.filePath("outbox.sqlite")});
        auto* line = window.findChild<QLabel*>("StationRecords");
        auto* address = window.findChild<QLineEdit*>("StationDatabaseUrl");
        EXPECT_TRUE(line->text().startsWith("Registros: SQLite (local)")) << line->text().toStdString();

        // An address with its password is refused, and the password leaves the field.
        QString withPassword = url();
        withPassword.replace("@", ":" + server_->password() + "@");
        EXPECT_FALSE(window.chooseDatabase(withPassword));
        EXPECT_FALSE(address->text().contains(server_->password()));
        EXPECT_FALSE(window.message().contains(server_->password()));

        ASSERT_TRUE(window.chooseDatabase(url()));
        EXPECT_TRUE(waitFor([&] { return line->text().endsWith(QString::fromUtf8("— conectado")); }, 15000))
            << line->text().toStdString();
        EXPECT_EQ(asked, QStringList{QStringLiteral("postgresql://vek@127.0.0.1:%1/postgres vek").arg(server_->port())});
    }
    app::StationWindow::setPasswordPrompt({});
    qputenv("HOME", realHome);

    const QString pgpass = data_.filePath("home/.pgpass");
    EXPECT_EQ(QFile::permissions(pgpass) & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile file(pgpass);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QStringLiteral("127.0.0.1:%1:postgres:vek:%2\n").arg(server_->port()).arg(server_->password()).toUtf8());
    // Remembered for the next start and for the production panel, without the password.
    EXPECT_EQ(app::rememberedStationDatabase(), url());
    QFile settings(QSettings(QCoreApplication::applicationName()).fileName());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_FALSE(settings.readAll().contains(server_->password().toUtf8()));
}

TEST(Pgpass, APasswordReplacesItsOwnLineFirstAndKeepsTheOthersOwnerOnly) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pgpass");
    qputenv("PGPASSFILE", path.toLocal8Bit());
    QFile seed(path);
    ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
    seed.write("*:*:*:*:wildcard\n"
               "db.example:5432:prod:vek:old\n"
               "# a comment\n"
               "db.example:5432:other:vek:kept\n");
    seed.close();
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ReadOther);
    QString error;
    const auto url = records::parseDatabaseUrl("postgresql://vek@db.example/prod", &error);
    ASSERT_TRUE(url) << error.toStdString();
    ASSERT_TRUE(app::storePgpassPassword(*url, "n:ew\\pw", &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // Its own line first, so no wildcard before it wins; ':' and '\' escaped.
    EXPECT_EQ(file.readAll(), QByteArray("db.example:5432:prod:vek:n\\:ew\\\\pw\n"
                                         "*:*:*:*:wildcard\n"
                                         "# a comment\n"
                                         "db.example:5432:other:vek:kept\n"));
    EXPECT_EQ(QFile::permissions(path) & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // A folder that cannot be written: said, nothing half written.
    qputenv("PGPASSFILE", dir.filePath("missing/and/a/file/in/its/way/pgpass").toLocal8Bit());
    QFile blocker(dir.filePath("missing"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(app::storePgpassPassword(*url, "pw", &error));
    EXPECT_FALSE(error.isEmpty());
    qunsetenv("PGPASSFILE");
    // libpq gives no code for a failed connection, only its words (and the
    // server's, in the server's language): the one place a message is read.
    const struct {
        const char* text;
        bool asks;
    } messages[] = {
        {"FATAL:  password authentication failed for user \"vek\"", true},
        {"connection to server at \"127.0.0.1\", port 5432 failed: fe_sendauth: no password supplied", true},
        {"FATAL:  28P01: password authentication failed for user \"vek\"", true},
        {"FATAL:  autenticação do tipo senha falhou para o usuário \"vek\"", true},
        {"fe_sendauth: nenhuma senha fornecida", true},
        {"could not connect to server: Connection refused", false},
        {"não foi possível conectar ao servidor: Conexão recusada", false},
        {"FATAL:  database \"linha\" does not exist", false},
        {"FATAL:  banco de dados \"linha\" não existe", false},
        {"timeout expired", false},
        {"", false},
    };
    for (const auto& m : messages) EXPECT_EQ(app::asksForPassword(QString::fromUtf8(m.text)), m.asks) << m.text;
}

// --- the station in this process: its plan and what it makes of each outcome ---

class StationRoadTest : public ::testing::Test {
protected:
    void SetUp() override { link_ = openLink({.localPath = dir_.filePath("records.sqlite")}); }

    // Runs a station over `ports` until `count` runs have ended.
    void runStation(const QStringList& ports, int count, int ms = 60000) {
        config::FormModel form;
        config::applyDefaults(form);
        station_ = std::make_unique<station::Station>(form, ports, link_.get());
        station_->setCount(count);
        bool finished = false;
        QObject::connect(station_.get(), &station::Station::finished, [&] { finished = true; });
        station_->start();
        EXPECT_TRUE(waitFor([&] { return finished; }, ms)) << failuresOf(station_->summary()).toStdString();
    }
    // The runs on `port`, oldest first.
    std::vector<RunRow> runsOn(const QString& port) {
        std::vector<RunRow> out;
        for (const RunRow& r : listed({.localPath = dir_.filePath("records.sqlite")}))
            if (r.port == port) out.push_back(r);
        std::sort(out.begin(), out.end(), [](const RunRow& a, const RunRow& b) { return a.startedAt < b.startedAt; });
        return out;
    }
    static QString idText(const sim::Identity& id) {
        return QStringLiteral("%1 %2 %3")
            .arg(id.id[2], 8, 16, QLatin1Char('0'))
            .arg(id.id[1], 8, 16, QLatin1Char('0'))
            .arg(id.id[0], 8, 16, QLatin1Char('0'))
            .toUpper();
    }

    QTemporaryDir dir_;
    std::unique_ptr<station::RecordsLink> link_;
    std::unique_ptr<station::Station> station_;
};

TEST_F(StationRoadTest, EachKindOfUnitEndsWithItsVerdictAndReason) {
    const std::array<std::uint32_t, 3> newcomer{0x0000AAAA, 0x22222222, 0x33333333};
    struct Case {
        const char* name;
        sim::Identity identity;
        std::function<void(sim::UnitSim&)> setup;
        Verdict verdict;
        const char* reason;  // a part of it; empty: none
        const char* firmwareAfter;
        records::Verify::Result verify;
    };
    using R = records::Verify::Result;
    sim::Identity operationMode = unitNo(6, {4, 0, 2, 47});
    operationMode.mode = 0;
    const Case cases[] = {
        {"updated", unitNo(1), {}, Verdict::Passed, "", "4.0.2.47", R::Match},
        {"firmware not taken", unitNo(2), [](sim::UnitSim& u) { u.faults().firmwareNotTaken = true; }, Verdict::Failed,
         "o novo firmware não foi aceito: o Vek voltou com a versão 4.0.2.46", "4.0.2.46", R::NotDone},
        {"another unit back", unitNo(3), [&](sim::UnitSim& u) { u.faults().returnAs = newcomer; }, Verdict::Failed,
         "outro Vek voltou na porta (Id: 33333333 22222222 0000AAAA)", "4.0.2.46", R::NotDone},
        {"discontinued", unitNo(4, {2, 5, 0, 0}), {}, Verdict::Passed, "descontinuada (tipo 2)", "2.5.0.0", R::Match},
        {"other type", unitNo(5, {7, 0, 1, 0}), {}, Verdict::Failed, "este tipo de Vek (7) não é atendido por esta ferramenta", "7.0.1.0",
         R::NotDone},
        {"operation mode", operationMode, {}, Verdict::Failed, "modo de operação", "4.0.2.47", R::NotDone},
        {"never written", unitNo(7, {4, 0, 2, 47}),
         [](sim::UnitSim& u) { u.setConfig(sim::makeConfig(sim::ConfigState::NeverWritten)); }, Verdict::Passed, "",
         "4.0.2.47", R::Match},
        {"store differs", unitNo(8, {4, 0, 2, 47}), [](sim::UnitSim& u) { u.faults().storeConfigWrongAt = 100; },
         Verdict::Failed, "a partir do byte 100", "4.0.2.47", R::Mismatch},
        {"unplugged mid-way", unitNo(9), [](sim::UnitSim& u) { u.faults().vanishAtBlock = 500; }, Verdict::Failed,
         "o Vek foi desconectado durante a atualização do firmware — o Vek ficou no carregador", "4.0.2.46", R::NotDone},
    };
    std::vector<std::unique_ptr<sim::PtyHost>> hosts;
    QStringList ports;
    for (const Case& c : cases) {
        hosts.push_back(std::make_unique<sim::PtyHost>(c.identity));
        if (c.setup) hosts.back()->withUnit(c.setup);
        hosts.back()->start();
        ports << QString::fromStdString(hosts.back()->devicePath());
    }
    runStation(ports, std::size(cases) + 1);  // the newcomer has a run of its own

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const std::vector<RunRow> runs = runsOn(ports[int(i)]);
        ASSERT_FALSE(runs.empty());
        const RunRow& r = runs.front();
        EXPECT_EQ(r.unitId, idText(c.identity));
        EXPECT_EQ(r.verdict, c.verdict);
        if (*c.reason) {
            EXPECT_TRUE(r.failureReason.contains(QString::fromUtf8(c.reason))) << r.failureReason.toStdString();
        } else {
            EXPECT_TRUE(r.failureReason.isEmpty()) << r.failureReason.toStdString();
        }
        EXPECT_EQ(r.firmwareAfter, c.firmwareAfter);
        EXPECT_EQ(r.verify.result, c.verify);
        if (c.verify == R::Mismatch) {
            EXPECT_EQ(r.verify.offset, 100u);
        }
        if (c.verdict == Verdict::Passed) {
            EXPECT_EQ(hosts[i]->withUnit([](sim::UnitSim& u) { return u.config(); }), presetImage(config::applyDefaults));
        }
        if (std::string_view(c.name) == "another unit back") {
            // The newcomer, already on the new firmware, is configured on its own record.
            ASSERT_EQ(runs.size(), 2u);
            EXPECT_NE(runs[1].id, r.id);
            EXPECT_EQ(runs[1].unitId, "33333333 22222222 0000AAAA");
            EXPECT_EQ(runs[1].verdict, Verdict::Passed) << runs[1].failureReason.toStdString();
            EXPECT_EQ(runs[1].verify.result, R::Match);
        } else {
            EXPECT_EQ(runs.size(), 1u);
        }
    }
    EXPECT_EQ(station_->summary().passed, 4);
    EXPECT_EQ(station_->summary().failed, 6);
}

// The port as the station knows it: a name that stays while the device
// behind it changes, as a port the system names by its place does.
class SwappedPortTest : public StationRoadTest {
protected:
    void plug(const sim::PtyHost& host) {
        const QString next = port + ".next";
        ASSERT_TRUE(QFile::link(QString::fromStdString(host.devicePath()), next));
        ASSERT_EQ(std::rename(next.toLocal8Bit().constData(), port.toLocal8Bit().constData()), 0);
    }
    const QString port = dir_.filePath("ttyVEK0");
};

TEST_F(SwappedPortTest, ARestartThatTakesThePortAwayIsNoUnplug) {
    sim::Identity updated = unitNo(1);
    updated.version = {4, 0, 2, 47};
    auto host = std::make_unique<sim::PtyHost>(unitNo(1));
    host->start();
    plug(*host);
    config::FormModel form;
    config::applyDefaults(form);
    station_ = std::make_unique<station::Station>(form, QStringList{port}, link_.get());
    station_->setCount(1);
    QObject::connect(station_.get(), &station::Station::unitAdded, [&](station::StationUnit* u) {
        // The unit leaves the bus as it restarts and comes back as a new device.
        QObject::connect(&u->controller(), &unit::UnitController::unitRestarting, [&] {
            host = std::make_unique<sim::PtyHost>(updated);
            host->start();
            plug(*host);
        });
    });
    station_->start();
    ASSERT_TRUE(waitFor([&] { return !station_->summary().failures.isEmpty() || station_->summary().passed > 0; }, 20000));
    const std::vector<RunRow> runs = runsOn(port);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].verdict, Verdict::Passed) << runs[0].failureReason.toStdString();
    EXPECT_EQ(runs[0].firmwareBefore, "4.0.2.46");
    EXPECT_EQ(runs[0].firmwareAfter, "4.0.2.47");
    EXPECT_EQ(host->withUnit([](sim::UnitSim& u) { return u.config(); }), presetImage(config::applyDefaults));
}

TEST_F(SwappedPortTest, AUnitSwappedBetweenTwoPortWatchesIsANewUnit) {
    const sim::Identity first = unitNo(1, {4, 0, 2, 47}), second = unitNo(2, {4, 0, 2, 47});
    auto host = std::make_unique<sim::PtyHost>(first);
    host->start();
    plug(*host);

    config::FormModel form;
    config::applyDefaults(form);
    station_ = std::make_unique<station::Station>(form, QStringList{port}, link_.get());
    station_->start();
    station::StationUnit* unit = station_->unit(port);
    ASSERT_TRUE(waitFor([&] { return unit->row().verdict == Verdict::Passed; }, 10000)) << unit->row().reason.toStdString();
    pump(600);  // a finished unit left in place is not configured again
    EXPECT_EQ(host->connections(), 1);
    ASSERT_EQ(runsOn(port).size(), 1u);

    // Pulled and the next one plugged at once: the watch never sees the port go.
    bool keptOldVerdict = false;
    QObject::connect(station_.get(), &station::Station::unitChanged, [&](station::StationUnit* u) {
        const station::UnitRow& r = u->row();
        if (r.unitId == idText(second) && r.running && r.verdict) keptOldVerdict = true;
    });
    host.reset();
    auto next = std::make_unique<sim::PtyHost>(second);
    next->start();
    plug(*next);

    ASSERT_TRUE(waitFor([&] { return runsOn(port).size() == 2u && runsOn(port)[1].verdict != Verdict::Running; }, 10000));
    const std::vector<RunRow> runs = runsOn(port);
    EXPECT_EQ(runs[0].unitId, idText(first));
    EXPECT_EQ(runs[0].verdict, Verdict::Passed);
    EXPECT_EQ(runs[1].unitId, idText(second));
    EXPECT_EQ(runs[1].verdict, Verdict::Passed) << runs[1].failureReason.toStdString();
    EXPECT_EQ(next->withUnit([](sim::UnitSim& u) { return u.config(); }), presetImage(config::applyDefaults));
    EXPECT_EQ(unit->row().unitId, idText(second));
    EXPECT_FALSE(keptOldVerdict);
    station_->stop();
}

TEST_F(StationRoadTest, TwoPortsAnnouncingOneIdentifierAreBothStopped) {
    std::vector<std::unique_ptr<sim::PtyHost>> hosts;
    QStringList ports;
    for (int n = 0; n < 2; ++n) {
        hosts.push_back(std::make_unique<sim::PtyHost>(unitNo(1)));
        // Paced as the real link: the firmware takes seconds, so one unit is
        // still being updated when the other announces itself.
        hosts.back()->setPacing({3686400, std::chrono::microseconds(1000)});
        hosts.back()->start();
        ports << QString::fromStdString(hosts.back()->devicePath());
    }
    runStation(ports, 2, 10000);
    for (int n = 0; n < 2; ++n) {
        SCOPED_TRACE(n);
        const std::vector<RunRow> runs = runsOn(ports[n]);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].verdict, Verdict::Failed);
        EXPECT_TRUE(runs[0].failureReason.contains(QString::fromUtf8("identificador repetido: o mesmo Id está na porta ") +
                                                   ports[1 - n]))
            << runs[0].failureReason.toStdString();
        EXPECT_EQ(hosts[n]->withUnit([](sim::UnitSim& u) { return u.restarts(); }), 0);
        EXPECT_EQ(hosts[n]->withUnit([](sim::UnitSim& u) { return u.config(); }), sim::makeConfig(sim::ConfigState::Valid));
    }
}

// A station with nothing to watch says so instead of waiting in silence;
// --quiet keeps that warning and drops the rest.
TEST_F(StationTest, AStationWithNoPortToWatchSaysSo) {
    for (const link::PortInfo& p : link::describePorts())
        if (!p.usbId().isEmpty()) GTEST_SKIP() << "this machine has a USB serial port: " << p.name.toStdString();
    for (const bool quiet : {false, true}) {
        QProcess station;
        station.setProcessEnvironment(env_);
        QStringList arguments{"station", "--preset", "default"};
        if (quiet) arguments << "--quiet";
        station.start(QStringLiteral(VEKTOOL_CLI), arguments);
        ASSERT_TRUE(station.waitForStarted(5000));
        QString err;
        EXPECT_TRUE(waitFor([&] {
            err += QString::fromUtf8(station.readAllStandardError());
            return err.contains(QString::fromUtf8("Nenhuma porta serial USB presente agora"));
        }, 10000)) << err.toStdString();
        EXPECT_EQ(err.contains("Portas vigiadas: toda porta serial USB"), !quiet) << err.toStdString();
        EXPECT_EQ(err.contains("Registros: SQLite"), !quiet) << err.toStdString();
        ::kill(static_cast<pid_t>(station.processId()), SIGINT);
        EXPECT_EQ(finish(station, 10000), 0) << err.toStdString();
    }
}

TEST(StationPorts, ByDefaultOnlyUsbSerialPortsAndTheExtraOnesAreWatched) {
    link::setPortDescriber([] {
        link::PortInfo builtIn;
        builtIn.name = "ttyS0";
        builtIn.path = "/dev/ttyS0";
        link::PortInfo usb;
        usb.name = "ttyUSB7";
        usb.path = "/dev/ttyUSB7";
        usb.vendorId = 0x0403;
        usb.productId = 0x6001;
        return QList<link::PortInfo>{builtIn, usb};
    });
    sim::PtyHost host(unitNo(1, {4, 0, 2, 47}));
    host.start();
    const QString pty = QString::fromStdString(host.devicePath());
    qputenv("VEKTOOL_EXTRA_PORTS", pty.toLocal8Bit());
    config::FormModel form;
    config::applyDefaults(form);
    station::Station station(form, {}, nullptr);
    station.start();
    QStringList watched;
    for (station::StationUnit* u : station.units()) watched << u->row().port;
    watched.sort();
    EXPECT_EQ(watched, (QStringList{pty, "ttyUSB7"}));
    station.stop();
    qunsetenv("VEKTOOL_EXTRA_PORTS");
    link::setPortDescriber({});
}

// No unit is changed before its run is on record: with the records locked
// by another process past their busy time-out, a unit whose configuration
// was never written (a write of a few milliseconds, well inside that
// time-out) gets nothing, and its row says why.
TEST(StationRecords, AUnitWhoseRunCannotBeRecordedIsLeftAsItWas) {
    if (!canLockSqlite()) GTEST_SKIP() << "python3 is needed";
    QTemporaryDir dir;
    const QString file = dir.filePath("records.sqlite");
    auto link = openLink({.localPath = file, .busyTimeoutMs = 200});
    LockHolder holder;
    ASSERT_TRUE(holder.start(file));
    sim::PtyHost host(unitNo(1, {4, 0, 2, 47}));
    host.withUnit([](sim::UnitSim& u) { u.setConfig(sim::makeConfig(sim::ConfigState::NeverWritten)); });
    host.start();
    config::FormModel form;
    config::applyDefaults(form);
    station::Station station(form, {QString::fromStdString(host.devicePath())}, link.get());
    station.start();
    ASSERT_EQ(station.units().size(), 1u);
    station::StationUnit* unit = station.units().front();
    EXPECT_TRUE(waitFor([&] { return unit->row().reason.contains(QString::fromUtf8("NÃO registrad")); }, 15000))
        << unit->row().stepText.toStdString() << " / " << unit->row().reason.toStdString();
    EXPECT_EQ(host.withUnit([](sim::UnitSim& u) { return u.config(); }), sim::makeConfig(sim::ConfigState::NeverWritten));
    station.stop();
    holder.release();
}

// --- the station window ----------------------------------------------------------

TEST_F(AppTest, StationWindowBringsUpTwoUnitsAndMatchesTheirLabels) {
    QTemporaryDir dir;
    auto link = openLink({.localPath = dir.filePath("records.sqlite")});
    std::vector<std::unique_ptr<sim::PtyHost>> hosts;
    QStringList ports;
    for (int n = 1; n <= 2; ++n) {
        hosts.push_back(std::make_unique<sim::PtyHost>(unitNo(n, n == 1 ? std::array<std::uint8_t, 4>{4, 0, 2, 46}
                                                                       : std::array<std::uint8_t, 4>{4, 0, 2, 47})));
    }
    // Paced as the real link: the update takes long enough to be estimated.
    hosts[0]->setPacing({3686400, std::chrono::microseconds(1000)});
    for (auto& host : hosts) {
        host->start();
        ports << QString::fromStdString(host->devicePath());
    }
    app::StationWindow window(link.get(), ports);
    window.show();
    window.choosePreset(1);  // Norvale
    ASSERT_TRUE(window.startStation());
    QTableWidget* table = window.table();
    ASSERT_EQ(table->rowCount(), 2);
    // The running row shows the controller's estimate: speed and time left.
    const auto bar = [&](int row) { return static_cast<QProgressBar*>(table->cellWidget(row, app::StationWindow::ColProgress)); };
    EXPECT_TRUE(waitFor([&] { return bar(0)->text().contains(" kB/s · faltam "); }, 10000)) << bar(0)->text().toStdString();
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
    ASSERT_TRUE(waitFor([&] { return !window.station(); }, 10000));
    const auto runs = listed({.localPath = dir.filePath("records.sqlite")});
    ASSERT_EQ(runs.size(), 2u);
    bool labelled = false;
    for (const RunRow& r : runs) labelled = labelled || (r.qr && r.qr->match && r.unitId.endsWith("00001002"));
    EXPECT_TRUE(labelled);
}

// A line's 16 units on a 1920 x 1080 screen: all in view at once, one line
// each, a long reason cut on its line and whole in its tip.
TEST_F(AppTest, StationWindowShowsALinesSixteenUnitsOneLineEach) {
    QTemporaryDir dir;
    auto link = openLink({.localPath = dir.filePath("records.sqlite")});
    std::vector<std::unique_ptr<sim::PtyHost>> hosts;
    QStringList ports;
    for (int n = 1; n <= app::StationWindow::kLineUnits; ++n) {
        hosts.push_back(std::make_unique<sim::PtyHost>(unitNo(n, {4, 0, 2, 47})));
        // Every other unit stores something else: a long reason on its row.
        if (n % 2 == 0) hosts.back()->withUnit([](sim::UnitSim& u) { u.faults().storeConfigWrongAt = 700; });
        hosts.back()->start();
        ports << QString::fromStdString(hosts.back()->devicePath());
    }
    app::StationWindow window(link.get(), ports);
    const QRect screen(0, 0, 1920, 1080 - 40);  // a panel takes its strip
    window.fitTo(screen);
    EXPECT_TRUE(screen.contains(window.geometry())) << window.width() << "x" << window.height();
    window.show();
    ASSERT_TRUE(window.startStation());
    QTableWidget* table = window.table();
    ASSERT_TRUE(waitFor([&] {
        if (table->rowCount() < app::StationWindow::kLineUnits) return false;
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, app::StationWindow::ColVerdict)->text().isEmpty()) return false;
        return true;
    }, 30000));
    pump(100);
    EXPECT_FALSE(table->verticalScrollBar()->isVisible());
    EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
    const int line = QFontMetrics(table->font()).height();
    for (int r = 0; r < table->rowCount(); ++r) {
        EXPECT_LT(table->rowHeight(r), 2 * line) << r;
        EXPECT_TRUE(table->viewport()->rect().contains(table->visualItemRect(table->item(r, 0)))) << r;
    }
    int failed = 0;
    for (int r = 0; r < table->rowCount(); ++r) {
        QTableWidgetItem* step = table->item(r, app::StationWindow::ColStep);
        if (!step->text().contains("difere")) continue;
        ++failed;
        EXPECT_EQ(step->toolTip(), step->text());
        EXPECT_TRUE(step->text().contains("a partir do byte 700")) << step->text().toStdString();
    }
    EXPECT_EQ(failed, app::StationWindow::kLineUnits / 2);
    // The counters, read from a step back: at least twice the table's text.
    const std::pair<const char*, int> counted[] = {{"StationCountPassed", app::StationWindow::kLineUnits / 2},
                                                   {"StationCountFailed", app::StationWindow::kLineUnits / 2},
                                                   {"StationCountInterrupted", 0},
                                                   {"StationCountUnrecorded", 0}};
    for (const auto& [name, count] : counted) {
        auto* label = window.findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_TRUE(waitFor([label, count = count] { return label->text() == QString::number(count); }, 10000))
            << name << ": " << label->text().toStdString();
        EXPECT_GE(QFontMetrics(label->font()).height(), 2 * line) << name;
        EXPECT_TRUE(label->isVisible()) << name;
    }
    // The picture of the line's window in the docs comes from here.
    if (const QString pictures = qEnvironmentVariable("VEK_SCREENSHOTS"); !pictures.isEmpty()) {
        EXPECT_TRUE(window.grab().save(QDir(pictures).filePath(QStringLiteral("station.png"))));
    }
    window.stopStation();
    ASSERT_TRUE(waitFor([&] { return !window.station(); }, 10000));
}

// A unit paced as the real link: its firmware update takes seconds.
std::unique_ptr<sim::PtyHost> pacedUnit(int n) {
    auto host = std::make_unique<sim::PtyHost>(unitNo(n));
    host->setPacing({3686400, std::chrono::microseconds(1000)});
    host->start();
    return host;
}

TEST_F(AppTest, StationWindowShowsWhereRecordsGoAndWhatItWritesAndKeepsAFileItsBytes) {
    const QString file = home->filePath("linha-3.json");
    auto write = [&](void (*preset)(config::FormModel&)) {
        config::FormModel form;
        preset(form);
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray::fromStdString(config::toJson(form)));
        f.close();
        QFile back(file);
        EXPECT_TRUE(back.open(QIODevice::ReadOnly));
        return QString::fromLatin1(QCryptographicHash::hash(back.readAll(), QCryptographicHash::Sha256).toHex());
    };
    const QString sha = write(config::applyNorvale);
    auto host = pacedUnit(1);
    const QString records = home->filePath("records.sqlite");
    app::StationWindow window({QString::fromStdString(host->devicePath())}, {.localPath = records});
    window.fitTo(QRect(0, 0, 1366, 768 - 40));  // a small laptop's screen
    window.show();
    auto* recordsLine = window.findChild<QLabel*>("StationRecords");
    auto* source = window.findChild<QLabel*>("StationSource");
    EXPECT_TRUE(waitFor([&] { return recordsLine->text() == "Registros: SQLite (local) " + records; }))
        << recordsLine->text().toStdString();
    EXPECT_FALSE(recordsLine->styleSheet().contains("#d00000"));
    EXPECT_FALSE(source->isVisible()) << "only while it runs";

    ASSERT_TRUE(window.chooseFile(file));
    ASSERT_TRUE(window.startStation());
    EXPECT_TRUE(source->isVisible());
    EXPECT_EQ(source->text(), QString::fromUtf8("Configuração: linha-3.json (SHA-256 %1…) · firmware alvo %2")
                                  .arg(sha.left(12), station::StationUnit::firmwareTarget()));
    EXPECT_TRUE(source->toolTip().contains(sha));
    EXPECT_FALSE(window.chooseDatabase("postgresql://vek@127.0.0.1/vek")) << "only while stopped";

    // The bar's text is whole in its column, and the row fits a small
    // laptop's screen with the step column left some room.
    QTableWidget* table = window.table();
    auto* bar = static_cast<QProgressBar*>(table->cellWidget(0, app::StationWindow::ColProgress));
    ASSERT_TRUE(waitFor([&] { return bar->text().contains(" kB/s · faltam "); }, 10000)) << bar->text().toStdString();
    EXPECT_GE(bar->width(), QFontMetrics(bar->font()).horizontalAdvance(bar->text()) + 4) << bar->text().toStdString();

    // The file changes under the running station: said once, in red, and not used.
    write(config::applyDefaults);
    ASSERT_TRUE(waitFor([&] { return source->text().contains("mudou no disco"); }, 5000)) << source->text().toStdString();
    EXPECT_TRUE(source->styleSheet().contains("#d00000"));
    write(config::applyNorvale);
    write(config::applyDefaults);
    pump(1200);
    EXPECT_EQ(source->text().count("mudou no disco"), 1);

    ASSERT_TRUE(waitFor([&] { return table->item(0, app::StationWindow::ColVerdict)->text() == "OK"; }, 20000))
        << table->item(0, app::StationWindow::ColStep)->text().toStdString();
    EXPECT_EQ(host->withUnit([](sim::UnitSim& u) { return u.config(); }), presetImage(config::applyNorvale));
    window.scanned("333333332222222200001001");
    pump(50);
    EXPECT_LE(table->horizontalHeader()->length(), table->viewport()->width());
    EXPECT_GE(table->columnWidth(app::StationWindow::ColStep), 100);
    // One line a unit, the firmware's "before → after" whole on it.
    QTableWidgetItem* firmware = table->item(0, app::StationWindow::ColFirmware);
    EXPECT_LT(table->rowHeight(0), 2 * QFontMetrics(table->font()).lineSpacing());
    EXPECT_GE(table->columnWidth(app::StationWindow::ColFirmware),
              QFontMetrics(table->font()).horizontalAdvance(firmware->text()));
    window.requestStop();  // nothing running: no question
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(waitFor([&] { return !window.station(); }, 10000));
    EXPECT_FALSE(source->isVisible());
    const auto runs = listed({.localPath = records});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].configSource, "linha-3.json");
    EXPECT_EQ(runs[0].configSha256, sha);
    EXPECT_EQ(runs[0].firmwareTarget, station::StationUnit::firmwareTarget());

    // The records are one click away.
    window.findChild<QPushButton*>("B_Records")->click();
    QWidget* viewer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "RecordsViewer" && w->isVisible()) viewer = w;
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isWindow());
    viewer->close();
}

TEST_F(AppTest, TheProductionPanelOpensTheRecordsOfTheRememberedDatabase) {
    makeWindow();
    auto* button = widget<QPushButton>("B_Records");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Registros...");
    button->click();
    QWidget* viewer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "RecordsViewer" && w->isVisible()) viewer = w;
    ASSERT_NE(viewer, nullptr);
    viewer->close();
}

TEST_F(AppTest, StoppingTheStationWithUnitsRunningAsksWhetherToLetThemFinish) {
    QTemporaryDir dir;
    auto link = openLink({.localPath = dir.filePath("records.sqlite")});
    auto host = pacedUnit(1);
    auto second = pacedUnit(2);
    const QStringList ports{QString::fromStdString(host->devicePath()), QString::fromStdString(second->devicePath())};
    // One unit for the first window, the other for the second.
    app::StationWindow window(link.get(), {ports[0]});
    window.show();
    ASSERT_TRUE(window.startStation());
    ASSERT_TRUE(waitFor([&] { return window.station()->runningUnits() == 1; }, 10000));
    QStringList lines;
    QObject::connect(window.station(), &station::Station::line, [&](const QString& l) { lines << l; });

    // The three verbs, each saying what it does to the units.
    boxAnswer = QMessageBox::Cancel;  // "Continuar"
    window.requestStop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith("1 unidade(s) em andamento.")) << boxes[0].text.toStdString();
    for (const char* part : {"\nDeixar terminar: as unidades em andamento terminam", "\nParar agora: as unidades em andamento param já",
                             "fica sem firmware válido", "\nContinuar: a estação continua"})
        EXPECT_TRUE(boxes[0].text.contains(QString::fromUtf8(part))) << part << "\n" << boxes[0].text.toStdString();
    QStringList verbs;
    for (const app::BoxButton& b : boxes[0].named) verbs << b.text + "=" + b.name;
    EXPECT_EQ(verbs, QStringList({"Deixar terminar=B_LetFinish", "Parar agora=B_StopNow", "Continuar=B_GoOn"}));
    pump(100);
    EXPECT_TRUE(window.running());
    EXPECT_FALSE(window.station()->draining());
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d — Continuar: ").match(lines[0]).hasMatch()) << lines[0].toStdString();
    window.close();  // closing asks the same, with the window in its words
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[1].text.contains(QString::fromUtf8("depois a estação para e a janela fecha."))) << boxes[1].text.toStdString();
    pump(100);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.running());

    boxAnswer = QMessageBox::Yes;  // "Deixar terminar": the unit under way finishes, then the station stops
    window.requestStop();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_TRUE(window.station()->draining());
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[2].contains(QString::fromUtf8(" — Deixar terminar: as 1 unidade(s) em andamento terminam")))
        << lines[2].toStdString();
    EXPECT_EQ(window.message(), lines[2]);
    ASSERT_TRUE(waitFor([&] { return !window.station(); }, 30000));
    EXPECT_EQ(window.table()->item(0, app::StationWindow::ColVerdict)->text(), "OK");
    EXPECT_EQ(host->withUnit([](sim::UnitSim& u) { return u.restarts(); }), 1) << "its new firmware went in";

    app::StationWindow other(link.get(), {ports[1]});
    other.show();
    ASSERT_TRUE(other.startStation());
    ASSERT_TRUE(waitFor([&] { return other.station()->runningUnits() == 1; }, 10000));
    lines.clear();
    QObject::connect(other.station(), &station::Station::line, [&](const QString& l) { lines << l; });
    boxAnswer = QMessageBox::Abort;  // "Parar agora", and the window goes with it
    other.close();
    ASSERT_EQ(boxes.size(), 4u);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].contains(QString::fromUtf8(" — Parar agora: 1 unidade(s) paradas e registradas como interrompidas")))
        << lines[0].toStdString();
    ASSERT_TRUE(waitFor([&] { return !other.station(); }, 10000));
    EXPECT_TRUE(waitFor([&] { return !other.isVisible(); }, 2000));
    EXPECT_EQ(other.table()->item(0, app::StationWindow::ColVerdict)->text(), "INTERROMPIDO");
    EXPECT_EQ(second->withUnit([](sim::UnitSim& u) { return u.restarts(); }), 0) << "stopped before its new firmware took";

    std::vector<RunRow> runs = listed({.localPath = dir.filePath("records.sqlite")});
    ASSERT_EQ(runs.size(), 2u);
    std::sort(runs.begin(), runs.end(), [](const RunRow& a, const RunRow& b) { return a.startedAt < b.startedAt; });
    EXPECT_EQ(runs[0].verdict, Verdict::Passed);
    EXPECT_EQ(runs[1].verdict, Verdict::Interrupted);
}

}  // namespace
}  // namespace vek::testing
