// What the records do when their databases misbehave, through the real
// pieces: the station's link to its records (worker threads, the local
// outbox), over a real SQLite file held by another process, a loopback
// listener that accepts and never answers, and a real PostgreSQL server with a table lock held by
// another session. Nothing called done is lost, and nothing arrives twice.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUuid>
#include <memory>

#include "app_fixture.h"
#include "pg_test_server.h"
#include "records_link_support.h"
#include "sqlite_lock.h"
#include "records/record_store.h"
#include "station/records_link.h"

namespace vek::testing {
namespace {

using RunRow = records::Run;
using records::Verdict;

RunRow aRun(const QString& port, Verdict verdict = Verdict::Running) {
    RunRow run;
    run.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    run.startedAt = QDateTime::currentDateTimeUtc();
    run.station = QStringLiteral("st-1");
    run.port = port;
    run.unitId = QStringLiteral("33333333 22222222 0000100") + port.right(1);
    run.verdict = verdict;
    return run;
}

struct Answer {
    bool ok = false;
    QString error;
};

// The link's answers, by run id and sequence number.
class Answers {
public:
    explicit Answers(station::RecordsLink& link) {
        QObject::connect(&link, &station::RecordsLink::saved, &link,
                         [this](const QString& id, quint64 seq, bool ok, const QString& error) {
                             last_[id + u'#' + QString::number(seq)] = {ok, error};
                         });
    }
    std::optional<Answer> of(const RunRow& run, quint64 seq) const {
        const auto it = last_.find(run.id + u'#' + QString::number(seq));
        return it == last_.end() ? std::nullopt : std::optional<Answer>(it->second);
    }

private:
    std::map<QString, Answer> last_;
};

// Another process holding the SQLite file's write lock until told to let go.
TEST(LocalDurability, AFileLockedByAnotherProcessDelaysARowButLosesNone) {
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty()) GTEST_SKIP() << "python3 is needed";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("records.sqlite"));
    auto link = openLink({.localPath = file, .busyTimeoutMs = 200});
    Answers answers(*link);

    const RunRow before = aRun(QStringLiteral("ttyACM0"), Verdict::Passed);
    link->put(before, 1);
    ASSERT_TRUE(waitFor([&] { return answers.of(before, 1).has_value(); }));
    EXPECT_TRUE(answers.of(before, 1)->ok);

    LockHolder holder;
    ASSERT_TRUE(holder.start(file));
    const RunRow held = aRun(QStringLiteral("ttyACM1"), Verdict::Passed);
    link->put(held, 1);
    ASSERT_TRUE(waitFor([&] { return answers.of(held, 1).has_value(); }));
    EXPECT_FALSE(answers.of(held, 1)->ok) << "not stored is said, not taken for stored";
    EXPECT_FALSE(answers.of(held, 1)->error.isEmpty());
    EXPECT_NE(answers.of(held, 1)->error, QStringLiteral("?"));
    ASSERT_TRUE(waitFor([&] { return !link->state().storing; }));
    EXPECT_TRUE(station::describe(link->state()).contains(QString::fromUtf8("não grava"))) << station::describe(link->state()).toStdString();

    holder.release();
    // Tried again by the writer on its own: the answer comes once it is in.
    ASSERT_TRUE(waitFor([&] { return answers.of(held, 1) && answers.of(held, 1)->ok; }, 10000));
    EXPECT_TRUE(link->state().storing);
    link->close();
    const auto runs = listed({.localPath = file});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].id, held.id);
    EXPECT_EQ(runs[1].verdict, Verdict::Passed);
}

// A listener that takes connections and never says a word, as a server
// whose backend hangs does.
TEST(SharedDurability, AServerThatNeverAnswersHoldsUpNoRow) {
    QTcpServer mute;
    ASSERT_TRUE(mute.listen(QHostAddress::LocalHost));
    std::vector<QTcpSocket*> kept;
    QObject::connect(&mute, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* s = mute.nextPendingConnection()) kept.push_back(s);
    });
    QTemporaryDir dir;
    const QString url = QStringLiteral("postgresql://vek@127.0.0.1:%1/runs").arg(mute.serverPort());
    auto link = openLink({.url = url, .localPath = dir.filePath(QStringLiteral("outbox.sqlite"))});
    Answers answers(*link);

    std::vector<RunRow> runs;
    for (int n = 0; n < 4; ++n) {
        runs.push_back(aRun(QStringLiteral("ttyACM%1").arg(n), Verdict::Passed));
        link->put(runs.back(), 1);
    }
    // Every row is durable in the outbox while the sender waits on the server.
    ASSERT_TRUE(waitFor([&] {
        for (const RunRow& r : runs)
            if (!answers.of(r, 1)) return false;
        return true;
    }));
    for (const RunRow& r : runs) EXPECT_TRUE(answers.of(r, 1)->ok) << answers.of(r, 1)->error.toStdString();
    ASSERT_TRUE(waitFor([&] { return link->state().awaySince.isValid() && link->state().queued == 4; }, 10000))
        << station::describe(link->state()).toStdString();
    EXPECT_FALSE(kept.empty()) << "the sender did try the server";
    const QString said = station::describe(link->state());
    EXPECT_TRUE(said.contains(QStringLiteral("sem resposta desde"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("4 registros na fila local"))) << said.toStdString();
    EXPECT_TRUE(link->close()) << "the sender's wait is bounded by its connect time-out";
}

// --- a real server ------------------------------------------------------------

class SharedDurabilityPg : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::PgSuiteServer::setUp(); }
    static void TearDownTestSuite() { test::PgSuiteServer::tearDown(); }
    void SetUp() override {
        if (!test::PgSuiteServer::skip().empty()) GTEST_SKIP() << test::PgSuiteServer::skip();
        std::string error;
        ASSERT_TRUE(test::PgSuiteServer::start(&error)) << error;
        server_ = &test::PgSuiteServer::server();
        qputenv("PGPASSWORD", server_->password().toUtf8());
        qputenv("PGPASSFILE", dir_.filePath(QStringLiteral("none")).toLocal8Bit());
    }
    void TearDown() override {
        qunsetenv("PGPASSWORD");
        qunsetenv("PGPASSFILE");
    }
    QString url() const {
        return QStringLiteral("postgresql://%1@127.0.0.1:%2/postgres").arg(server_->user()).arg(server_->port());
    }
    QSqlDatabase session(const QString& name) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(server_->port());
        db.setUserName(server_->user());
        db.setPassword(server_->password());
        db.setDatabaseName(QStringLiteral("postgres"));
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        return db;
    }

    test::PgTestServer* server_ = nullptr;
    QTemporaryDir dir_;
};

TEST_F(SharedDurabilityPg, ATableLockHeldElsewhereQueuesRowsAndEachArrivesOnceWhenItGoes) {
    records::RecordStore store({.url = url(), .localPath = dir_.filePath(QStringLiteral("a.sqlite")),
                                .station = QStringLiteral("st-1"), .retryGapMs = 0, .lockTimeoutMs = 300});
    ASSERT_TRUE(store.open()) << store.errorString().toStdString();
    {
        QSqlDatabase other = session(QStringLiteral("locker"));
        ASSERT_TRUE(other.transaction());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec(QStringLiteral("LOCK TABLE runs IN ACCESS EXCLUSIVE MODE")));

        std::vector<RunRow> runs;
        for (int n = 0; n < 3; ++n) {
            runs.push_back(aRun(QStringLiteral("ttyACM%1").arg(n), Verdict::Passed));
            EXPECT_TRUE(store.put(runs.back())) << "stored in the outbox: " << store.errorString().toStdString();
        }
        EXPECT_EQ(store.pendingUploads(), 3);
        EXPECT_FALSE(store.send()) << "the lock wait ends in the lock time-out";
        other.rollback();
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    EXPECT_TRUE(store.send()) << store.errorString().toStdString();
    EXPECT_TRUE(store.send()) << "sending again changes nothing";
    EXPECT_EQ(store.pendingUploads(), 0);
    {
        QSqlDatabase check = session(QStringLiteral("check"));
        QSqlQuery q(check);
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT COUNT(*), COUNT(DISTINCT id) FROM runs WHERE verdict = 'passed'")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), 3);
        EXPECT_EQ(q.value(1).toInt(), 3);
        check.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
}

TEST_F(SharedDurabilityPg, QueuedRowsGoOnlyToTheirOwnServerAndTwoSendersShareOneOutbox) {
    const QString outbox = dir_.filePath(QStringLiteral("shared.sqlite"));
    const QString otherUrl = QStringLiteral("postgresql://vek@127.0.0.1:1/elsewhere");
    // A row queued for a server that is not this one.
    {
        records::RecordStore away({.url = otherUrl, .localPath = outbox, .station = QStringLiteral("st-9"),
                                   .access = records::Access::Writer});
        ASSERT_TRUE(away.open()) << away.errorString().toStdString();
        ASSERT_TRUE(away.put(aRun(QStringLiteral("ttyUSB9"), Verdict::Passed)));
    }
    // Two station instances writing to the same outbox, one sender each.
    records::RecordStore a({.url = url(), .localPath = outbox, .station = QStringLiteral("st-1"), .retryGapMs = 0});
    records::RecordStore b({.url = url(), .localPath = outbox, .station = QStringLiteral("st-2"), .retryGapMs = 0});
    ASSERT_TRUE(a.open() && b.open());
    std::vector<RunRow> runs;
    for (int n = 0; n < 6; ++n) {
        runs.push_back(aRun(QStringLiteral("two-%1").arg(n), Verdict::Passed));
        ASSERT_TRUE((n % 2 ? a : b).put(runs.back()));
    }
    EXPECT_TRUE(a.send());
    EXPECT_TRUE(b.send());
    QSqlDatabase check = session(QStringLiteral("check2"));
    {
        QSqlQuery q(check);
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT COUNT(*), COUNT(DISTINCT id) FROM runs WHERE port LIKE 'two-%'")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), 6);
        EXPECT_EQ(q.value(1).toInt(), 6);
        QSqlQuery other(check);
        ASSERT_TRUE(other.exec(QStringLiteral("SELECT COUNT(*) FROM runs WHERE port = 'ttyUSB9'")));
        ASSERT_TRUE(other.next());
        EXPECT_EQ(other.value(0).toInt(), 0) << "a row queued for another server stays for it";
    }
    check.close();
    check = {};
    QSqlDatabase::removeDatabase(QStringLiteral("check2"));
    EXPECT_EQ(a.pendingUploads(), 0);
    records::RecordStore away({.url = otherUrl, .localPath = outbox, .access = records::Access::Reader});
    ASSERT_TRUE(away.open());
    EXPECT_EQ(away.pendingUploads(), 1);
}

}  // namespace
}  // namespace vek::testing
