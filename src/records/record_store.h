#pragma once
// Where the station writes its runs, one row per run, so that no run is lost.
//
// Without an address the records live in a local SQLite file. With a
// postgresql:// address the local file is an outbox: every row is committed
// there first, marked for that server (and only that one), and the server is
// fed from the outbox in order, by insert-or-replace on the run id; a row
// leaves the outbox only once the server confirmed it. A row sent twice is
// one row, and a run begun on the server and ended in the outbox arrives
// complete.
//
// Several processes may share one local file (one data folder). Each
// station instance holds a lock of its own (a lock file with its process id
// and name beside the local file, and a session advisory lock on the
// server). A data folder owns its runs and no other: a station opening it
// takes over the lock files of its dead instances, sends what they had
// queued as they left it, and marks interrupted only their runs still
// `running` that nothing queued, in the local file and then on the server;
// their lock files go once both are settled. A run of another data folder is
// never written here, whatever state it was left in. A reader (a listing)
// takes no lock, writes nothing and sends nothing. Rows in the outbox are
// claimed by one sender at a time; a dead sender's claim passes to the next.
//
// Every call blocks for as long as its database takes, bounded by the busy
// time-out (SQLite) and the connect, statement and lock time-outs
// (PostgreSQL): the station drives it from worker threads (RecordsLink), never
// from the units' event loop.

#include <QElapsedTimer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <map>
#include <optional>
#include <vector>

#include "lock/instance_lock.h"
#include "records/database_url.h"
#include "records/run.h"

class QSqlDatabase;

namespace vek::records {

// How a station instance shows it is alive: a lock file beside the local
// records, held while it runs (lock/instance_lock.h), and on the server a session
// advisory lock (kInstanceLockSpace, instanceLockKey()). Stable across
// processes, so a reader can ask without taking anything.
inline constexpr int kInstanceLockSpace = 4207719;
int instanceLockKey(const QString& instance);
QString instanceLockFile(const QString& localPath, const QString& instance);

// What an open store may do.
enum class Access {
    Station,  // takes its instance lock, marks dead runs, writes and sends to the server as it goes
    Writer,   // the same, but never contacts the server: the outbox only (a sender feeds the server)
    Sender,   // feeds the server from the outbox for an instance whose writer holds the lock
    Reader,   // lists: no lock, marks nothing
};

struct StoreOptions {
    QString url{};        // empty: the local file only
    QString localPath{};  // empty: records.sqlite in the application's data folder
    QString station{};    // empty: this machine's host name
    int retryGapMs = 3000;
    Access access = Access::Station;
    QString instance{};  // empty: a new one (host, process id, a random part)
    // How long a statement waits for a local file locked by another process.
    int busyTimeoutMs = 2000;
    // Server-side bounds of every statement and of every lock wait.
    int statementTimeoutMs = 5000;
    int lockTimeoutMs = 3000;
    // Sender: dead instances of this data folder that its writer took over;
    // their runs left `running` on the server are marked interrupted at the
    // first connection (unless the outbox holds their state).
    QStringList settle{};
};

struct ListMarks {
    QSet<QString> queued;
    QSet<QString> withoutNews;
};

class RecordStore {
public:
    using Options = StoreOptions;

    explicit RecordStore(Options options = {});
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Opens the local file (creating its folder) and, with an address, the
    // shared server; creates or migrates the schema; settles this data
    // folder's dead instances (their runs left running by a crash are marked
    // interrupted unless the outbox holds their state); sends what was
    // queued. A Reader only opens: the local file read-only and only if it is
    // there, the server without making or migrating anything. A server that
    // cannot be reached is not a failure: runs queue locally. False, with
    // errorString(), for a bad address, a schema newer than this tool's or not
    // ours (nothing written), or a local file that cannot be opened.
    bool open();
    bool isOpen() const { return open_; }

    // The last problem met, or empty; never contains a password.
    QString errorString() const { return error_; }
    // Where runs go: the shared address without password, or the local file.
    QString description() const;
    QString localPath() const { return localPath_; }
    QString station() const { return station_; }
    bool usesShared() const { return url_.has_value(); }
    bool sharedConnected() const { return sharedOpen_; }
    // Runs waiting in the local file for the shared server; -1 if unreadable.
    int pendingUploads() const;
    // Rows waiting in the outbox of `localPath` for `target` (and those of
    // older versions, which named no server), read without opening a store
    // and without writing; -1 when the file cannot be read.
    static int queuedIn(const QString& localPath, const QString& target);
    // Every server the outbox of `localPath` holds rows for, with how many;
    // a row of an older version names none (an empty target).
    static std::optional<std::vector<std::pair<QString, int>>> queuedTargets(const QString& localPath);
    // records.sqlite in the application's data folder.
    static QString defaultLocalPath();
    // Runs of dead station instances found running (in the local file at
    // open, on the server at the first connection) and marked interrupted
    // by this one, sorted.
    QStringList interruptedRuns() const;
    QString instance() const { return instance_; }
    // Dead instances of this data folder whose lock this store took over
    // (Station, Writer) and whose runs are not yet settled on the server.
    QStringList adoptedInstances() const;
    // Whether this store's first connection settled the dead instances'
    // runs on the server.
    bool settledOnServer() const { return sharedMarked_; }
    // Their runs are settled on the server too: the lock files go.
    void settleAdopted();
    // The database the outbox feeds, as its rows name it; empty without one.
    QString target() const;

    // Writes the whole run (the station keeps the run itself), durably: in
    // the local file, or with a server in the outbox. False, with
    // errorString(), when it could not be stored; nothing is kept then.
    bool put(const Run& run);
    // Sends what the outbox holds for this store's server (Station, Sender;
    // a Reader never sends). True when the server took all of it.
    bool send();

    // Records the start of a run; its id (made here when not given), or
    // nothing when the id is not a UUID or already exists, or neither database
    // took the row (the run should not go ahead then).
    std::optional<QString> beginRun(const RunStart& start);
    // Writes the fields set in `update`. False when the run is unknown or
    // ended (the QR label alone may still be given to the last ended run of
    // its port), the configuration is not JSON (nothing applied), or no database
    // took the row: then it stays in memory and the next write or retry()
    // writes it.
    bool updateRun(const QString& id, const RunUpdate& update);
    bool endRun(const QString& id, const RunEnd& end);

    // Called by the station every few seconds: reconnects, sends the queue,
    // writes rows no database took. True when nothing is left waiting.
    bool retry();

    // Runs started at or after `since` (all with an invalid time), oldest
    // first. With a shared server, the server's runs and those queued in the
    // local outbox (its copy wins); a station's store sends its queue
    // first, a reader never does. Nothing (errorString()) while the server
    // cannot be reached.
    // With `marks`, which runs are shown from this machine's outbox (not on
    // the server yet, or newer here than there), and which are `running` on
    // the server for an instance that holds no lock there: without news
    // until their own host sends them (never written here).
    std::optional<std::vector<Run>> list(const QDateTime& since, const RunFilter& filter = {},
                                         ListMarks* marks = nullptr);

private:
    enum class Shared { Connected, Away, Refused };

    struct OpenRun {
        Run run;
        bool saved = false;
    };

    QSqlDatabase localDb() const;
    QSqlDatabase sharedDb() const;

    // The local file: folder, schema, queue table, interrupted runs.
    bool openLocal(QString* error);
    Shared connectShared(bool force);
    void dropShared(const QString& reason);
    // Sends the queue, then `values` if given, to the server.
    bool toShared(const QVariantList* values, bool force);
    bool flushQueue(QString* error);
    bool save(const Run& run);
    // Saves the in-memory run `id`; forgets it once an ended run is saved.
    bool saveOpen(const QString& id);
    // Marks this station's running runs in `db` interrupted and notes their
    // ids; false if the database failed.
    bool markInterrupted(QSqlDatabase db, bool local);
    bool exists(const QString& id);
    bool takeInstanceLock(QString* error);
    bool instanceAlive(const QString& instance) const;
    void adoptDeadInstances();
    bool claimQueue(QString* error);

    Options options_;
    QString station_;
    QString localPath_;
    std::optional<DatabaseUrl> url_;
    QString localName_;
    QString sharedName_;
    bool open_ = false;
    bool sharedOpen_ = false;
    bool sharedEmpty_ = false;  // a reader's server with no records made on it when it connected
    bool sharedMarked_ = false;
    bool hasOutbox_ = false;
    bool hasLocalRuns_ = false;
    QElapsedTimer lastAttempt_;
    QString error_;
    QSet<QString> interrupted_;
    QString instance_;
    lock::InstanceLock ownLock_;
    std::map<QString, lock::InstanceLock> adopted_;
    std::map<QString, OpenRun> runs_;
};

}  // namespace vek::records
