#pragma once
// Where the station writes its runs, one row per run, so that no run is lost.
//
// Without an address the records live in a local SQLite file. With a
// postgresql:// address they go to the shared server, and the local file is
// the queue for whatever cannot reach it: when the server is away (at open or
// in the middle of a run) whole rows are written locally and marked pending,
// and they are sent on the next write or retry() that finds the server again.
// The run id is the key, and every send is an insert-or-replace of the whole
// row, so a row sent twice is one row, and a run begun on the server and
// ended in the queue arrives complete.
//
// Queued rows are always sent before anything is written to the server
// directly, so an older queued copy of a run never lands after a newer one.
//
// Driven from one thread (the station's event loop). Every write is one
// transaction; the only wait is the connect timeout when the server does not
// answer, and writes do not try to reconnect more often than retryGapMs.

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

struct StoreOptions {
    QString url{};        // empty: the local file only
    QString localPath{};  // empty: records.sqlite in the application's data folder
    QString station{};    // empty: this machine's host name
    int retryGapMs = 3000;
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
    // Runs of this station found running (in the local file at open, on the
    // server at the first connection) and marked interrupted, sorted.
    QStringList interruptedRuns() const;

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
    bool markInterrupted(QSqlDatabase db);
    bool exists(const QString& id);

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
    std::map<QString, OpenRun> runs_;
};

}  // namespace vek::records
