#include "records/record_store.h"

#include <QDir>
#include <iterator>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>
#include <QUuid>
#include <QVariant>

#include "records/records_texts.h"
#include "records/run_row.h"
#include "records/schema.h"

namespace vek::records {

namespace {

const QString kSqlite = QStringLiteral("QSQLITE");
const QString kPostgres = QStringLiteral("QPSQL");

int connectionCount = 0;

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QString dbError(const QSqlError& error) {
    const QString t = error.text().simplified();
    return t.isEmpty() ? QStringLiteral("?") : t;
}

const QString& upsertSql() {
    static const QString sql = [] {
        QStringList marks;
        QStringList sets;
        for (const QString& column : runColumns()) {
            marks << QStringLiteral("?");
            if (column != QLatin1String("id")) sets << column + QStringLiteral(" = excluded.") + column;
        }
        return QStringLiteral("INSERT INTO runs (%1) VALUES (%2) ON CONFLICT (id) DO UPDATE SET %3")
            .arg(runColumnList(), marks.join(QStringLiteral(", ")), sets.join(QStringLiteral(", ")));
    }();
    return sql;
}

using Rows = std::vector<QVariantList>;

// Runs `each` for every item inside one transaction; all or nothing.
template <typename Items, typename Each>
bool inTransaction(QSqlDatabase db, const Items& items, Each each, QString* error) {
    if (!db.transaction()) {
        *error = dbError(db.lastError());
        return false;
    }
    bool ok = true;
    for (const auto& item : items) {
        ok = each(item);
        if (!ok) break;
    }
    if (ok && db.commit()) return true;
    if (ok) *error = dbError(db.lastError());
    db.rollback();
    return false;
}

bool execWith(QSqlQuery& q, const QVariantList& values, QString* error) {
    for (int i = 0; i < values.size(); ++i) q.bindValue(i, values[i]);
    if (q.exec()) return true;
    *error = dbError(q.lastError());
    return false;
}

// Whole rows in one transaction; with `queue` each also takes its place in the
// upload queue, so a queued row is never without its mark nor a mark without
// its row.
bool writeRows(QSqlDatabase db, const Rows& rows, bool queue, QString* error) {
    QSqlQuery row(db);
    QSqlQuery mark(db);
    if (!row.prepare(upsertSql())) {
        *error = dbError(row.lastError());
        return false;
    }
    if (queue && !mark.prepare(QStringLiteral(
                     "INSERT INTO pending_upload (run_id) VALUES (?) ON CONFLICT (run_id) DO NOTHING"))) {
        *error = dbError(mark.lastError());
        return false;
    }
    return inTransaction(
        db, rows,
        [&](const QVariantList& values) {
            return execWith(row, values, error) && (!queue || execWith(mark, {values.front()}, error));
        },
        error);
}

// Forgets queued runs once the server has them.
bool dropQueued(QSqlDatabase db, const QVariantList& ids, QString* error) {
    QSqlQuery mark(db);
    QSqlQuery row(db);
    mark.prepare(QStringLiteral("DELETE FROM pending_upload WHERE run_id = ?"));
    row.prepare(QStringLiteral("DELETE FROM runs WHERE id = ?"));
    return inTransaction(
        db, ids, [&](const QVariant& id) { return execWith(mark, {id}, error) && execWith(row, {id}, error); },
        error);
}

void closeConnection(const QString& name) {
    if (!QSqlDatabase::contains(name)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

}  // namespace

RecordStore::RecordStore(Options options) : options_(std::move(options)) {
    const int n = ++connectionCount;
    localName_ = QStringLiteral("vek-records-%1-local").arg(n);
    sharedName_ = QStringLiteral("vek-records-%1-shared").arg(n);
    station_ = options_.station.isEmpty() ? QSysInfo::machineHostName() : options_.station;
    if (station_.isEmpty()) station_ = QStringLiteral("localhost");
    localPath_ = options_.localPath;
    if (localPath_.isEmpty()) {
        localPath_ = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        localPath_ += QStringLiteral("/records.sqlite");
    }
}

RecordStore::~RecordStore() {
    // A row no database took yet gets a last chance rather than vanishing
    // with the memory that holds it.
    if (open_) {
        for (auto& [id, open] : runs_)
            if (!open.saved) save(open.run);
    }
    closeConnection(sharedName_);
    closeConnection(localName_);
}

QSqlDatabase RecordStore::localDb() const { return QSqlDatabase::database(localName_, false); }
QSqlDatabase RecordStore::sharedDb() const { return QSqlDatabase::database(sharedName_, false); }

QString RecordStore::description() const { return url_ ? url_->display() : localPath_; }

bool RecordStore::openLocal(QString* error) {
    const QString folder = QFileInfo(localPath_).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = text(texts::kLocalFolder).arg(folder);
        return false;
    }
    QSqlDatabase local = QSqlDatabase::addDatabase(kSqlite, localName_);
    local.setDatabaseName(localPath_);
    // Another program reading the file may hold it briefly; wait no longer
    // than a connection to the server may take.
    local.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kConnectTimeoutSeconds * 1000));
    if (!local.open()) {
        *error = text(texts::kOpenFailed).arg(localPath_, dbError(local.lastError()));
        return false;
    }
    if (ensureSchema(local, localPath_, error) != SchemaCheck::Ready) return false;
    QSqlQuery queue(local);
    if (!queue.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS pending_upload (run_id TEXT PRIMARY KEY)"))) {
        *error = text(texts::kOpenFailed).arg(localPath_, dbError(queue.lastError()));
        return false;
    }
    if (!markInterrupted(local)) {
        *error = text(texts::kOpenFailed).arg(localPath_, dbError(local.lastError()));
        return false;
    }
    return true;
}

bool RecordStore::open() {
    if (open_) return true;
    error_.clear();
    auto fail = [this](const QString& message) {
        error_ = message;
        closeConnection(sharedName_);
        closeConnection(localName_);
        url_.reset();
        return false;
    };

    QString err;
    if (!options_.url.trimmed().isEmpty()) {
        url_ = parseDatabaseUrl(options_.url, &err);
        if (!url_) return fail(err);
        if (!QSqlDatabase::isDriverAvailable(kPostgres))
            return fail(text(texts::kNoDriver).arg(kPostgres, url_->display()));
    }
    if (!QSqlDatabase::isDriverAvailable(kSqlite)) return fail(text(texts::kNoDriver).arg(kSqlite, localPath_));

    if (!openLocal(&err)) return fail(err);

    if (url_) {
        {
            QSqlDatabase shared = QSqlDatabase::addDatabase(kPostgres, sharedName_);
            shared.setHostName(url_->host);
            shared.setPort(url_->port);
            shared.setDatabaseName(url_->database);
            // No password: libpq takes it from PGPASSWORD or ~/.pgpass.
            if (!url_->user.isEmpty()) shared.setUserName(url_->user);
            shared.setConnectOptions(url_->connectOptions());
        }
        const Shared state = connectShared(true);
        if (state == Shared::Refused) return fail(error_);
        if (state == Shared::Connected) toShared(nullptr, false);
    }
    open_ = true;
    return true;
}

int RecordStore::pendingUploads() const {
    if (!open_) return 0;
    QSqlQuery q(localDb());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM pending_upload")) || !q.next()) return -1;
    return q.value(0).toInt();
}

QStringList RecordStore::interruptedRuns() const {
    QStringList ids(interrupted_.begin(), interrupted_.end());
    ids.sort();
    return ids;
}

bool RecordStore::markInterrupted(QSqlDatabase db) {
    if (!db.transaction()) return false;
    QStringList ids;
    bool ok = true;
    {
        QSqlQuery running(db);
        running.prepare(QStringLiteral("SELECT id FROM runs WHERE verdict = ? AND station = ?"));
        running.addBindValue(verdictText(Verdict::Running));
        running.addBindValue(station_);
        ok = running.exec();
        while (ok && running.next()) ids << running.value(0).toString();

        QSqlQuery mark(db);
        mark.prepare(QStringLiteral("UPDATE runs SET verdict = ?, failure_reason = COALESCE(failure_reason, ?)"
                                    " WHERE verdict = ? AND station = ?"));
        mark.addBindValue(verdictText(Verdict::Interrupted));
        mark.addBindValue(text(texts::kInterrupted));
        mark.addBindValue(verdictText(Verdict::Running));
        mark.addBindValue(station_);
        ok = ok && mark.exec();
    }
    if (ok && db.commit()) {
        for (const QString& id : ids) interrupted_.insert(id);
        return true;
    }
    db.rollback();
    return false;
}

RecordStore::Shared RecordStore::connectShared(bool force) {
    if (sharedOpen_) {
        if (sharedDb().isOpen()) return Shared::Connected;
        // The driver saw the connection break (on a read, say).
        sharedOpen_ = false;
    }
    if (!force && lastAttempt_.isValid() && lastAttempt_.elapsed() < options_.retryGapMs) return Shared::Away;
    lastAttempt_.start();

    QSqlDatabase db = sharedDb();
    if (!db.open()) {
        dropShared(dbError(db.lastError()));
        return Shared::Away;
    }
    QString err;
    switch (ensureSchema(db, url_->display(), &err)) {
        case SchemaCheck::Ready:
            break;
        case SchemaCheck::Refused:
            db.close();
            error_ = err;
            return Shared::Refused;
        case SchemaCheck::Failed:
            dropShared(err);
            return Shared::Away;
    }
    // Once a session, before any row of this session reaches the server: runs
    // this station left running there belong to an earlier session that died.
    if (!sharedMarked_) {
        if (!markInterrupted(db)) {
            dropShared(dbError(db.lastError()));
            return Shared::Away;
        }
        sharedMarked_ = true;
    }
    sharedOpen_ = true;
    error_.clear();
    return Shared::Connected;
}

void RecordStore::dropShared(const QString& reason) {
    {
        QSqlDatabase db = sharedDb();
        db.close();
    }
    sharedOpen_ = false;
    error_ = text(texts::kSharedAway).arg(url_->display(), reason, localPath_);
}

bool RecordStore::flushQueue(QString* error) {
    QSqlDatabase local = localDb();
    Rows rows;
    {
        QSqlQuery q(local);
        if (!q.exec(QStringLiteral("SELECT %1 FROM runs WHERE id IN (SELECT run_id FROM pending_upload)"
                                   " ORDER BY started_at")
                        .arg(runColumnList()))) {
            *error = dbError(q.lastError());
            return false;
        }
        const int columns = static_cast<int>(runColumns().size());
        while (q.next()) {
            QVariantList values;
            for (int i = 0; i < columns; ++i) values << q.value(i);
            rows.push_back(std::move(values));
        }
    }
    if (rows.empty()) return true;
    // Sent as stored, without reading them into runs, so a row this version
    // could not read still reaches the server. Should the local clean-up
    // fail after the server took them, they are sent again later: the same
    // rows, the same result.
    if (!writeRows(sharedDb(), rows, false, error)) return false;
    QVariantList ids;
    for (const QVariantList& values : rows) ids << values.front();
    return dropQueued(local, ids, error);
}

bool RecordStore::toShared(const QVariantList* values, bool force) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool wasOpen = sharedOpen_;
        if (connectShared(force || attempt > 0) != Shared::Connected) return false;
        QString err;
        if (flushQueue(&err) && (!values || writeRows(sharedDb(), {*values}, false, &err))) return true;
        dropShared(err);
        // A connection that had been open may just be stale (the server was
        // restarted): one fresh one is tried. A fresh one failing means away.
        if (!wasOpen) return false;
    }
    return false;
}

bool RecordStore::save(const Run& run) {
    const QVariantList values = runValues(run);
    QString err;
    if (!url_) {
        if (writeRows(localDb(), {values}, false, &err)) return true;
    } else {
        if (toShared(&values, false)) return true;
        if (writeRows(localDb(), {values}, true, &err)) return true;
    }
    error_ = text(texts::kWriteFailed).arg(run.id, err);
    return false;
}

bool RecordStore::saveOpen(const QString& id) {
    const auto it = runs_.find(id);
    if (it == runs_.end()) return false;
    const bool saved = save(it->second.run);
    it->second.saved = saved;
    if (saved && it->second.run.verdict != Verdict::Running) {
        // The last ended run of each port stays at hand: its label may still
        // be scanned. Older ones are done with.
        const QString port = it->second.run.port;
        for (auto other = runs_.begin(); other != runs_.end();) {
            const bool older = other != it && other->second.saved && other->second.run.port == port &&
                               other->second.run.verdict != Verdict::Running;
            other = older ? runs_.erase(other) : std::next(other);
        }
    }
    return saved;
}

bool RecordStore::exists(const QString& id) {
    auto found = [&](QSqlDatabase db) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT 1 FROM runs WHERE id = ?"));
        q.addBindValue(id);
        return q.exec() && q.next();
    };
    if (found(localDb())) return true;
    return sharedOpen_ && found(sharedDb());
}

std::optional<QString> RecordStore::beginRun(const RunStart& start) {
    if (!open_) {
        error_ = text(texts::kNotOpen);
        return std::nullopt;
    }
    QString id = start.id.trimmed();
    if (id.isEmpty()) {
        id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    } else {
        const QUuid uuid = QUuid::fromString(id);
        if (uuid.isNull()) {
            error_ = text(texts::kBadRunId).arg(start.id);
            return std::nullopt;
        }
        id = uuid.toString(QUuid::WithoutBraces);
    }
    if (runs_.count(id) || exists(id)) {
        error_ = text(texts::kRunExists).arg(id);
        return std::nullopt;
    }

    Run run;
    run.id = id;
    run.startedAt = start.startedAt.isValid() ? start.startedAt.toUTC() : QDateTime::currentDateTimeUtc();
    run.station = station_;
    run.port = start.port;
    runs_[id] = OpenRun{run, false};
    // A run no database took is not begun: the unit should not be worked on
    // without its record.
    if (!saveOpen(id)) {
        runs_.erase(id);
        return std::nullopt;
    }
    return id;
}

bool RecordStore::updateRun(const QString& id, const RunUpdate& update) {
    const auto it = runs_.find(id);
    // An ended run takes nothing more but its label, read after the unit was done.
    const bool labelOnly = update.qr && !update.unitId && !update.firmwareBefore && !update.firmwareAfter &&
                           !update.configJson && !update.imageCheck && !update.verify;
    if (!open_ || it == runs_.end() || (it->second.run.verdict != Verdict::Running && !labelOnly)) {
        error_ = open_ ? text(texts::kUnknownRun).arg(id) : text(texts::kNotOpen);
        return false;
    }
    if (update.configJson) {
        QJsonParseError parse;
        QJsonDocument::fromJson(update.configJson->toUtf8(), &parse);
        if (parse.error != QJsonParseError::NoError) {
            error_ = text(texts::kBadJson).arg(parse.errorString()).arg(parse.offset);
            return false;
        }
    }

    Run& run = it->second.run;
    if (update.unitId) run.unitId = unitIdText(*update.unitId);
    if (update.firmwareBefore) {
        run.firmwareBefore = versionText(*update.firmwareBefore);
        run.unitType = update.firmwareBefore->a;
    }
    if (update.firmwareAfter) {
        run.firmwareAfter = versionText(*update.firmwareAfter);
        if (!run.unitType) run.unitType = update.firmwareAfter->a;
    }
    if (update.configJson) run.configJson = *update.configJson;
    if (update.imageCheck) run.imageCheck = update.imageCheck;
    if (update.verify) run.verify = *update.verify;
    if (update.qr) run.qr = update.qr;
    return saveOpen(id);
}

bool RecordStore::endRun(const QString& id, const RunEnd& end) {
    const auto it = runs_.find(id);
    if (!open_ || it == runs_.end() || it->second.run.verdict != Verdict::Running) {
        error_ = open_ ? text(texts::kUnknownRun).arg(id) : text(texts::kNotOpen);
        return false;
    }
    if (end.verdict == Verdict::Running) {
        error_ = text(texts::kRunningEnd);
        return false;
    }
    Run& run = it->second.run;
    run.verdict = end.verdict;
    run.failureReason = end.failureReason;
    run.endedAt = end.endedAt.isValid() ? end.endedAt.toUTC() : QDateTime::currentDateTimeUtc();
    return saveOpen(id);
}

bool RecordStore::retry() {
    if (!open_) return false;
    bool ok = !url_ || toShared(nullptr, true);
    std::vector<QString> unsaved;
    for (const auto& [id, open] : runs_)
        if (!open.saved) unsaved.push_back(id);
    for (const QString& id : unsaved) ok = saveOpen(id) && ok;
    return ok && (!url_ || pendingUploads() == 0);
}

std::optional<std::vector<Run>> RecordStore::list(const QDateTime& since, const RunFilter& filter) {
    if (!open_) {
        error_ = text(texts::kNotOpen);
        return std::nullopt;
    }
    QSqlDatabase db = localDb();
    if (url_) {
        if (!toShared(nullptr, true)) {
            error_ = text(texts::kListAway).arg(url_->display()).arg(pendingUploads());
            return std::nullopt;
        }
        db = sharedDb();
    }

    QString sql = QStringLiteral("SELECT %1 FROM runs WHERE 1 = 1").arg(runColumnList());
    QVariantList binds;
    if (since.isValid()) {
        sql += QStringLiteral(" AND started_at >= ?");
        binds << timestampText(since);
    }
    if (!filter.station.isEmpty()) {
        sql += QStringLiteral(" AND station = ?");
        binds << filter.station;
    }
    if (!filter.unitId.isEmpty()) {
        sql += QStringLiteral(" AND unit_id = ?");
        binds << filter.unitId;
    }
    if (filter.verdict) {
        sql += QStringLiteral(" AND verdict = ?");
        binds << verdictText(*filter.verdict);
    }
    sql += QStringLiteral(" ORDER BY started_at, id");

    std::vector<Run> runs;
    QSqlQuery q(db);
    q.prepare(sql);
    for (const QVariant& value : binds) q.addBindValue(value);
    if (!q.exec()) {
        const QString err = dbError(q.lastError());
        if (url_) dropShared(err);
        error_ = text(texts::kReadFailed).arg(description(), err);
        return std::nullopt;
    }
    const int columns = static_cast<int>(runColumns().size());
    while (q.next()) {
        QVariantList values;
        for (int i = 0; i < columns; ++i) values << q.value(i);
        auto run = runFromValues(values);
        if (!run) {
            error_ = text(texts::kBadRow).arg(description(), values.front().toString());
            return std::nullopt;
        }
        runs.push_back(std::move(*run));
    }
    return runs;
}

}  // namespace vek::records
