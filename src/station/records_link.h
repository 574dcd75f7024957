#pragma once
// The station's way to its records: a RecordStore on a worker thread of its
// own, and with a server a second one that feeds the server from the local
// outbox. The units' event loop only posts rows and hears back; it never
// waits for a database, however long one takes.
//
// A row is acknowledged (saved) once it is durable: in the local file, which
// with a server is the outbox. A row that could not be stored is kept by the
// writer and tried again every second; its saved() comes when it lands.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <memory>

#include "records/record_store.h"
#include "records/run.h"

namespace vek::station {

// Where records go and how it stands, as views show it.
struct RecordsState {
    bool shared = false;       // a PostgreSQL server, fed from the local outbox
    QString where;             // "vek@host:5432/banco" or the local file
    bool open = false;         // the local file (the store or the outbox) is open
    bool connected = false;    // shared: the server took the last send
    QDateTime awaySince;       // shared and not connected: since when (invalid: never tried yet)
    int queued = 0;            // shared: rows in the outbox for the server
    bool storing = true;       // the last row written locally went in
    QString problem;           // why not storing, or why the server is away
};

// "Registros: PostgreSQL vek@host/banco — conectado", "… — sem resposta desde
// 14:02, 12 registros na fila local", "Registros: SQLite (local) …".
QString describe(const RecordsState& state);

class RecordsLink : public QObject {
    Q_OBJECT
public:
    // The sender's last chance at closing: the queue goes to a server that
    // answers within this; past it the sender is left behind and its rows
    // stay in the outbox for the next run or `records sync`.
    static constexpr int kLastSendMs = 5000;
    // The sender tries the server this often, and the writer its unsaved rows.
    static constexpr int kSendMs = 1000;
    static constexpr int kRetryMs = 1000;

    explicit RecordsLink(records::StoreOptions options, QObject* parent = nullptr);
    ~RecordsLink() override;

    // Opens the local file (and starts the sender); opened() says how it went.
    void open();
    // Stores the whole run; saved() answers with its id and `seq`.
    void put(const records::Run& run, quint64 seq);
    // Ends the workers: rows not stored get a last try, then the queue a
    // last send, bounded by kLastSendMs. True when both threads ended.
    bool close();
    // Asks the sender to send the queue now (a button, not a wait).
    void sendNow();
    // With a server, the rows left in the outbox once closed; -1 before
    // closing or when the local file could not be read.
    int queuedAtClose() const { return queuedAtClose_; }

    const RecordsState& state() const { return state_; }
    QString station() const { return station_; }
    QString instance() const { return instance_; }
    // The sender was still stuck in the server when closing gave up on it.
    bool senderLeftBehind() const { return leftBehind_; }

signals:
    void opened(bool ok, const QString& error);
    // Runs of dead stations found running and marked interrupted.
    void interruptedFound(const QStringList& ids);
    void saved(const QString& id, quint64 seq, bool ok, const QString& error);
    void stateChanged();

private:
    struct Writer;
    struct Sender;

    void setState(const std::function<void(RecordsState&)>& change);

    records::StoreOptions options_;
    QString station_;
    QString instance_;
    RecordsState state_;
    QThread writerThread_;
    QThread* senderThread_ = nullptr;
    Writer* writer_ = nullptr;
    Sender* sender_ = nullptr;
    bool closed_ = false;
    bool leftBehind_ = false;
    int queuedAtClose_ = -1;
};

}  // namespace vek::station
