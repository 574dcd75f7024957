#include "station/records_link.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <QTimer>
#include <QUuid>
#include <atomic>
#include <functional>
#include <map>

#include "lock/instance_lock.h"

#include "records/database_url.h"
#include "station/station_texts.h"
#include "text/language.h"

namespace vek::station {

namespace {

QString qs(vek::Text text) { return vek::translated(text); }

}  // namespace

QString describe(const RecordsState& s) {
    if (!s.shared) {
        if (!s.open) return qs(texts::kRecordsLocalClosed).arg(s.where, s.problem);
        if (!s.storing) return qs(texts::kRecordsLocalFailing).arg(s.where, s.problem);
        return qs(texts::kRecordsLocal).arg(s.where);
    }
    QString text;
    if (s.connected)
        text = qs(texts::kRecordsConnected).arg(s.where);
    else if (s.awaySince.isValid())
        text = qs(texts::kRecordsAway).arg(s.where, s.awaySince.toLocalTime().toString(QStringLiteral("HH:mm")));
    else
        text = qs(texts::kRecordsConnecting).arg(s.where);
    if (s.queued > 0) text += qs(texts::kRecordsQueued).arg(s.queued);
    if (!s.storing) text += qs(texts::kRecordsOutboxFailing).arg(s.problem);
    return text;
}

// Lives on the writer thread: the store, and the rows it could not take yet.
struct RecordsLink::Writer : QObject {
    std::unique_ptr<records::RecordStore> store;
    std::map<QString, std::pair<records::Run, quint64>> unsaved;
    QTimer retry;
};

// Lives on the sender thread: a store of its own feeding the server.
struct RecordsLink::Sender : QObject {
    std::unique_ptr<records::RecordStore> store;
    QTimer tick;
    std::function<void()> report;
    bool settled = false;
};

RecordsLink::RecordsLink(records::StoreOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)) {
    station_ = options_.station.isEmpty() ? QSysInfo::machineHostName() : options_.station;
    if (station_.isEmpty()) station_ = QStringLiteral("localhost");
    options_.station = station_;
    instance_ = QStringLiteral("%1-%2-%3")
                    .arg(station_)
                    .arg(lock::processId())
                    .arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    options_.instance = instance_;
    state_.shared = !options_.url.trimmed().isEmpty();
    if (state_.shared) {
        QString ignored;
        const auto url = records::parseDatabaseUrl(options_.url, &ignored);
        state_.where = url ? url->display() : records::withoutPassword(options_.url);
    }
    writerThread_.setObjectName(QStringLiteral("records-writer"));
    writer_ = new Writer;
    writer_->moveToThread(&writerThread_);
    writer_->retry.moveToThread(&writerThread_);
    writerThread_.start();
}

RecordsLink::~RecordsLink() { close(); }

void RecordsLink::setState(const std::function<void(RecordsState&)>& change) {
    // From a worker: the state is the main thread's, changed there.
    QMetaObject::invokeMethod(
        this,
        [this, change] {
            change(state_);
            emit stateChanged();
        },
        Qt::QueuedConnection);
}

void RecordsLink::open() {
    records::StoreOptions writerOptions = options_;
    writerOptions.access = records::Access::Writer;
    QMetaObject::invokeMethod(writer_, [this, writerOptions] {
        Writer* w = writer_;
        w->store = std::make_unique<records::RecordStore>(writerOptions);
        const bool ok = w->store->open();
        const QString error = w->store->errorString();
        const QString where = w->store->localPath();
        const QStringList interrupted = w->store->interruptedRuns();
        const int queued = ok ? w->store->pendingUploads() : 0;
        const QStringList settle = ok ? w->store->adoptedInstances() : QStringList();
        w->retry.setInterval(kRetryMs);
        QObject::connect(&w->retry, &QTimer::timeout, w, [this] {
            Writer* writer = writer_;
            if (writer->unsaved.empty()) {
                writer->retry.stop();
                return;
            }
            auto pending = std::move(writer->unsaved);
            writer->unsaved.clear();
            QString lastError;
            for (auto& [id, entry] : pending) {
                if (writer->store->put(entry.first)) {
                    emit saved(id, entry.second, true, {});
                } else {
                    lastError = writer->store->errorString();
                    writer->unsaved.emplace(id, std::move(entry));
                }
            }
            if (writer->unsaved.empty()) {
                writer->retry.stop();
                setState([](RecordsState& s) {
                    s.storing = true;
                    s.problem.clear();
                });
            } else {
                setState([lastError](RecordsState& s) {
                    s.storing = false;
                    s.problem = lastError;
                });
            }
        });
        setState([ok, error, where, queued](RecordsState& s) {
            s.open = ok;
            if (!s.shared) s.where = where;
            s.queued = queued;
            if (!ok) s.problem = error;
        });
        QMetaObject::invokeMethod(
            this,
            [this, ok, error, interrupted, settle] {
                if (!interrupted.isEmpty()) emit interruptedFound(interrupted);
                emit opened(ok, error);
                if (ok && state_.shared) {
                    // The sender starts once the writer holds the instance's
                    // lock: the outbox's claims are checked against it.
                    senderThread_ = new QThread;
                    senderThread_->setObjectName(QStringLiteral("records-sender"));
                    sender_ = new Sender;
                    sender_->moveToThread(senderThread_);
                    sender_->tick.moveToThread(senderThread_);
                    senderThread_->start();
                    records::StoreOptions senderOptions = options_;
                    senderOptions.access = records::Access::Sender;
                    senderOptions.retryGapMs = 0;
                    senderOptions.settle = settle;
                    QMetaObject::invokeMethod(sender_, [this, senderOptions] {
                        Sender* s = sender_;
                        s->store = std::make_unique<records::RecordStore>(senderOptions);
                        auto report = [this, s] {
                            if (!s->settled && s->store->settledOnServer()) {
                                // The dead instances' runs are settled on the
                                // server: the writer lets their lock files go.
                                s->settled = true;
                                QMetaObject::invokeMethod(writer_, [this] {
                                    if (writer_->store) writer_->store->settleAdopted();
                                });
                            }
                            const bool connected = s->store->isOpen() && s->store->sharedConnected();
                            const int waiting = s->store->isOpen() ? s->store->pendingUploads() : 0;
                            const QString problem = s->store->errorString();
                            const QDateTime now = QDateTime::currentDateTime();
                            setState([connected, waiting, problem, now](RecordsState& st) {
                                if (connected) {
                                    st.awaySince = {};
                                } else if (st.connected || !st.awaySince.isValid()) {
                                    st.awaySince = now;
                                }
                                st.connected = connected;
                                if (waiting >= 0) st.queued = waiting;
                                if (!connected && !problem.isEmpty()) st.problem = problem;
                            });
                        };
                        if (!s->store->open()) {
                            report();
                            // A refused server (a schema newer than ours) stays
                            // refused; the outbox keeps its rows.
                            return;
                        }
                        report();
                        s->report = report;
                        s->tick.setInterval(kSendMs);
                        QObject::connect(&s->tick, &QTimer::timeout, s, [s, report] {
                            s->store->send();
                            report();
                        });
                        s->tick.start();
                    });
                }
            },
            Qt::QueuedConnection);
    });
}

void RecordsLink::put(const records::Run& run, quint64 seq) {
    QMetaObject::invokeMethod(writer_, [this, run, seq] {
        Writer* w = writer_;
        if (!w->store || !w->store->isOpen()) {
            emit saved(run.id, seq, false, qs(texts::kRecordsNotOpen));
            return;
        }
        // An older copy still waiting is replaced by this one, in order.
        w->unsaved.erase(run.id);
        if (w->store->put(run)) {
            emit saved(run.id, seq, true, {});
            if (w->unsaved.empty())
                setState([](RecordsState& s) {
                    s.storing = true;
                    if (!s.shared) s.problem.clear();
                });
            return;
        }
        const QString error = w->store->errorString();
        w->unsaved.emplace(run.id, std::make_pair(run, seq));
        if (!w->retry.isActive()) w->retry.start();
        emit saved(run.id, seq, false, error);
        setState([error](RecordsState& s) {
            s.storing = false;
            s.problem = error;
        });
    });
}

void RecordsLink::sendNow() {
    if (!sender_ || closed_) return;
    QMetaObject::invokeMethod(sender_, [s = sender_] {
        if (!s->store || !s->store->isOpen()) return;
        s->store->send();
        if (s->report) s->report();
    });
}

bool RecordsLink::close() {
    if (closed_) return !leftBehind_;
    closed_ = true;
    // The last try for rows not stored; whatever still fails is said by the
    // station (counted apart), not dropped in silence. The writer keeps its
    // store, and so its instance's lock, until the sender is done with the
    // outbox.
    QMetaObject::invokeMethod(writer_, [this] {
        Writer* w = writer_;
        w->retry.stop();
        if (w->store && w->store->isOpen())
            for (auto& [id, entry] : w->unsaved)
                if (w->store->put(entry.first)) emit saved(id, entry.second, true, {});
    }, Qt::BlockingQueuedConnection);
    // Acknowledgements of that last try reach the station before it sums up.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);

    int queued = -1;
    bool connected = false;
    if (senderThread_) {
        // The queue's last chance, bounded: a server that answers takes it
        // within a few seconds; one that does not leaves it in the outbox.
        auto result = std::make_shared<std::pair<std::atomic<int>, std::atomic<bool>>>(-1, false);
        // The sender is named here, not read from the member when it runs:
        // a sender left behind runs this after closing has moved on.
        QMetaObject::invokeMethod(sender_, [s = sender_, result] {
            s->tick.stop();
            if (s->store && s->store->isOpen()) {
                s->store->send();
                result->second = s->store->sharedConnected();
                result->first = s->store->pendingUploads();
            }
            s->store.reset();
            QThread::currentThread()->quit();
        });
        if (senderThread_->wait(kLastSendMs)) {
            delete sender_;
            delete senderThread_;
            queued = result->first;
            connected = result->second;
        } else {
            // Stuck in a statement the server never answers: left to the
            // process's end. Its rows are in the outbox; the next sender
            // takes them over once this process is gone.
            leftBehind_ = true;
        }
        sender_ = nullptr;
        senderThread_ = nullptr;
    }
    QString target;
    if (state_.shared) {
        QString ignored;
        const auto url = records::parseDatabaseUrl(options_.url, &ignored);
        if (url) target = url->display();
    }
    QString localPath;
    QMetaObject::invokeMethod(writer_, [this, &localPath] {
        Writer* w = writer_;
        if (w->store) localPath = w->store->localPath();
        w->store.reset();
        QThread::currentThread()->quit();
    }, Qt::BlockingQueuedConnection);
    writerThread_.wait();
    delete writer_;
    writer_ = nullptr;

    if (state_.shared) {
        if (queued < 0 && !localPath.isEmpty()) queued = records::RecordStore::queuedIn(localPath, target);
        queuedAtClose_ = queued;
        if (queued >= 0) state_.queued = queued;
        // A last send that found no server is an answer too: away since now.
        if (!connected && (state_.connected || !state_.awaySince.isValid()))
            state_.awaySince = QDateTime::currentDateTime();
        state_.connected = connected;
        emit stateChanged();
    }
    return !leftBehind_;
}

}  // namespace vek::station
