#pragma once
// One unit on one port, with no window: owns the serial link, the session
// and the protocol's timers, drives the road the view chose (its Plan) and
// tells views what happens through signals: lines for the log, progress,
// the form, who the unit is and how each road ended (one typed Outcome).
// A view turns its own input into calls here and words what the signals
// say; it never paces the protocol nor waits for it.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

#include "link/com_port.h"
#include "session/session.h"
#include "session/view.h"
#include "transfer/port.h"
#include "unit/unit_types.h"

namespace vek::unit {

enum class Tone { Normal, Warning };

// Why a port could not be opened.
enum class OpenFailure { NotFound, Busy, Permission, Other };

class UnitController : public QObject, private transfer::Port, private session::View {
    Q_OBJECT
public:
    // A unit announces itself about 100 ms after the open; past this, no
    // unit is listening on that port.
    static constexpr int kNoAnswerMs = 3000;
    // A unit restarts with new firmware and announces itself again; past
    // this after the transfer it did not come back.
    static constexpr int kReturnMs = 15000;
    // While a restarting unit is off the bus, its port is tried this often.
    static constexpr int kReopenMs = 250;

    explicit UnitController(QObject* parent = nullptr);
    ~UnitController() override;

    // Opens `port` (a listed name or a device path) with the unit's line
    // settings. On failure says why (openFailed and a red log line) and
    // returns false.
    bool open(const QString& port);
    // Closes as the technician's button does.
    void close();
    bool isOpen() const { return vcp_.connected(); }
    QString portName() const { return vcp_.port(); }

    void setOptions(const Options& options) { session_.setOptions(options); }
    const Options& options() const { return session_.options(); }
    // What every identification on this port leads to.
    void setPlan(const Plan& plan) { session_.setPlan(plan); }
    const Plan& plan() const { return session_.plan(); }
    // The form as the technician edits it.
    void setForm(const config::FormModel& form) { session_.setForm(form); }

    // Actions on a unit name the unit and run one plan at a time: while a
    // road runs, before a unit identified itself on this connection, or for
    // another unit, they are refused with that kind (Busy, NotIdentified,
    // OtherUnit, ...) and nothing is sent. Kind::Ok: the road runs and ends
    // with operationFinished.
    Kind request(const UnitId& unit, const Plan& plan) { return session_.request(unit, plan); }
    // CONFIGURAR: validate, keep the copy, write and read back this form.
    Kind setConfig(const UnitId& unit, const config::FormModel& form) { return session_.setConfig(unit, form); }
    // Puts back what a unit once held (a backup), byte for byte, and reads
    // back; an invalid image only with `allowInvalid`.
    Kind restore(const UnitId& unit, const config::Image& image, bool allowInvalid = false) {
        return session_.restore(unit, image, allowInvalid);
    }
    // The plan of the road that runs or ran last (the standing plan's, or
    // one asked for).
    const Plan& lastRoad() const { return session_.road(); }
    // Whether an action on a unit would be taken now: idle, with a unit
    // identified on this connection.
    bool idle() const { return !session_.busy(); }
    std::optional<Identification> unitHere() const {
        return session_.unitHere() ? std::optional<Identification>(session_.unit()) : std::nullopt;
    }
    // Where the road stands (stageChanged says when it moves).
    Stage stage() const { return session_.stage(); }
    // Inside a unitIdentified handler: the unit is the one back from its
    // restart with new firmware, its road going on, not a new unit.
    bool unitReturned() const { return session_.returning(); }

    // Who keeps the copies of what units hold (every read, and what a unit
    // holds before a change). By default the backups folder of the user's
    // data; a station keeps them in its run's record instead, and answers
    // later (Copy::State::Pending, then copyKept()).
    using CopyKeeper = std::function<Copy(const Identification&, const config::Image&)>;
    void setCopyKeeper(CopyKeeper keeper) { keeper_ = std::move(keeper); }
    void setBackupFolder(const QString& folder) { backupFolder_ = folder; }
    void copyKept(const Copy& copy) { session_.copyKept(copy); }
    void jump() { session_.jump(); }
    void remoteCommandList(const config::FormModel& form) { session_.remoteCommandList(form); }
    void clearIdList() { session_.clearIdList(); }
    // From a unitIdentified handler: this unit's road goes no further.
    void leaveAlone() { session_.leaveAlone(); }
    // From a unitIdentified handler: the road waits, with nothing sent to
    // the unit, until go(); for a view that must first put the unit on
    // record. Closing the port or leaveAlone() end the wait.
    void hold() { session_.hold(); }
    void go() { session_.go(); }
    // Stops the road where it stands, on the technician's insistence: the
    // pacing stops, the port closes and the road ends as Interrupted with
    // what was running and the link's counters. A transfer cut here is left
    // half-done in the unit; the view says what that means.
    void interrupt();
    // For a view that runs one road on its port: a port lost with nothing
    // running ends that road as PortLost (see Session::portLost).
    void endRoadOnLostPort() { session_.portLost(); }

    Operation operation() const { return session_.operation(); }
    // A unit is awaited back from its restart with new firmware.
    bool awaitingReturn() const { return session_.awaitingReturn(); }

    // The words for an open failure, as the log shows them.
    static QString openFailureText(OpenFailure why, const QString& port, const QString& systemText);

signals:
    void logLine(const QString& line, vek::unit::Tone tone);
    void logCleared();
    void progressChanged(const vek::unit::Progress& progress);
    void formShown(const vek::config::FormModel& form);
    void connectionChanged(bool open);
    // The port went away under the tool (cable pulled, device error).
    void portLost();
    void openFailed(vek::unit::OpenFailure why, const QString& message);
    // A unit in maintenance mode; `listed`: its identifier joins the
    // production list.
    void unitIdentified(const vek::unit::Identification& unit, bool listed);
    // New firmware went in; the unit is awaited back.
    void unitRestarting(const vek::unit::Identification& unit);
    void operationFinished(const vek::unit::Outcome& outcome);
    // A copy of what a unit holds was kept (or not: Copy::State::NotKept,
    // where and why), before the road goes on.
    void copyTaken(const vek::unit::Identification& unit, const vek::unit::Copy& copy);
    void stageChanged(vek::unit::Stage stage);

private:
    // transfer::Port
    bool portOpen() const override { return vcp_.connected(); }
    void write(const protocol::Bytes& frame) override;
    void setPacingTimer(transfer::PacingTimer timer, bool enabled) override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int position) override;
    // session::View (and the port's log)
    void appendLog(const std::string& line) override;
    void appendWarning(const std::string& line) override;
    void clearLog() override { emit logCleared(); }
    void showForm(const config::FormModel& form) override { emit formShown(form); }
    void startDeferredClose() override { Timer2.start(); }
    void identified(const protocol::Identification& unit, bool listed) override;
    void restarting(const protocol::Identification& unit) override;
    void finished(const session::Outcome& outcome) override;
    Copy keepCopy(const protocol::Identification& unit, const config::Image& image) override;
    void stageMoved(Stage stage) override { emit stageChanged(stage); }

    bool openDevice(const QString& port, bool quiet);
    void VCPRxChar(int count);
    void Timer2Timer();
    void lost();
    void closed();
    void reopen();
    void emitProgress();
    void warn(const QString& line) { emit logLine(line, Tone::Warning); }

    link::ComPort vcp_;
    session::Session session_;
    QTimer Timer1, Timer2, Timer3;
    QTimer rxPartial_;  // a partial frame gets the link's read interval to complete
    QTimer noAnswer_;
    // Kept across a close: a unit may leave the bus while it restarts.
    QTimer noReturn_;
    QTimer reopen_;
    QString restartPort_;
    CopyKeeper keeper_;
    QString backupFolder_;
    int progressMaximum_ = 0;
    int progressPosition_ = 0;
    // The estimate: when the running operation's first step was seen.
    Operation estimated_ = Operation::None;
    int firstPosition_ = 0;
    QElapsedTimer started_;
};

}  // namespace vek::unit
