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
// Several processes may share one local file. Each station instance holds a
// lock of its own (a lock file with its process id beside the local file,
// and a session advisory lock on the server): a run still `running` whose
// instance holds no lock belongs to a station that died, and is marked
// interrupted by the next station to open the records. A reader (a listing)
// never marks anything. Rows in the outbox are claimed by one sender at a
// time; a dead sender's claim passes to the next.
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

#include "records/database_url.h"
#include "records/run.h"

class QSqlDatabase;

namespace vek::records {

// How a station instance shows it is alive: a lock file beside the local
// records, held with flock() while it runs, and on the server a session
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
};

class RecordStore {
public:
    using Options = StoreOptions;

    explicit RecordStore(Options options = {});
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Opens the local file (creating its folder) and, with an address, the
    // shared server; creates or migrates the schema; marks this station's runs
    // left running by a crash as interrupted; sends what was queued. A server
    // that cannot be reached is not a failure: runs queue locally. False, with
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
    // Runs of dead station instances found running (in the local file at
    // open, on the server at the first connection) and marked interrupted
    // by this one, sorted.
    QStringList interruptedRuns() const;
    QString instance() const { return instance_; }
    // The database the outbox feeds, as its rows name it; empty without one.
    QString target() const;

    // Writes the whole run (the station keeps the run itself), durably: in
    // the local file, or with a server in the outbox. False, with
    // errorString(), when it could not be stored; nothing is kept then.
    bool put(const Run& run);
    // Sends what the outbox holds for this store's server (Station, Sender,
    // Reader). True when the server took all of it.
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
    // first. With a shared server, the queue is sent first and the server
    // read; nothing (errorString()) while it cannot be reached.
    std::optional<std::vector<Run>> list(const QDateTime& since, const RunFilter& filter = {});

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
    bool claimQueue(QString* error);

    Options options_;
    QString station_;
    QString localPath_;
    std::optional<DatabaseUrl> url_;
    QString localName_;
    QString sharedName_;
    bool open_ = false;
    bool sharedOpen_ = false;
    bool sharedMarked_ = false;
    QElapsedTimer lastAttempt_;
    QString error_;
    QSet<QString> interrupted_;
    QString instance_;
    int lockFd_ = -1;
    std::map<QString, OpenRun> runs_;
};

}  // namespace vek::records
