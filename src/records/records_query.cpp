#include "records/records_query.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QVariant>
#include <atomic>
#include <algorithm>
#include <map>

#include "lock/instance_lock.h"
#include "records/database_url.h"
#include "records/record_store.h"
#include "records/legacy_reasons.h"
#include "records/records_query_texts.h"
#include "records/run.h"

namespace vek::records {

namespace {

std::atomic<int> connectionCount{0};

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QString dbError(const QSqlError& error) {
    const QString t = error.text().simplified();
    return t.isEmpty() ? error.nativeErrorCode() : t;
}

QString textAt(const QSqlQuery& q, int i) { return q.value(i).isNull() ? QString() : q.value(i).toString(); }

// A statement that outlives this is the server's problem, not the viewer's:
// the worker gives up and says so.
constexpr int kStatementTimeoutMs = 15000;

// The columns every listing reads, in this order; `stale` is the condition
// (one placeholder) under which a running run belongs to a dead station.
QString summaryColumns(const QString& stale, bool kinds) {
    return QStringLiteral("id, started_at, ended_at, station, port, unit_id, firmware_before, firmware_after,"
                          " CASE WHEN verdict = 'running' AND %1 THEN 'stale' ELSE verdict END, failure_reason, %2")
        .arg(stale, kinds ? QStringLiteral("failure_kind, failure_values") : QStringLiteral("NULL, NULL"));
}

// A row read with summaryColumns() first. A run of a dead station is shown
// interrupted (a local file) or without news (the server); nothing is written.
RunSummary summaryAt(const QSqlQuery& q, bool shared) {
    RunSummary r;
    r.id = textAt(q, 0);
    r.startedAt = timestampFromText(textAt(q, 1));
    r.endedAt = timestampFromText(textAt(q, 2));
    r.station = textAt(q, 3);
    r.port = textAt(q, 4);
    r.unitId = textAt(q, 5);
    r.firmwareBefore = textAt(q, 6);
    r.firmwareAfter = textAt(q, 7);
    r.verdict = textAt(q, 8);
    r.failureReason = textAt(q, 9);
    // A run stored before kinds were kept is read into one from its sentence.
    r.failure = q.value(10).isNull() ? (r.failureReason.isEmpty() ? words::Failure{} : failureOfSentence(r.failureReason))
                                     : words::Failure{textAt(q, 10), words::valuesFromJson(textAt(q, 11))};
    if (r.verdict == QLatin1String("stale")) {
        if (shared) {
            r.verdict = verdictText(Verdict::Running);
            r.withoutNews = true;
        } else {
            r.verdict = verdictText(Verdict::Interrupted);
            r.stale = true;
        }
    }
    return r;
}

}  // namespace

struct RecordsQuery::Where {
    QString sql;  // " AND …" clauses
    QVariantList binds;
};

std::optional<double> VerdictCounts::yieldPercent() const {
    if (passed + failed == 0) return std::nullopt;
    return 100.0 * passed / (passed + failed);
}

std::optional<double> VerdictCounts::firstPassPercent() const {
    if (passed + failed == 0) return std::nullopt;
    return 100.0 * firstPass / (passed + failed);
}

VerdictCounts& VerdictCounts::operator+=(const VerdictCounts& o) {
    passed += o.passed;
    failed += o.failed;
    interrupted += o.interrupted;
    running += o.running;
    withoutNews += o.withoutNews;
    other += o.other;
    firstPass += o.firstPass;
    rework += o.rework;
    return *this;
}

void VerdictCounts::add(const QString& verdict, int count, int reworked, int firstPassed) {
    this->rework += reworked;
    this->firstPass += firstPassed;
    if (verdict == QLatin1String(kWithoutNews))
        withoutNews += count;
    else if (verdict == verdictText(Verdict::Passed))
        passed += count;
    else if (verdict == verdictText(Verdict::Failed))
        failed += count;
    else if (verdict == verdictText(Verdict::Interrupted))
        interrupted += count;
    else if (verdict == verdictText(Verdict::Running))
        running += count;
    else
        other += count;
}

RecordsQuery::RecordsQuery(RecordsSource source) : source_(std::move(source)) {
    name_ = QStringLiteral("vek-records-query-%1").arg(++connectionCount);
    localPath_ = source_.localPath;
    if (localPath_.isEmpty())
        localPath_ =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/records.sqlite");
    display_ = text(texts::kQueryLocal).arg(localPath_);
}

RecordsQuery::~RecordsQuery() {
    if (!QSqlDatabase::contains(name_)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

QString RecordsQuery::description() const { return display_; }

bool RecordsQuery::fail(const QString& message) {
    error_ = message;
    return false;
}

std::nullopt_t RecordsQuery::failed(const QString& message) {
    error_ = message;
    return std::nullopt;
}

std::nullopt_t RecordsQuery::failed(const QSqlQuery& q) {
    return failed(text(texts::kQueryFailed).arg(display_, dbError(q.lastError())));
}

bool RecordsQuery::open() {
    if (open_) return true;
    error_.clear();
    const bool shared = isShared();
    std::optional<DatabaseUrl> url;
    if (shared) {
        QString err;
        url = parseDatabaseUrl(source_.url, &err);
        if (!url) return fail(err);
        display_ = text(texts::kQueryShared).arg(url->display());
    }
    const QString driver = shared ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    if (!QSqlDatabase::isDriverAvailable(driver))
        return fail(text(texts::kQueryNoDriver).arg(driver, shared ? url->display() : localPath_));
    const QString where = shared ? url->display() : localPath_;

    // A missing file is not made here: an empty one would look like a line
    // that made nothing.
    if (!shared && !QFileInfo::exists(localPath_)) return fail(text(texts::kQueryNoFile).arg(localPath_));

    QSqlDatabase db = QSqlDatabase::addDatabase(driver, name_);
    if (shared) {
        db.setHostName(url->host);
        db.setPort(url->port);
        db.setDatabaseName(url->database);
        // No password: libpq takes it from PGPASSWORD or ~/.pgpass.
        if (!url->user.isEmpty()) db.setUserName(url->user);
        db.setConnectOptions(url->connectOptions());
    } else {
        db.setDatabaseName(localPath_);
        // Read-only: looking never changes the file, and a station writing it
        // holds it no longer than a write takes.
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(kConnectTimeoutSeconds * 1000));
    }
    if (!db.open()) return fail(text(texts::kQueryOpenFailed).arg(where, dbError(db.lastError())));
    if (shared) {
        QSqlQuery timeout(db);
        timeout.exec(QStringLiteral("SET statement_timeout = %1").arg(kStatementTimeoutMs));
    }
    const QSqlRecord record = db.record(QStringLiteral("runs"));
    if (record.isEmpty()) {
        // No table, or a server that went away between open and now.
        const QSqlError error = db.lastError();
        const QStringList tables = db.tables();
        if (error.isValid() && !tables.contains(QStringLiteral("runs")))
            return fail(text(texts::kQueryOpenFailed).arg(where, dbError(error)));
        // Nothing at all: a database made for the records before any station
        // wrote to it, not somebody else's.
        return fail(text(tables.isEmpty() ? texts::kQueryNoRecordsYet : texts::kQueryNoRuns).arg(where));
    }
    columns_.clear();
    for (int i = 0; i < record.count(); ++i) columns_ << record.fieldName(i).toLower();

    // Tables made before version 2 of the schema have no index on the start
    // time: their queries are slower, never refused. Looking never adds one:
    // the next station to open the records migrates them.
    if (shared) {
        // From here on this session cannot write, whatever a query says.
        QSqlQuery readOnly(db);
        readOnly.exec(QStringLiteral("SET default_transaction_read_only = on"));
    }
    open_ = true;
    return true;
}

QString RecordsQuery::staleSql() const {
    if (!hasColumn(QStringLiteral("instance"))) return QStringLiteral("started_at < ?");
    // Runs written before stations named themselves still go by their age.
    QString sql = QStringLiteral("((COALESCE(instance, '') = '' AND started_at < ?)");
    if (!dead_.isEmpty()) {
        QStringList quoted;
        for (QString instance : dead_) quoted << u'\'' + instance.replace(u'\'', QLatin1String("''")) + u'\'';
        sql += QStringLiteral(" OR instance IN (%1)").arg(quoted.join(u','));
    }
    return sql + u')';
}

void RecordsQuery::findDeadStations() {
    // The statements of one look at the records (the viewer's pictures and
    // table, one after the other) share one finding: each asks the whole
    // table, and a station does not die and come back within a second.
    if (deadFound_.isValid() && deadFound_.elapsed() < kDeadStationsReuseMs) return;
    deadFound_.start();
    dead_.clear();
    if (!hasColumn(QStringLiteral("instance"))) return;
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT DISTINCT instance FROM runs WHERE verdict = 'running' AND instance <> ''")))
        return;
    QStringList running;
    while (q.next()) running << q.value(0).toString();
    for (const QString& instance : running) {
        bool alive = false;
        if (isShared()) {
            // Whether some session holds the instance's advisory lock, asked
            // of pg_locks: nothing is taken.
            QSqlQuery probe(db);
            probe.prepare(QStringLiteral("SELECT COUNT(*) FROM pg_locks WHERE locktype = 'advisory'"
                                         " AND classid::bigint = ? AND objid::bigint = ? AND objsubid = 2"));
            probe.addBindValue(qint64(kInstanceLockSpace));
            probe.addBindValue(qint64(quint32(instanceLockKey(instance))));
            alive = !probe.exec() || !probe.next() || probe.value(0).toInt() > 0;  // in doubt, alive
        } else {
            // A probe takes nothing that outlives it and removes nothing.
            const std::string path = QFile::encodeName(instanceLockFile(localPath_, instance)).toStdString();
            alive = lock::probe(path) == lock::Probe::Held;
        }
        if (!alive) dead_ << instance;
    }
}

QString RecordsQuery::staleBefore() const {
    const QDateTime now = now_.isValid() ? now_ : QDateTime::currentDateTimeUtc();
    return timestampText(now.addSecs(-staleAfterSeconds_));
}

RecordsQuery::Where RecordsQuery::where(const RunQuery& query, bool withVerdict) const {
    Where w;
    if (query.from.isValid()) {
        w.sql += QStringLiteral(" AND started_at >= ?");
        w.binds << timestampText(query.from);
    }
    if (query.to.isValid()) {
        w.sql += QStringLiteral(" AND started_at < ?");
        w.binds << timestampText(query.to);
    }
    if (!query.station.isEmpty()) {
        w.sql += QStringLiteral(" AND station = ?");
        w.binds << query.station;
    }
    QString unit = query.unitContains.toUpper();
    unit.remove(QLatin1Char(' '));
    if (!unit.isEmpty()) {
        unit.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        unit.replace(QLatin1Char('%'), QLatin1String("\\%"));
        unit.replace(QLatin1Char('_'), QLatin1String("\\_"));
        w.sql += QStringLiteral(" AND UPPER(REPLACE(unit_id, ' ', '')) LIKE ? ESCAPE '\\'");
        w.binds << QStringLiteral("%") + unit + QStringLiteral("%");
    }
    if (withVerdict && !query.verdict.isEmpty()) {
        const QString running = verdictText(Verdict::Running);
        if (isShared()) {
            // On the server a run without news is still `running`: only its
            // own host says how it ended.
            w.sql += QStringLiteral(" AND verdict = ?");
            w.binds << query.verdict;
        } else if (query.verdict == verdictText(Verdict::Interrupted)) {
            w.sql += QStringLiteral(" AND (verdict = ? OR (verdict = ? AND %1))").arg(staleSql());
            w.binds << query.verdict << running << staleBefore();
        } else if (query.verdict == running) {
            w.sql += QStringLiteral(" AND verdict = ? AND NOT %1").arg(staleSql());
            w.binds << running << staleBefore();
        } else {
            w.sql += QStringLiteral(" AND verdict = ?");
            w.binds << query.verdict;
        }
    }
    return w;
}

namespace {

// Each unit's last run in the period, with its verdict as shown; `k` = 1
// marks the last one and `n` counts the unit's runs. With `perStation` a unit
// is counted at each station it ran at, by its last run there.
//
// PostgreSQL: window functions, one window so one sort serves them; `n` only
// when the figures need it. SQLite: one GROUP BY whose bare columns come from
// the row of its one MAX() (the last run), which reads each row once instead
// of once per window function; every group is a unit's last run (k = 1).
QString lastRunPerUnit(const QString& whereSql, const QString& stale, bool perStation, bool figures, bool sqlite,
                       bool kinds) {
    const QString partition = perStation ? QStringLiteral("station, ") : QString();
    const QString kind = kinds ? QStringLiteral("failure_kind") : QStringLiteral("NULL AS failure_kind");
    if (sqlite) {
        return QStringLiteral(
                   "WITH last AS (SELECT started_at, failure_reason, failure_kind, station,"
                   " CASE WHEN verdict = ? AND %2 THEN ? ELSE verdict END AS shown, 1 AS k, n FROM"
                   " (SELECT MAX(started_at || ' ' || id) AS last_key, started_at, failure_reason, %4, station,"
                   " verdict, instance, COUNT(*) AS n FROM runs WHERE 1 = 1%1 GROUP BY %3COALESCE(unit_id, id)) units) ")
            .arg(whereSql, stale, partition, kind);
    }
    return QStringLiteral(
               "WITH last AS (SELECT started_at, failure_reason, %5, station,"
               " CASE WHEN verdict = ? AND %2 THEN ? ELSE verdict END AS shown,"
               " ROW_NUMBER() OVER w AS k%4"
               " FROM runs WHERE 1 = 1%1"
               " WINDOW w AS (PARTITION BY %3COALESCE(unit_id, id) ORDER BY started_at DESC, id DESC)) ")
        .arg(whereSql, stale, partition,
             figures ? QStringLiteral(", COUNT(*) OVER (PARTITION BY %1COALESCE(unit_id, id)) AS n").arg(partition)
                     : QString(),
             kind);
}

// Per group of last runs: how many, how many reworked (more than one run),
// how many passed first time (passed on their only run).
const char* const kUnitSums =
    "COUNT(*), SUM(CASE WHEN n > 1 THEN 1 ELSE 0 END),"
    " SUM(CASE WHEN shown = 'passed' AND n = 1 THEN 1 ELSE 0 END)";

bool execWith(QSqlQuery& q, const QString& sql, const QVariantList& binds) {
    if (!q.prepare(sql)) return false;
    for (const QVariant& value : binds) q.addBindValue(value);
    return q.exec();
}

}  // namespace

std::pair<QString, QVariantList> RecordsQuery::lastRuns(const RunQuery& query, bool perStation, bool figures) {
    findDeadStations();
    const Where w = where(query, false);
    const QString staleWord = isShared() ? QString::fromLatin1(kWithoutNews) : verdictText(Verdict::Interrupted);
    QVariantList binds{verdictText(Verdict::Running), staleBefore(), staleWord};
    binds << w.binds;
    return {lastRunPerUnit(w.sql, staleSql(), perStation, figures, !isShared(), hasColumn(QStringLiteral("failure_kind"))),
            binds};
}

std::optional<std::vector<RunSummary>> RecordsQuery::runs(const RunQuery& query, int limit, int offset) {
    if (!open_) return failed(text(texts::kQueryNotOpen));
    findDeadStations();
    const Where w = where(query, true);
    QSqlQuery q(QSqlDatabase::database(name_, false));
    q.setForwardOnly(true);
    const QString sql = QStringLiteral(
                            "SELECT %1 FROM runs WHERE 1 = 1%2 ORDER BY started_at DESC, id DESC"
                            " LIMIT %3 OFFSET %4")
                            .arg(summaryColumns(staleSql(), hasColumn(QStringLiteral("failure_kind"))), w.sql)
                            .arg(qMax(0, limit))
                            .arg(qMax(0, offset));
    if (!execWith(q, sql, QVariantList{staleBefore()} + w.binds)) return failed(q);
    std::vector<RunSummary> out;
    while (q.next()) out.push_back(summaryAt(q, isShared()));
    return out;
}

std::optional<int> RecordsQuery::countRuns(const RunQuery& query) {
    if (!open_) return failed(text(texts::kQueryNotOpen));
    findDeadStations();
    const Where w = where(query, true);
    QSqlQuery q(QSqlDatabase::database(name_, false));
    if (!execWith(q, QStringLiteral("SELECT COUNT(*) FROM runs WHERE 1 = 1") + w.sql, w.binds) || !q.next())
        return failed(q);
    return q.value(0).toInt();
}

std::optional<RunDetails> RecordsQuery::details(const QString& id) {
    if (!open_) return failed(text(texts::kQueryNotOpen));
    findDeadStations();
    QString sql = QStringLiteral("SELECT %1, unit_type, config_json, verify, verify_offset, qr_label, qr_match")
                      .arg(summaryColumns(staleSql(), hasColumn(QStringLiteral("failure_kind"))));
    // Columns a later schema adds are read when this table has them.
    const QStringList optional{QStringLiteral("config_source"), QStringLiteral("config_sha256"),
                               QStringLiteral("firmware_target")};
    for (const QString& column : optional)
        sql += hasColumn(column) ? QStringLiteral(", ") + column : QStringLiteral(", NULL");
    sql += hasColumn(QStringLiteral("before_image"))
               ? QStringLiteral(", CASE WHEN before_image IS NULL THEN 0 ELSE 1 END")
               : QStringLiteral(", NULL");
    sql += QStringLiteral(" FROM runs WHERE id = ?");
    QSqlQuery q(QSqlDatabase::database(name_, false));
    if (!execWith(q, sql, {staleBefore(), id})) return failed(q);
    if (!q.next()) return RunDetails{};  // gone since it was listed: nothing to show
    RunDetails d;
    d.summary = summaryAt(q, isShared());
    d.unitType = q.value(12).isNull() ? -1 : q.value(12).toInt();
    d.configJson = textAt(q, 13);
    d.verify = textAt(q, 14);
    d.verifyOffset = q.value(15).isNull() ? -1 : q.value(15).toLongLong();
    d.qrLabel = textAt(q, 16);
    if (!q.value(17).isNull()) d.qrMatch = q.value(17).toInt() != 0;
    d.configSource = textAt(q, 18);
    d.configSha256 = textAt(q, 19);
    d.firmwareTarget = textAt(q, 20);
    if (!q.value(21).isNull()) d.beforeImageKept = q.value(21).toInt() != 0;
    return d;
}

std::optional<VerdictCounts> RecordsQuery::units(const RunQuery& query) {
    if (!open_) return failed(text(texts::kQueryNotOpen));
    auto [last, binds] = lastRuns(query);
    QSqlQuery q(QSqlDatabase::database(name_, false));
    if (!execWith(q,
                  last + QStringLiteral("SELECT shown, %1 FROM last WHERE k = 1 GROUP BY shown")
                             .arg(QLatin1String(kUnitSums)),
                  binds))
        return failed(q);
    VerdictCounts counts;
    while (q.next()) counts.add(textAt(q, 0), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt());
    return counts;
}

std::optional<std::vector<TimeBucket>> RecordsQuery::unitsOver(const RunQuery& query, Bucket bucket) {
    if (!open_) return failed(text(texts::kQueryNotOpen));
    auto [last, binds] = lastRuns(query);
    QSqlQuery q(QSqlDatabase::database(name_, false));
    q.setForwardOnly(true);
    // "2024-03-12T14": the UTC hour, which the index on started_at orders.
    if (!execWith(q,
                  last +
                      QStringLiteral("SELECT SUBSTR(started_at, 1, 13), shown, %1 FROM last WHERE k = 1"
                                     " GROUP BY SUBSTR(started_at, 1, 13), shown")
                          .arg(QLatin1String(kUnitSums)),
                  binds))
        return failed(q);
    std::map<QDateTime, VerdictCounts> folded;
    while (q.next()) {
        QDateTime hour = QDateTime::fromString(textAt(q, 0), QStringLiteral("yyyy-MM-dd'T'HH"));
        if (!hour.isValid()) continue;
        hour.setTimeSpec(Qt::UTC);
        const QDateTime local = hour.toLocalTime();
        const QDateTime start =
            bucket == Bucket::Hour ? QDateTime(local.date(), QTime(local.time().hour(), 0)) : local.date().startOfDay();
        folded[start].add(textAt(q, 1), q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt());
    }
    std::vector<TimeBucket> out;
    out.reserve(folded.size());
    for (const auto& [start, units] : folded) out.push_back({start, units});
    return out;
}

std::optional<std::vector<ReasonCount>> RecordsQuery::failureReasons(const RunQuery& query, int limit) {
    if (!open_) return failed(text(texts::kQueryNotOpen));
    auto [last, binds] = lastRuns(query, false, false);
    binds << verdictText(Verdict::Failed);
    QSqlQuery q(QSqlDatabase::database(name_, false));
    q.setForwardOnly(true);
    if (!execWith(q,
                  last + QStringLiteral("SELECT COALESCE(failure_kind, ''), COALESCE(failure_reason, ''), COUNT(*)"
                                        " FROM last WHERE k = 1 AND shown = ?"
                                        " GROUP BY COALESCE(failure_kind, ''), COALESCE(failure_reason, '')"),
                  binds))
        return failed(q);
    // One row per cause, whatever the language its sentences were stored in
    // and whatever values they quote; a sentence of no known kind is a cause
    // of its own.
    std::vector<ReasonCount> out;
    std::map<QString, std::size_t> at;
    while (q.next()) {
        const QString reason = textAt(q, 1);
        QString kind = textAt(q, 0);
        if (kind.isEmpty() && !reason.isEmpty()) kind = failureOfSentence(reason).kind;
        const bool own = kind.isEmpty() || kind == QLatin1String(words::kOther);
        const QString key = own ? kind + QLatin1Char(':') + reason : kind;
        const auto [it, fresh] = at.try_emplace(key, out.size());
        if (fresh) out.push_back({kind, own ? reason : QString(), 0});
        out[it->second].units += q.value(2).toInt();
    }
    std::stable_sort(out.begin(), out.end(), [](const ReasonCount& a, const ReasonCount& b) {
        return a.units != b.units ? a.units > b.units : a.kind + a.reason < b.kind + b.reason;
    });
    if (out.size() > static_cast<std::size_t>(qMax(1, limit))) out.resize(static_cast<std::size_t>(qMax(1, limit)));
    return out;
}

std::optional<QStringList> RecordsQuery::stations(const RunQuery& query) {
    if (!open_) return failed(text(texts::kQueryNotOpen));
    RunQuery period;
    period.from = query.from;
    period.to = query.to;
    const Where w = where(period, false);
    QSqlQuery q(QSqlDatabase::database(name_, false));
    if (!execWith(q, QStringLiteral("SELECT DISTINCT station FROM runs WHERE 1 = 1%1 ORDER BY station").arg(w.sql),
                  w.binds))
        return failed(q);
    QStringList out;
    while (q.next()) out << textAt(q, 0);
    return out;
}

std::optional<std::vector<std::pair<QString, VerdictCounts>>> RecordsQuery::unitsPerStation(const RunQuery& query) {
    if (!open_) return failed(text(texts::kQueryNotOpen));
    std::vector<std::pair<QString, VerdictCounts>> out;
    if (!query.station.isEmpty()) return out;
    // Each station's own units by their last run there, in one statement: a
    // unit failed at one station and passed at the next counts at both.
    auto [last, binds] = lastRuns(query, true);
    QSqlQuery q(QSqlDatabase::database(name_, false));
    q.setForwardOnly(true);
    if (!execWith(q,
                  last + QStringLiteral("SELECT station, shown, %1 FROM last WHERE k = 1 GROUP BY station, shown"
                                        " ORDER BY station")
                             .arg(QLatin1String(kUnitSums)),
                  binds))
        return failed(q);
    while (q.next()) {
        const QString station = textAt(q, 0);
        if (out.empty() || out.back().first != station) out.emplace_back(station, VerdictCounts{});
        out.back().second.add(textAt(q, 1), q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt());
    }
    if (out.size() < 2) out.clear();
    return out;
}

}  // namespace vek::records
