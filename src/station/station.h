#pragma once
// The production station: one StationUnit per port, all on the one event
// loop, watching either a given list of ports or every port that appears.
// The station follows units, not port names. A port is opened when it is
// present and free; a unit that has finished is left alone until it is
// unplugged (its port leaves the list or its device hangs up), so the next
// unit on that port starts a run of its own and a unit left in place is
// never configured twice. Two units announcing the same identifier are both
// stopped.

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include "config/form_model.h"
#include "records/run.h"
#include "station/station_unit.h"
#include "words/failure.h"

namespace vek::station {

class RecordsLink;

// Units, not runs: a unit configured twice counts once, by its last run.
struct Summary {
    int passed = 0;
    int failed = 0;
    int interrupted = 0;
    // Ended, but the last row could not be stored: neither passed nor failed.
    int unrecorded = 0;
    // The last run of each unit that did not pass.
    struct Failure {
        QString port;
        QString unitId;
        words::Failure failure;  // empty for a run stored with a sentence only
        QString reason;          // as the run's record words it
    };
    QList<Failure> failures;
};

class Station : public QObject {
    Q_OBJECT
public:
    // Ports are looked for this often: a plugged unit is seen within it.
    static constexpr int kWatchMs = 500;

    // `ports` empty: every port that appears. `link` may be null (nothing
    // recorded); it must be open and outlive the station.
    Station(config::FormModel form, QStringList ports, RecordsLink* link, QObject* parent = nullptr);
    ~Station() override;

    void setSource(const RunSource& source) { source_ = source; }
    void start();
    // Ends running runs as interrupted, closes every port; finished() once
    // their last rows are answered.
    void stop();
    // Starts no new unit and lets the running ones end; then stops.
    void drain();
    bool draining() const { return draining_; }
    // Units whose run has begun and not ended.
    int runningUnits() const;
    // New units wait: the records cannot be stored now.
    bool held() const { return held_; }
    // Stops on its own once this many runs have ended (0: never).
    void setCount(int count) { count_ = count; }
    // Where the port list comes from (tests, benchmarks): defaults to the
    // USB serial ports (with a vendor and product id) plus VEKTOOL_EXTRA_PORTS.
    void setPortLister(std::function<QStringList()> lister) { lister_ = std::move(lister); }

    // A QR label read anywhere: recorded on the unit whose identifier it
    // carries. False when no unit on the station matches.
    bool scanQr(const QString& digits);
    // A line of the view's own (an operator's answer) among the station's lines.
    void note(const QString& text) { emit line(text); }

    const Summary& summary() const { return summary_; }
    QList<StationUnit*> units() const;
    StationUnit* unit(const QString& port) const { return units_.value(port); }

signals:
    void unitAdded(vek::station::StationUnit* unit);
    void unitChanged(vek::station::StationUnit* unit);
    void line(const QString& text);
    // A run ended; summary() counts it.
    void summaryChanged();
    // Every run has ended and no more will start (count reached or stopped).
    void finished();

private:
    void watch();
    StationUnit* add(const QString& port);
    void runEnded(const records::Run& record);
    void runUnrecorded(const records::Run& record);
    void unitBegan(StationUnit* unit);
    void storageChanged();
    void recount();
    void checkFinished();

    config::FormModel form_;
    QStringList ports_;
    RecordsLink* link_;
    RunSource source_;
    // Each unit's last run: its verdict, and whether it is stored.
    struct Last {
        records::Run run;
        bool recorded = true;
    };
    QHash<QString, Last> lastRun_;
    QString host_;
    QHash<QString, StationUnit*> units_;
    QStringList order_;
    QTimer watchTimer_;
    std::function<QStringList()> lister_;
    Summary summary_;
    int count_ = 0;
    int ended_ = 0;
    bool stopping_ = false;
    bool draining_ = false;
    bool held_ = false;
    bool finished_ = false;
};

}  // namespace vek::station
