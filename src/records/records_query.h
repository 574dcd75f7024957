#pragma once
// The read side of the records: what the viewer and the summary ask of the
// `runs` table, on a connection of their own that never writes a run.
//
// Counting rules, the same in every figure:
// - a unit is counted once per period, by the verdict of its last run there
//   (a unit configured again after a restart is one unit, not two); runs
//   whose unit was never identified count each as a unit of its own;
// - a run still `running` whose station instance holds no lock belongs to a
//   station that went away. In a local file (this machine's own records) it
//   reads as interrupted; on the server it is without news: its own host may
//   still hold its last state in its outbox, and only that host writes it.
//   Nothing is written here. Runs that name no instance (older files) go by
//   their age: begun more than `staleAfter` ago;
// - beside the last verdict: first pass (the unit passed on its one run of
//   the period) and rework (more than one run in the period); every passed
//   unit is one or the other.
//
// Aggregates are the database's (GROUP BY on the UTC hour of started_at,
// which is indexed), so a month of a busy line comes back as a few hundred
// buckets, never as its rows. Local days are folded from those hours here:
// that keeps the SQL the same on SQLite and PostgreSQL and follows daylight
// saving, at the cost of zones whose offset is not whole hours.
//
// Not a QObject and not shared: the viewer makes one on its worker thread, so
// a server that does not answer holds that thread only. Every call returns
// nothing with errorString() when the database failed.

#include <QDateTime>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>
#include <utility>
#include <vector>

#include "words/failure.h"

class QSqlQuery;

namespace vek::records {

struct RecordsSource {
    QString url{};        // postgresql://…; empty: the local file
    QString localPath{};  // empty: records.sqlite in the application's data folder
};

// Which runs; empty texts and absent values do not filter.
struct RunQuery {
    QDateTime from{};        // inclusive; invalid: since the first run
    QDateTime to{};          // exclusive; invalid: up to now and beyond
    QString verdict{};       // stored word; "interrupted" includes stale running runs
    QString unitContains{};  // any part of the identifier, spaces and case ignored
    QString station{};
};

// Per verdict as the figures read them (stale running runs are interrupted).
struct VerdictCounts {
    int passed = 0;
    int failed = 0;
    int interrupted = 0;
    int running = 0;
    int withoutNews = 0;  // on the server, `running` for a station that is gone
    int other = 0;        // a verdict word this version does not know
    int firstPass = 0;    // passed on their one run of the period
    int rework = 0;       // more than one run

    int total() const { return passed + failed + interrupted + running + withoutNews + other; }
    // Passed among those that ended passed or failed, in percent; nothing
    // when none did.
    std::optional<double> yieldPercent() const;
    // Passed on their one run, among the same units.
    std::optional<double> firstPassPercent() const;
    void add(const QString& verdict, int count, int rework = 0, int firstPass = 0);
    VerdictCounts& operator+=(const VerdictCounts& other);
};

// The word the figures read a without-news run by.
inline constexpr const char* kWithoutNews = "without_news";

enum class Bucket { Hour, Day };

struct TimeBucket {
    QDateTime start;  // local time, the start of the hour or day
    VerdictCounts units;
};

// A cause of failure and how many units it failed: a kind, or a sentence of
// no known kind ("other", or no kind and empty: failed with no reason given).
struct ReasonCount {
    QString kind;
    QString reason;  // only for a cause that is a sentence
    int units = 0;
};

// A run as a line of the table.
struct RunSummary {
    QString id;
    QDateTime startedAt;
    QDateTime endedAt;  // invalid while running
    QString station;
    QString port;
    QString unitId;
    QString firmwareBefore;
    QString firmwareAfter;
    QString verdict;  // stored word, "interrupted" for a stale running run of a local file
    bool stale = false;
    bool withoutNews = false;  // on the server: `running`, its station gone (verdict stays "running")
    QString failureReason;
    words::Failure failure;  // the kind, also for a run stored with only its sentence
};

// One run whole, with the columns later versions add when the table has them
// (empty otherwise).
struct RunDetails {
    RunSummary summary;
    int unitType = -1;
    QString configJson;
    QString verify;  // "match", "mismatch", "not done"
    qint64 verifyOffset = -1;
    QString qrLabel;
    std::optional<bool> qrMatch;
    QString configSource;
    QString configSha256;
    QString firmwareTarget;
    std::optional<bool> beforeImageKept;  // nothing: the table has no such column
};

class RecordsQuery {
public:
    explicit RecordsQuery(RecordsSource source = {});
    ~RecordsQuery();
    RecordsQuery(const RecordsQuery&) = delete;
    RecordsQuery& operator=(const RecordsQuery&) = delete;

    // Opens the database for reading. A local file is opened read-only and a
    // missing one is not created. False, with errorString(), for a bad
    // address, a database that does not answer, or one without our `runs`.
    bool open();
    bool isOpen() const { return open_; }
    QString errorString() const { return error_; }
    // "SQLite (local) /path" or "PostgreSQL user@host:port/db", no password.
    QString description() const;
    bool isShared() const { return !source_.url.trimmed().isEmpty(); }
    // Whether the table has an optional column ("config_source", …).
    bool hasColumn(const QString& name) const { return columns_.contains(name); }

    // A running run that started longer ago than this reads as interrupted.
    void setStaleAfterSeconds(qint64 seconds) { staleAfterSeconds_ = seconds; }
    // The next statement asks again which stations are gone, rather than
    // reuse what a statement under a second ago found.
    void forgetStations() { deadFound_.invalidate(); }
    // The moment "now" is taken to be; invalid: the clock's.
    void setNow(const QDateTime& now) { now_ = now; }

    // Newest first.
    std::optional<std::vector<RunSummary>> runs(const RunQuery& query, int limit, int offset = 0);
    std::optional<int> countRuns(const RunQuery& query);
    std::optional<RunDetails> details(const QString& id);

    // Units by their last verdict, whole period; the query's verdict is not
    // applied (the figures show every verdict side by side).
    std::optional<VerdictCounts> units(const RunQuery& query);
    // The same, per local hour or day of each unit's last run, oldest first;
    // only buckets with units.
    std::optional<std::vector<TimeBucket>> unitsOver(const RunQuery& query, Bucket bucket);
    // Reasons of the units whose last run failed, most units first.
    std::optional<std::vector<ReasonCount>> failureReasons(const RunQuery& query, int limit);
    // The stations with runs in the period, sorted.
    std::optional<QStringList> stations(const RunQuery& query);
    // units() per station of the period, when more than one recorded.
    std::optional<std::vector<std::pair<QString, VerdictCounts>>> unitsPerStation(const RunQuery& query);

private:
    struct Where;
    Where where(const RunQuery& query, bool withVerdict) const;
    QString staleBefore() const;
    // The SQL condition (one placeholder: staleBefore()) under which a
    // running run belongs to a station that is gone: its instance holds no
    // lock, or, for runs that name no instance, it began before staleBefore.
    QString staleSql() const;
    void findDeadStations();
    // The "last" table (each unit's last run, with the verdict shown) for
    // the query, and the values its placeholders take; a statement adds its
    // own after them.
    std::pair<QString, QVariantList> lastRuns(const RunQuery& query, bool perStation = false, bool figures = true);
    bool fail(const QString& text);
    std::nullopt_t failed(const QString& text);
    std::nullopt_t failed(const QSqlQuery& query);

    RecordsSource source_;
    QString name_;
    QString localPath_;
    QString display_;
    QStringList columns_;
    bool open_ = false;
    QString error_;
    qint64 staleAfterSeconds_ = 3600;
    QStringList dead_;
    QElapsedTimer deadFound_;
    static constexpr qint64 kDeadStationsReuseMs = 1000;
    QDateTime now_;
};

}  // namespace vek::records
