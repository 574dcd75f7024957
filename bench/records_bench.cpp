// How the records read when a line has been busy: 100,000 runs over 60 days
// up to now (four stations, one unit in twenty run twice, failures with half a dozen
// reasons), in a SQLite file and on a PostgreSQL server started here. For
// each: the summary of the last 30 days (units by their last verdict, per
// day, and the failure reasons ranked: the queries behind the viewer's
// pictures and the command line's summary), and the records viewer's first
// paint of a month, from the window made to the window drawn with its
// answer. Prints the figures; judges nothing.
//
//   build-bench/bench/records_bench [--runs N] [--no-postgres]
//   build-bench/bench/records_bench --write FILE [--runs N] [--days D]
//       writes such a records file and stops (the screenshots use it)

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

#include "app/records_viewer.h"
#include "records/records_query.h"
#include "records/run.h"
#include "records/run_row.h"
#include "records/schema.h"
#include "support/pg_test_server.h"
#include "wait_for.h"

using namespace vek;

namespace {

const char* const kReasons[] = {
    "o Vek não respondeu à identificação",
    "a leitura de volta difere do gravado no byte 14",
    "o novo firmware não foi aceito: o Vek voltou com a versão 4.0.2.46",
    "o Vek não voltou a se identificar depois do novo firmware",
    "etiqueta QR não confere com o identificador lido pela USB",
    "o Vek foi desconectado durante a gravação",
};
// Of every 100 units: how many fail for each reason above.
const int kReasonShare[] = {3, 2, 1, 1, 1, 1};

const char* const kConfig =
    R"({"format": "vektool-configuration", "version": 1, "ping_s": 180, "rs232_a_baud": 115200, "rs232_b_baud": 19200,)"
    R"( "acp_kmh_per_s": 11, "acn_kmh_per_s": 11, "vmx_kmh": 120, "tvmx_s": 5, "vch_kmh": 90, "tvch_s": 5,)"
    R"( "rpx_rpm": 4500, "trpx_s": 5, "tosc_min": 6, "xosc_s": 7, "vbgl_kmh": 40, "rbgl_rpm": 900, "tbgl_s": 5,)"
    R"( "alerts": {"ACP": {"register": true, "buzzer": true}, "ACN": {"register": true, "buzzer": true}}})";

// A line working day and night: `runs` runs spread evenly over the `days`
// days up to now, oldest first.
void eachRun(int runs, int days, const std::function<void(const records::Run&)>& take) {
    const QDateTime end = QDateTime::currentDateTimeUtc();
    const qint64 span = qint64(days) * 24 * 3600;
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int n = 0; n < runs;) {
        const QDateTime start = end.addSecs(-span + span * n / runs);
        records::Run run;
        run.startedAt = start;
        run.endedAt = run.startedAt.addSecs(80 + next() % 40);
        run.station = QStringLiteral("linha-%1").arg(n % 4 + 1);
        run.port = QStringLiteral("/dev/ttyACM%1").arg(next() % 8);
        run.unitId = QStringLiteral("0BADF00D %1 %2")
                         .arg(n / 1000000, 8, 16, QLatin1Char('0'))
                         .arg(n, 8, 16, QLatin1Char('0'))
                         .toUpper();
        run.unitType = 4;
        run.firmwareBefore = QStringLiteral("4.0.2.46");
        run.firmwareAfter = QStringLiteral("4.0.2.47");
        run.configJson = QString::fromLatin1(kConfig);
        run.imageCheck = records::ImageCheck{0xD7, 7981213};
        run.qr = records::QrScan{QString(run.unitId).remove(QLatin1Char(' ')), true};
        int pick = int(next() % 100);
        run.verdict = records::Verdict::Passed;
        run.verify.result = records::Verify::Result::Match;
        for (int r = 0; r < int(std::size(kReasons)); ++r) {
            if (pick < kReasonShare[r]) {
                run.verdict = records::Verdict::Failed;
                run.verify.result = records::Verify::Result::NotDone;
                run.failureReason = QString::fromUtf8(kReasons[r]);
                break;
            }
            pick -= kReasonShare[r];
        }
        run.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        take(run);
        ++n;
        // One unit in twenty comes back: failed ones passing, others once more.
        if (n < runs && n % 20 == 0) {
            records::Run again = run;
            again.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
            again.startedAt = run.endedAt.addSecs(300);
            again.endedAt = again.startedAt.addSecs(90);
            again.verdict = records::Verdict::Passed;
            again.verify.result = records::Verify::Result::Match;
            again.failureReason.clear();
            take(again);
            ++n;
        }
    }
}

// Writes the runs in one transaction, several rows a statement.
bool fill(QSqlDatabase db, int runs, int days, QString* error) {
    if (records::ensureSchema(db, db.databaseName(), error) != records::SchemaCheck::Ready) return false;
    const int columns = static_cast<int>(records::runColumns().size());
    constexpr int kRowsPerStatement = 50;  // SQLite takes at most 999 values a statement
    QStringList one;
    for (int i = 0; i < columns; ++i) one << QStringLiteral("?");
    const QString row = QStringLiteral("(") + one.join(QLatin1Char(',')) + QStringLiteral(")");
    auto statement = [&](int rows) {
        QStringList all;
        for (int i = 0; i < rows; ++i) all << row;
        return QStringLiteral("INSERT INTO runs (%1) VALUES %2")
            .arg(records::runColumnList(), all.join(QLatin1Char(',')));
    };
    if (!db.transaction()) return *error = db.lastError().text(), false;
    QSqlQuery full(db);
    full.prepare(statement(kRowsPerStatement));
    QVariantList pending;
    bool ok = true;
    auto flush = [&](bool last) {
        if (!ok) return;
        const int rows = int(pending.size()) / columns;
        if (rows == 0 || (!last && rows < kRowsPerStatement)) return;
        QSqlQuery q(db);
        QSqlQuery& use = rows == kRowsPerStatement ? full : q;
        if (&use == &q) q.prepare(statement(rows));
        for (int i = 0; i < pending.size(); ++i) use.bindValue(i, pending[i]);
        ok = use.exec();
        if (!ok) *error = use.lastError().text();
        pending.clear();
    };
    eachRun(runs, days, [&](const records::Run& run) {
        pending << records::runValues(run);
        flush(false);
    });
    flush(true);
    if (!ok || !db.commit()) {
        if (ok) *error = db.lastError().text();
        db.rollback();
        return false;
    }
    return true;
}

struct Figures {
    double fillS = 0;
    double summaryMs = 0;
    double firstPaintMs = 0;
    int units = 0;
    int shownRuns = 0;
};

bool measure(const records::RecordsSource& source, Figures* f, QString* error) {
    const QDate today = QDate::currentDate();
    records::RunQuery month;
    month.from = today.addDays(-29).startOfDay();
    month.to = today.addDays(1).startOfDay();
    {
        records::RecordsQuery query(source);
        if (!query.open()) return *error = query.errorString(), false;
        QElapsedTimer t;
        t.start();
        const auto units = query.units(month);
        const auto days = query.unitsOver(month, records::Bucket::Day);
        const auto reasons = query.failureReasons(month, 8);
        f->summaryMs = double(t.nsecsElapsed()) / 1e6;
        if (!units || !days || !reasons) return *error = query.errorString(), false;
        f->units = units->total();
    }
    QElapsedTimer t;
    t.start();
    app::RecordsViewer viewer(source);
    viewer.setPeriod(app::RecordsViewer::Month);
    viewer.show();
    if (!testing::waitUntil([&] { return !viewer.loading(); }, 120000))
        return *error = QStringLiteral("no answer"), false;
    viewer.grab();  // drawn with its answer
    f->firstPaintMs = double(t.nsecsElapsed()) / 1e6;
    return true;
}

void print(const char* where, const Figures& f, int runs) {
    std::printf(
        "%-11s %8d runs  written in %6.1f s   month summary %8.1f ms (%d units)   viewer first paint of a month %8.1f "
        "ms\n",
        where, runs, f.fillS, f.summaryMs, f.units, f.firstPaintMs);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int runs = 100000;
    int days = 60;
    bool postgres = true;
    QString write;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--days") && i + 1 < argc)
            days = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--write") && i + 1 < argc)
            write = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(argv[i], "--no-postgres"))
            postgres = false;
        else {
            std::fprintf(stderr, "usage: records_bench [--runs N] [--days D] [--no-postgres] [--write FILE]\n");
            return 2;
        }
    }
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));

    if (!write.isEmpty()) {
        QString error;
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("write"));
            db.setDatabaseName(write);
            ok = db.open() && fill(db, runs, days, &error);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("write"));
        if (!ok) std::fprintf(stderr, "records_bench: %s\n", qPrintable(error));
        return ok ? 0 : 1;
    }

    std::printf("records: %d runs over %d days; figures for the last 30\n", runs, days);
    QTemporaryDir dir;
    {
        Figures f;
        QString error;
        const QString path = dir.filePath(QStringLiteral("records.sqlite"));
        QElapsedTimer t;
        t.start();
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
            db.setDatabaseName(path);
            ok = db.open() && fill(db, runs, days, &error);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        f.fillS = double(t.nsecsElapsed()) / 1e9;
        if (ok) ok = measure({{}, path}, &f, &error);
        if (ok)
            print("SQLite", f, runs);
        else
            std::printf("SQLite      failed: %s\n", qPrintable(error));
    }
    if (!postgres) return 0;

    test::PgTestServer server;
    QString error;
    if (test::PgTestServer::binDir().isEmpty() || !server.init(&error)) {
        std::printf("PostgreSQL  not measured: %s\n",
                    qPrintable(error.isEmpty() ? QStringLiteral("no server installed") : error));
        return 0;
    }
    qputenv("PGPASSWORD", server.password().toUtf8());
    qputenv("PGPASSFILE", dir.filePath(QStringLiteral("none")).toLocal8Bit());
    Figures f;
    bool ok = false;
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
        admin.setHostName(QStringLiteral("127.0.0.1"));
        admin.setPort(server.port());
        admin.setUserName(server.user());
        admin.setDatabaseName(QStringLiteral("postgres"));
        ok = admin.open() && QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE bench"));
        if (!ok) error = admin.lastError().text();
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    if (ok) {
        QElapsedTimer t;
        t.start();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("fill"));
            db.setHostName(QStringLiteral("127.0.0.1"));
            db.setPort(server.port());
            db.setUserName(server.user());
            db.setDatabaseName(QStringLiteral("bench"));
            ok = db.open() && fill(db, runs, days, &error);
            if (ok) QSqlQuery(db).exec(QStringLiteral("ANALYZE runs"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        f.fillS = double(t.nsecsElapsed()) / 1e9;
    }
    const QString url = QStringLiteral("postgresql://%1@127.0.0.1:%2/bench").arg(server.user()).arg(server.port());
    if (ok) ok = measure({url, {}}, &f, &error);
    if (ok)
        print("PostgreSQL", f, runs);
    else
        std::printf("PostgreSQL  failed: %s\n", qPrintable(error));
    return 0;
}
