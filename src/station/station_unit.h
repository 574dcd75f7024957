#pragma once
// One port of the production station and the run of each unit plugged into
// it. The port's unit controller drives the production road (new firmware
// when the unit needs it → identify again → write the station's
// configuration → read it back and compare); this side records the run and
// words how it went. A failure ends this unit's run only.

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <functional>
#include <QString>
#include <optional>

#include "config/config_image.h"
#include "config/form_model.h"
#include "records/run.h"
#include "unit/unit_controller.h"
#include "unit/unit_types.h"
#include "words/failure.h"

namespace vek::station {

class RecordsLink;

enum class Step {
    Closed,
    Waiting,
    NoAnswer,
    Held,  // a unit is there, but the station starts no new one now
    Copying,  // what the unit holds is read and put in the run's record
    Firmware,
    Restarting,
    Writing,
    Verifying,
    Recording,  // its first row, or its last, is on its way to the records
    Passed,
    Failed,
    Interrupted,
    NotRecorded,  // ended, but its last row could not be stored
};

// Where the station's configuration came from, for every run's record.
struct RunSource {
    QString source;  // a preset's name, or the file's name
    QString sha256;  // of the file's bytes; empty for a preset
};

// What a view shows of one port.
struct UnitRow {
    QString port;
    QString unitId;
    QString firmwareBefore, firmwareAfter;
    Step step = Step::Closed;
    QString stepText;
    int position = 0, maximum = 0, percent = 0;
    // The controller's estimate; negative until it has one.
    double bytesPerSecond = -1;
    qint64 secondsLeft = -1;
    std::optional<records::Verdict> verdict;  // none while running or until recorded
    QString reason;
    // The run ended, but its record is not stored (yet): set aside or run again.
    bool unrecorded = false;
    QString qrLabel;
    std::optional<bool> qrMatch;
    qint64 elapsedMs = 0;
    bool running = false;
};

class StationUnit : public QObject {
    Q_OBJECT
public:
    StationUnit(QString port, config::FormModel form, QString stationHost, QObject* parent = nullptr);

    // The firmware release the station brings units to ("2.47").
    static QString firmwareTarget();

    // Opens the port and waits for a unit; false when it cannot be opened
    // (the station tries again later).
    bool open();
    bool isOpen() const { return unit_.isOpen(); }
    // A run has begun and not yet ended.
    bool running() const { return running_; }
    // The port's unit has finished and is left alone; another run starts
    // only after it has gone (the port vanished from the list or its device
    // hung up) and the port is opened again.
    bool awaitingUnplug() const { return awaitingUnplug_; }
    // The port disappeared from the system's list.
    void portGone();
    // Another port announced the same identifier: this unit's run (or the
    // outcome on view) fails and the port leaves it alone.
    void duplicateOf(const QString& otherPort);
    // Ended, with no record on its way: every run's last row was answered.
    bool settled() const;
    // A unit that was left alone while the station held (storage down,
    // stopping) is let go: the port is closed and opened again, and the unit
    // announces itself anew.
    void release();
    // The identifier of the unit on the port (running, or finished and
    // still plugged), none otherwise or while a restarting unit is awaited.
    std::optional<unit::UnitId> liveId() const;
    // Ends a running run as interrupted by the station's operator (its row
    // says what the unit needs now) and closes the port.
    void stop();
    // A QR label read for this unit's identifier (24 hex digits).
    void setQrLabel(const QString& digits);
    // The unit's 24 digits as the label carries them, empty before identification.
    QString idDigits() const { return idDigits_; }

    const UnitRow& row();
    // The run as recorded, kept here as well for views and the summary.
    const records::Run& record() const { return record_; }
    unit::UnitController& controller() { return unit_; }
    // Where runs are written; none: nothing is recorded.
    void setLink(RecordsLink* link);
    void setSource(const RunSource& source) { source_ = source; }
    // Asked when a new unit announces itself: false leaves it alone for now.
    void setMayStart(std::function<bool()> mayStart) { mayStart_ = std::move(mayStart); }

signals:
    void changed();
    // A run ended but its last row could not be stored; runEnded follows
    // should it be stored later.
    void runUnrecorded(const vek::records::Run& record, const QString& reason);
    // A new unit's run has begun (its record too), before anything is sent:
    // a direct connection may still stop it (duplicateOf).
    void unitBegan(vek::station::StationUnit* unit);
    void runEnded(const vek::records::Run& record);
    void line(const QString& text);

private:
    void identified(const unit::Identification& unit);
    void operationFinished(const unit::Outcome& outcome);
    void progress(const unit::Progress& progress);
    void lost();
    bool begin(const unit::Identification& unit);
    void end(Step step, const words::Failure& failure = {}, const QString& warning = {});
    words::Failure unplugged() const;
    quint64 push();
    void saved(const QString& id, quint64 seq, bool ok, const QString& error);
    void settle(const records::Run& run);
    unit::Copy keepBefore(const config::Image& image);
    void stageChanged(unit::Stage stage);
    void setStep(Step step);

    QString port_;
    QString host_;
    config::FormModel form_;
    QString formJson_;
    config::Image image_{};
    unit::UnitController unit_;
    RecordsLink* link_ = nullptr;
    RunSource source_;
    std::function<bool()> mayStart_;
    records::Run record_;
    quint64 seq_ = 0;
    quint64 beginSeq_ = 0;
    quint64 copySeq_ = 0;
    bool beginStored_ = false;
    // Ended runs whose last row is not yet acknowledged: the copy sent last and its number.
    struct Unsettled {
        records::Run run;
        quint64 seq = 0;
        bool reported = false;
    };
    QHash<QString, Unsettled> unsettled_;
    bool held_ = false;
    UnitRow row_;
    QElapsedTimer clock_;
    QString idDigits_;
    std::optional<unit::UnitId> id_;
    bool running_ = false;
    bool awaitingUnplug_ = false;
    // Inside the controller's unitIdentified: a unit can still be left alone.
    bool identifying_ = false;
};

QString stepText(Step step);

}  // namespace vek::station
