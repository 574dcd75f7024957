#include "records/record_store.h"

#include <QCryptographicHash>
#include <QHash>
#include <QDir>
#include <atomic>
#include <iterator>
#include <QFile>
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
#include "text/language.h"

#include "lock/instance_lock.h"
#include "words/failure.h"

namespace vek::records {

int instanceLockKey(const QString& instance) {
    const QByteArray digest = QCryptographicHash::hash(instance.toUtf8(), QCryptographicHash::Sha1);
    return static_cast<int>((static_cast<unsigned char>(digest[0]) << 24) |
                            (static_cast<unsigned char>(digest[1]) << 16) |
                            (static_cast<unsigned char>(digest[2]) << 8) | static_cast<unsigned char>(digest[3]));
}

QString instanceLockFile(const QString& localPath, const QString& instance) {
    QString name = instance;
    name.replace(u'/', u'_');
    return localPath + QStringLiteral(".instances/") + name + QStringLiteral(".lock");
}

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

// Whole rows in one transaction; with a `target` each also takes its place in
// that server's outbox (a newer copy raises its sequence number), so a queued
// row is never without its mark nor a mark without its row.
bool writeRows(QSqlDatabase db, const Rows& rows, const QString* target, QString* error) {
    QSqlQuery row(db);
    QSqlQuery mark(db);
    if (!row.prepare(upsertSql())) {
        *error = dbError(row.lastError());
        return false;
    }
    if (target && !mark.prepare(QStringLiteral("INSERT INTO outbox (run_id, target, seq) VALUES (?, ?, 1)"
                                               " ON CONFLICT (run_id, target) DO UPDATE SET seq = outbox.seq + 1"))) {
        *error = dbError(mark.lastError());
        return false;
    }
    return inTransaction(
        db, rows,
        [&](const QVariantList& values) {
            return execWith(row, values, error) && (!target || execWith(mark, {values.front(), *target}, error));
        },
        error);
}

struct Queued {
    QVariant id;
    QVariant seq;
};

// Forgets queued runs once the server has them: only the copy that was sent,
// and only by the sender that claimed it; a copy written since stays queued.
bool dropQueued(QSqlDatabase db, const std::vector<Queued>& sent, const QString& target, const QString& sender,
                QString* error) {
    QSqlQuery mark(db);
    QSqlQuery row(db);
    mark.prepare(QStringLiteral("DELETE FROM outbox WHERE run_id = ? AND target = ? AND seq = ? AND claimed_by = ?"));
    row.prepare(QStringLiteral("DELETE FROM runs WHERE id = ? AND NOT EXISTS (SELECT 1 FROM outbox WHERE run_id = ?)"));
    return inTransaction(
        db, sent,
        [&](const Queued& q) {
            return execWith(mark, {q.id, target, q.seq, sender}, error) && execWith(row, {q.id, q.id}, error);
        },
        error);
}

int instanceKey(const QString& instance) { return instanceLockKey(instance); }
QString lockFolder(const QString& localPath) { return localPath + QStringLiteral(".instances"); }
QString lockFile(const QString& localPath, const QString& instance) { return instanceLockFile(localPath, instance); }

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
    instance_ = options_.instance;
    if (instance_.isEmpty())
        instance_ = QStringLiteral("%1-%2-%3")
                        .arg(station_)
                        .arg(lock::processId())
                        .arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    localPath_ = options_.localPath;
    if (localPath_.isEmpty()) {
        localPath_ = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        localPath_ += QStringLiteral("/records.sqlite");
    }
}

RecordStore::~RecordStore() {
    // A row no database took yet gets a last chance rather than vanishing
    // with the memory that holds it.
    bool allSaved = true;
    if (open_) {
        for (auto& [id, open] : runs_)
            if (!open.saved) allSaved = save(open.run) && allSaved;
    }
    closeConnection(sharedName_);
    closeConnection(localName_);
    // Dead instances not yet settled on the server stay for the next station,
    // and so does this one if a row of its own never reached a database: the
    // next station settles its runs as those of a dead instance.
    adopted_.clear();
    ownLock_.release(allSaved);
}

QString RecordStore::target() const { return url_ ? url_->display() : QString(); }

bool RecordStore::takeInstanceLock(QString* error) {
    const QString folder = lockFolder(localPath_);
    const QString path = lockFile(localPath_, instance_);
    if (!QDir().mkpath(folder)) {
        *error = text(texts::kLockFailed).arg(path, text(texts::kFolderNotWritable));
        return false;
    }
    std::string why;
    if (!ownLock_.take(QFile::encodeName(path).toStdString(), &why)) {
        *error = text(texts::kLockFailed).arg(path, QString::fromLocal8Bit(why.c_str()));
        return false;
    }
    // The process for people looking at the folder, the instance for the
    // station that takes over what this one leaves.
    ownLock_.write(QByteArray::number(lock::processId()).toStdString() + '\n' + instance_.toStdString() + '\n');
    return true;
}

// The instances of this data folder that are gone: their lock files lie in
// the folder and nobody holds them. This station takes each one's lock, so
// no other station settles the same instance at the same time, and keeps it
// until its runs are settled on the server too.
void RecordStore::adoptDeadInstances() {
    const QDir folder(lockFolder(localPath_));
    const QStringList files = folder.entryList({QStringLiteral("*.lock")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        const QString path = folder.filePath(name);
        if (path == lockFile(localPath_, instance_)) continue;
        lock::InstanceLock taken;
        std::string ignored;
        if (!taken.take(QFile::encodeName(path).toStdString(), &ignored)) continue;
        QString instance = name.chopped(5);
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> lines = file.read(4096).split('\n');
            if (lines.size() > 1 && !lines[1].trimmed().isEmpty()) instance = QString::fromUtf8(lines[1].trimmed());
        }
        if (instance == instance_) continue;
        adopted_.emplace(instance, std::move(taken));
    }
}

QStringList RecordStore::adoptedInstances() const {
    QStringList out;
    for (const auto& [instance, held] : adopted_) out << instance;
    return out;
}

void RecordStore::settleAdopted() {
    for (auto& [instance, held] : adopted_) held.release(true);
    adopted_.clear();
}

// Alive while its lock file is held (by it, or by the station settling it).
// The file of an instance that is gone is left for its own data folder's
// next station to settle: only a probe, nothing taken, nothing removed.
bool RecordStore::instanceAlive(const QString& instance) const {
    if (instance == instance_) return true;
    return lock::probe(QFile::encodeName(lockFile(localPath_, instance)).toStdString()) == lock::Probe::Held &&
           !adopted_.count(instance);
}

QSqlDatabase RecordStore::localDb() const { return QSqlDatabase::database(localName_, false); }
QSqlDatabase RecordStore::sharedDb() const { return QSqlDatabase::database(sharedName_, false); }

QString RecordStore::description() const { return url_ ? url_->display() : localPath_; }

bool RecordStore::openLocal(QString* error) {
    if (options_.access == Access::Reader) {
        // A reader changes nothing: no folder, no file, no schema step, no
        // outbox made; a missing file holds nothing queued.
        if (!QFileInfo::exists(localPath_)) return true;
        QSqlDatabase local = QSqlDatabase::addDatabase(kSqlite, localName_);
        local.setDatabaseName(localPath_);
        local.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(options_.busyTimeoutMs));
        if (!local.open()) {
            *error = text(texts::kOpenFailed).arg(localPath_, dbError(local.lastError()));
            return false;
        }
        const QStringList tables = local.tables();
        hasOutbox_ = tables.contains(QStringLiteral("outbox"));
        hasLocalRuns_ = tables.contains(QStringLiteral("runs"));
        return true;
    }
    hasLocalRuns_ = true;
    hasOutbox_ = true;
    const QString folder = QFileInfo(localPath_).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = text(texts::kLocalFolder).arg(folder);
        return false;
    }
    QSqlDatabase local = QSqlDatabase::addDatabase(kSqlite, localName_);
    local.setDatabaseName(localPath_);
    // Another process writing the file holds it briefly; a statement waits
    // this long for it, then fails rather than hold up the worker.
    local.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options_.busyTimeoutMs));
    if (!local.open()) {
        *error = text(texts::kOpenFailed).arg(localPath_, dbError(local.lastError()));
        return false;
    }
    if (ensureSchema(local, localPath_, error) != SchemaCheck::Ready) return false;
    // The outbox: which run goes to which server, which copy (seq), and which
    // sender has taken it. Rows queued by an older version named no server:
    // they go to the first one this file is opened with, as they always did.
    QSqlQuery queue(local);
    const bool legacy = local.tables().contains(QStringLiteral("pending_upload"));
    if (!queue.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS outbox (run_id TEXT NOT NULL, target TEXT NOT NULL,"
                                   " seq INTEGER NOT NULL, claimed_by TEXT, PRIMARY KEY (run_id, target))")) ||
        (legacy && !(queue.exec(QStringLiteral("INSERT INTO outbox (run_id, target, seq) SELECT run_id, '', 1"
                                               " FROM pending_upload ON CONFLICT DO NOTHING")) &&
                     queue.exec(QStringLiteral("DROP TABLE pending_upload"))))) {
        *error = text(texts::kOpenFailed).arg(localPath_, dbError(queue.lastError()));
        return false;
    }
    const Access access = options_.access;
    if (access != Access::Station && access != Access::Writer) return true;
    if (!takeInstanceLock(error)) return false;
    adoptDeadInstances();
    if (!adopted_.empty()) {
        // What a dead sender had claimed is this station's to send now.
        QSqlQuery unclaim(local);
        QStringList marks;
        for (int i = 0; i < static_cast<int>(adopted_.size()); ++i) marks << QStringLiteral("?");
        unclaim.prepare(QStringLiteral("UPDATE outbox SET claimed_by = NULL WHERE claimed_by IN (%1)")
                            .arg(marks.join(u',')));
        for (const QString& instance : adoptedInstances()) unclaim.addBindValue(instance);
        if (!unclaim.exec()) {
            *error = text(texts::kOpenFailed).arg(localPath_, dbError(unclaim.lastError()));
            return false;
        }
    }
    if (!markInterrupted(local, true)) {
        *error = text(texts::kOpenFailed).arg(localPath_, dbError(local.lastError()));
        return false;
    }
    // Without a server the local file is the whole story: settled.
    if (!url_) settleAdopted();
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

    if (url_ && options_.access != Access::Writer) {
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
        // A reader sends nothing: what is queued here is its station's to send.
        if (state == Shared::Connected && options_.access != Access::Reader) toShared(nullptr, false);
    }
    open_ = true;
    return true;
}

namespace {

// A read-only look at a local file's outbox, on a connection of its own.
template <typename Each>
bool readOutbox(const QString& localPath, const QString& sql, const QVariantList& binds, Each each) {
    if (!QFileInfo::exists(localPath)) return true;
    static std::atomic<int> looks{0};
    const QString name = QStringLiteral("vek-records-outbox-%1").arg(++looks);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(kSqlite, name);
        db.setDatabaseName(localPath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
        if (db.open()) {
            if (!db.tables().contains(QStringLiteral("outbox"))) {
                ok = true;
            } else {
                QSqlQuery q(db);
                q.prepare(sql);
                for (const QVariant& value : binds) q.addBindValue(value);
                ok = q.exec();
                while (ok && q.next()) each(q);
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

}  // namespace

int RecordStore::queuedIn(const QString& localPath, const QString& target) {
    int count = 0;
    const bool ok = readOutbox(localPath, QStringLiteral("SELECT COUNT(*) FROM outbox WHERE target IN (?, '')"),
                               {target}, [&](const QSqlQuery& q) { count = q.value(0).toInt(); });
    return ok ? count : -1;
}

std::optional<std::vector<std::pair<QString, int>>> RecordStore::queuedTargets(const QString& localPath) {
    std::vector<std::pair<QString, int>> out;
    const bool ok = readOutbox(localPath, QStringLiteral("SELECT target, COUNT(*) FROM outbox GROUP BY target ORDER BY target"),
                               {}, [&](const QSqlQuery& q) { out.emplace_back(q.value(0).toString(), q.value(1).toInt()); });
    if (!ok) return std::nullopt;
    return out;
}

QString RecordStore::defaultLocalPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/records.sqlite");
}

int RecordStore::pendingUploads() const {
    if (!open_ || !url_ || !hasOutbox_) return 0;
    QSqlQuery q(localDb());
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM outbox WHERE target IN (?, '')"));
    q.addBindValue(target());
    if (!q.exec() || !q.next()) return -1;
    return q.value(0).toInt();
}

QStringList RecordStore::interruptedRuns() const {
    QStringList ids(interrupted_.begin(), interrupted_.end());
    ids.sort();
    return ids;
}

bool RecordStore::markInterrupted(QSqlDatabase db, bool local) {
    // Only this data folder's own runs: in the local file every run is, on
    // the server only those of the instances this station settles (and rows
    // from before instances were recorded that name this station). A run
    // whose last state waits in the outbox is left to it: that state goes
    // to the server as it is, interrupted or not.
    QStringList mine;
    if (!local) {
        mine = options_.settle;
        mine << adoptedInstances();
    }
    QSet<QString> queued;
    if (!local) {
        QSqlQuery q(localDb());
        if (!q.exec(QStringLiteral("SELECT run_id FROM outbox"))) return false;
        while (q.next()) queued.insert(q.value(0).toString());
    }
    QStringList ids;
    {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT id, instance, station FROM runs WHERE verdict = ?"));
        q.addBindValue(verdictText(Verdict::Running));
        if (!q.exec()) return false;
        while (q.next()) {
            const QString id = q.value(0).toString();
            const QString instance = q.value(1).toString();
            bool dead = false;
            if (instance.isEmpty())
                dead = q.value(2).toString() == station_;
            else if (local)
                dead = !instanceAlive(instance);
            else
                dead = mine.contains(instance) && !queued.contains(id);
            if (dead) ids << id;
        }
    }
    if (ids.isEmpty()) return true;
    if (!db.transaction()) return false;
    bool ok = true;
    {
        QSqlQuery mark(db);
        mark.prepare(QStringLiteral("UPDATE runs SET verdict = ?, failure_reason = COALESCE(failure_reason, ?),"
                                    " failure_kind = COALESCE(failure_kind, ?), failure_values = COALESCE(failure_values, ?)"
                                    " WHERE id = ? AND verdict = ?"));
        // A queued copy marked here must reach its server marked too.
        QSqlQuery requeue(db);
        if (local) requeue.prepare(QStringLiteral("UPDATE outbox SET seq = seq + 1 WHERE run_id = ?"));
        for (const QString& id : std::as_const(ids)) {
            mark.bindValue(0, verdictText(Verdict::Interrupted));
            mark.bindValue(1, text(texts::kInterrupted));
            mark.bindValue(2, QStringLiteral("interrupted"));
            mark.bindValue(3, words::valuesJson({{QLatin1String(words::key::kBy), QLatin1String(words::kByStationGone)}}));
            mark.bindValue(4, id);
            mark.bindValue(5, verdictText(Verdict::Running));
            ok = ok && mark.exec();
            if (local) {
                requeue.bindValue(0, id);
                ok = ok && requeue.exec();
            }
        }
    }
    if (ok && db.commit()) {
        for (const QString& id : std::as_const(ids)) interrupted_.insert(id);
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
    {
        // Bounds on the server's side: a statement or a lock wait that takes
        // longer fails, and the rows stay in the outbox.
        QSqlQuery bound(db);
        if (!bound.exec(QStringLiteral("SET statement_timeout = %1").arg(options_.statementTimeoutMs)) ||
            !bound.exec(QStringLiteral("SET lock_timeout = %1").arg(options_.lockTimeoutMs))) {
            dropShared(dbError(bound.lastError()));
            return Shared::Away;
        }
    }
    if (options_.access == Access::Reader) {
        // Looked at, never made or migrated: this session cannot write.
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SET default_transaction_read_only = on"))) {
            dropShared(dbError(q.lastError()));
            return Shared::Away;
        }
        // One question, so a server that fails it is away, not refused.
        if (!q.exec(QStringLiteral("SELECT to_regclass('runs') IS NOT NULL, to_regclass('schema_version') IS NOT NULL")) ||
            !q.next()) {
            dropShared(dbError(q.lastError()));
            return Shared::Away;
        }
        const bool hasRuns = q.value(0).toBool();
        const bool hasVersion = q.value(1).toBool();
        int version = 0;
        if (hasVersion) {
            if (!q.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !q.next()) {
                dropShared(dbError(q.lastError()));
                return Shared::Away;
            }
            version = q.value(0).toInt();
        }
        // A server no station has written to yet holds no records: nothing to
        // show from it, and no reason to call it something else's.
        sharedEmpty_ = !hasRuns && !hasVersion;
        if (!sharedEmpty_ && (!hasRuns || version <= 0)) {
            db.close();
            error_ = vek::translated(texts::kNoSchemaVersion).arg(url_->display());
            return Shared::Refused;
        }
        if (version > kSchemaVersion) {
            db.close();
            error_ = vek::translated(texts::kNewerSchema).arg(url_->display()).arg(version).arg(kSchemaVersion);
            return Shared::Refused;
        }
        sharedOpen_ = true;
        error_.clear();
        return Shared::Connected;
    }
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
    if (options_.access != Access::Reader) {
        // This instance's lock lives as long as the session: another station
        // finding it held knows this one's runs are alive.
        QSqlQuery lock(db);
        lock.prepare(QStringLiteral("SELECT pg_try_advisory_lock(?, ?)"));
        lock.addBindValue(kInstanceLockSpace);
        lock.addBindValue(instanceKey(instance_));
        if (!lock.exec()) {
            dropShared(dbError(lock.lastError()));
            return Shared::Away;
        }
        // Once, before this instance's rows reach the server: runs whose
        // instance holds no lock belong to a station that died.
        if (!sharedMarked_) {
            if (!markInterrupted(db, false)) {
                dropShared(dbError(db.lastError()));
                return Shared::Away;
            }
            sharedMarked_ = true;
            // Settled everywhere: their lock files can go.
            settleAdopted();
        }
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

bool RecordStore::claimQueue(QString* error) {
    QSqlDatabase local = localDb();
    QStringList dead;
    {
        QSqlQuery q(local);
        q.prepare(QStringLiteral("SELECT DISTINCT claimed_by FROM outbox WHERE target IN (?, '')"
                                 " AND claimed_by IS NOT NULL AND claimed_by <> ?"));
        q.addBindValue(target());
        q.addBindValue(instance_);
        if (!q.exec()) {
            *error = dbError(q.lastError());
            return false;
        }
        while (q.next())
            if (!instanceAlive(q.value(0).toString())) dead << q.value(0).toString();
    }
    QSqlQuery claim(local);
    QString sql = QStringLiteral("UPDATE outbox SET claimed_by = ? WHERE target IN (?, '') AND (claimed_by IS NULL");
    for (int i = 0; i < dead.size(); ++i) sql += QStringLiteral(" OR claimed_by = ?");
    claim.prepare(sql + u')');
    claim.addBindValue(instance_);
    claim.addBindValue(target());
    for (const QString& d : std::as_const(dead)) claim.addBindValue(d);
    if (!claim.exec()) {
        *error = dbError(claim.lastError());
        return false;
    }
    // A legacy row is this server's from now on.
    QSqlQuery adopt(local);
    adopt.prepare(QStringLiteral("UPDATE outbox SET target = ? WHERE target = '' AND claimed_by = ?"
                                 " AND NOT EXISTS (SELECT 1 FROM outbox o WHERE o.run_id = outbox.run_id"
                                 " AND o.target = ?)"));
    adopt.addBindValue(target());
    adopt.addBindValue(instance_);
    adopt.addBindValue(target());
    adopt.exec();
    return true;
}

bool RecordStore::flushQueue(QString* error) {
    if (!claimQueue(error)) return false;
    QSqlDatabase local = localDb();
    Rows rows;
    std::vector<Queued> sent;
    {
        QSqlQuery q(local);
        q.prepare(QStringLiteral("SELECT %1, o.seq FROM runs r JOIN outbox o ON o.run_id = r.id"
                                 " WHERE o.target = ? AND o.claimed_by = ? ORDER BY r.started_at, r.id")
                      .arg(QStringLiteral("r.") + runColumns().join(QStringLiteral(", r."))));
        q.addBindValue(target());
        q.addBindValue(instance_);
        if (!q.exec()) {
            *error = dbError(q.lastError());
            return false;
        }
        const int columns = static_cast<int>(runColumns().size());
        while (q.next()) {
            QVariantList values;
            for (int i = 0; i < columns; ++i) values << q.value(i);
            sent.push_back({values.front(), q.value(columns)});
            rows.push_back(std::move(values));
        }
    }
    if (rows.empty()) return true;
    // Sent as stored, without reading them into runs, so a row this version
    // could not read still reaches the server. Should the local clean-up
    // fail after the server took them, they are sent again later: the same
    // rows, the same result.
    if (!writeRows(sharedDb(), rows, nullptr, error)) return false;
    return dropQueued(local, sent, target(), instance_, error);
}

bool RecordStore::toShared(const QVariantList* values, bool force) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool wasOpen = sharedOpen_;
        if (connectShared(force || attempt > 0) != Shared::Connected) return false;
        QString err;
        if (flushQueue(&err) && (!values || writeRows(sharedDb(), {*values}, nullptr, &err))) return true;
        dropShared(err);
        // A connection that had been open may just be stale (the server was
        // restarted): one fresh one is tried. A fresh one failing means away.
        if (!wasOpen) return false;
    }
    return false;
}

bool RecordStore::save(const Run& run) {
    Run stamped = run;
    if (stamped.instance.isEmpty()) stamped.instance = instance_;
    const QVariantList values = runValues(stamped);
    QString err;
    const QString to = target();
    // The outbox first: the row is durable once the local commit returns,
    // whatever the server does next.
    if (!writeRows(localDb(), {values}, url_ ? &to : nullptr, &err)) {
        error_ = text(texts::kWriteFailed).arg(run.id, err);
        return false;
    }
    if (url_ && options_.access == Access::Station) toShared(nullptr, false);
    return true;
}

bool RecordStore::put(const Run& run) {
    if (!open_) {
        error_ = text(texts::kNotOpen);
        return false;
    }
    if (QUuid::fromString(run.id).isNull()) {
        error_ = text(texts::kBadRunId).arg(run.id);
        return false;
    }
    return save(run);
}

bool RecordStore::send() {
    if (!open_ || !url_ || options_.access == Access::Writer || options_.access == Access::Reader) return false;
    return toShared(nullptr, true);
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
    return sharedOpen_ && !sharedEmpty_ && found(sharedDb());
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
    run.instance = instance_;
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
    run.failureKind = end.failureKind;
    run.failureValues = end.failureValues;
    run.endedAt = end.endedAt.isValid() ? end.endedAt.toUTC() : QDateTime::currentDateTimeUtc();
    return saveOpen(id);
}

bool RecordStore::retry() {
    if (!open_) return false;
    bool ok = !url_ || options_.access == Access::Writer || options_.access == Access::Reader || toShared(nullptr, true);
    std::vector<QString> unsaved;
    for (const auto& [id, open] : runs_)
        if (!open.saved) unsaved.push_back(id);
    for (const QString& id : unsaved) ok = saveOpen(id) && ok;
    return ok && (!url_ || pendingUploads() == 0);
}

std::optional<std::vector<Run>> RecordStore::list(const QDateTime& since, const RunFilter& filter,
                                                   ListMarks* marks) {
    if (!open_) {
        error_ = text(texts::kNotOpen);
        return std::nullopt;
    }
    if (marks) *marks = {};
    QSet<QString>* queued = marks ? &marks->queued : nullptr;
    const bool fromServer = url_ && options_.access != Access::Writer;
    if (fromServer) {
        // A station's own store hands its queue over first; a reader only
        // reads, and shows what is queued here beside what the server has.
        const bool reached = options_.access == Access::Reader ? connectShared(true) == Shared::Connected
                                                               : toShared(nullptr, true);
        if (!reached) {
            error_ = text(texts::kListAway).arg(url_->display()).arg(pendingUploads());
            return std::nullopt;
        }
    }

    QString where;
    QVariantList binds;
    if (since.isValid()) {
        where += QStringLiteral(" AND started_at >= ?");
        binds << timestampText(since);
    }
    if (!filter.station.isEmpty()) {
        where += QStringLiteral(" AND station = ?");
        binds << filter.station;
    }
    if (!filter.unitId.isEmpty()) {
        // The identifier or any part of it, as shown or as the label's digits.
        where += QStringLiteral(" AND REPLACE(UPPER(unit_id), ' ', '') LIKE ?");
        binds << u'%' + filter.unitId.toUpper().remove(u' ') + u'%';
    }
    if (filter.verdict) {
        where += QStringLiteral(" AND verdict = ?");
        binds << verdictText(*filter.verdict);
    }

    std::map<std::pair<QString, QString>, Run> byStart;  // (started_at, id): oldest first
    std::map<QString, QString> startOf;
    auto read = [&](QSqlDatabase db, const QString& extra, const QVariantList& extraBinds, bool fromOutbox) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT %1 FROM runs WHERE 1 = 1%2%3").arg(runColumnList(), extra, where));
        for (const QVariant& value : extraBinds) q.addBindValue(value);
        for (const QVariant& value : binds) q.addBindValue(value);
        if (!q.exec()) {
            const QString err = dbError(q.lastError());
            if (!fromOutbox && url_) dropShared(err);
            error_ = text(texts::kReadFailed).arg(fromOutbox ? localPath_ : description(), err);
            return false;
        }
        const int columns = static_cast<int>(runColumns().size());
        while (q.next()) {
            QVariantList values;
            for (int i = 0; i < columns; ++i) values << q.value(i);
            auto run = runFromValues(values);
            if (!run) {
                error_ = text(texts::kBadRow).arg(fromOutbox ? localPath_ : description(), values.front().toString());
                return false;
            }
            // The outbox's copy is the newer one: it replaces the server's.
            if (const auto known = startOf.find(run->id); known != startOf.end()) {
                byStart.erase({known->second, run->id});
                startOf.erase(known);
            }
            if (fromOutbox && queued) queued->insert(run->id);
            const QString key = timestampText(run->startedAt);
            startOf[run->id] = key;
            byStart[{key, run->id}] = std::move(*run);
        }
        return true;
    };
    if (fromServer && !sharedEmpty_ && !read(sharedDb(), {}, {}, false)) return std::nullopt;
    if (hasLocalRuns_ && QSqlDatabase::contains(localName_)) {
        if (!url_) {
            // The local records: all of them, those waiting for a server marked.
            if (!read(localDb(), hasOutbox_ ? QStringLiteral(" AND id NOT IN (SELECT run_id FROM outbox)") : QString(),
                      {}, false))
                return std::nullopt;
            if (hasOutbox_ &&
                !read(localDb(), QStringLiteral(" AND id IN (SELECT run_id FROM outbox)"), {}, true))
                return std::nullopt;
        } else if (hasOutbox_ &&
                   !read(localDb(), QStringLiteral(" AND id IN (SELECT run_id FROM outbox WHERE target IN (?, ''))"),
                         {target()}, true)) {
            return std::nullopt;
        }
    }
    std::vector<Run> runs;
    runs.reserve(byStart.size());
    for (auto& [key, run] : byStart) runs.push_back(std::move(run));
    if (marks && fromServer) {
        // Asked of pg_locks, so nothing is taken: an instance whose session
        // holds its advisory lock is alive; in doubt, alive.
        QHash<QString, bool> alive;
        for (const Run& run : runs) {
            if (run.verdict != Verdict::Running || run.instance.isEmpty() || marks->queued.contains(run.id)) continue;
            auto known = alive.constFind(run.instance);
            if (known == alive.cend()) {
                QSqlQuery probe(sharedDb());
                probe.prepare(QStringLiteral("SELECT COUNT(*) FROM pg_locks WHERE locktype = 'advisory'"
                                             " AND classid::bigint = ? AND objid::bigint = ? AND objsubid = 2"));
                probe.addBindValue(qint64(kInstanceLockSpace));
                probe.addBindValue(qint64(quint32(instanceKey(run.instance))));
                const bool live = !probe.exec() || !probe.next() || probe.value(0).toInt() > 0;
                known = alive.insert(run.instance, live);
            }
            if (!*known) marks->withoutNews.insert(run.id);
        }
    }
    return runs;
}

}  // namespace vek::records
