#pragma once
// One unit on one port, with no window: owns the serial link, the session
// and the protocol's timers, and tells views what happens through signals.
// A view (the window, the command line, a station row) turns its own input
// into calls here and shows what the signals say; it never paces the
// protocol nor waits for it.

#include <QObject>
#include <QString>
#include <QTimer>

#include "config/form_model.h"
#include "link/com_port.h"
#include "session/session.h"
#include "session/view.h"
#include "transfer/port.h"

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

    void setOptions(const session::Options& options) { session_.setOptions(options); }
    const session::Options& options() const { return session_.options(); }
    // The form as the technician edits it.
    void setForm(const config::FormModel& form) { session_.setForm(form); }

    void getConfig() { session_.getConfig(); }
    void setConfig(const config::FormModel& form) { session_.setConfig(form); }
    void firmwareUpdate() { session_.firmwareUpdate(); }
    void jump() { session_.jump(); }
    void remoteCommandList(const config::FormModel& form) { session_.remoteCommandList(form); }
    void clearIdList() { session_.clearIdList(); }
    void restoreIdList(int listedCount, const protocol::UnitId& lastListedId) {
        session_.restoreIdList(listedCount, lastListedId);
    }

    session::Session& session() { return session_; }
    const session::Session& session() const { return session_; }
    link::ComPort& port() { return vcp_; }
    // Timer1, Timer2, Timer3; 0 is the partial-frame timer, 6 the no-answer
    // one, 7 the wait for a unit restarting with new firmware.
    QTimer& timer(int n);

    // The words for an open failure, as the log shows them.
    static QString openFailureText(OpenFailure why, const QString& port, const QString& systemText);

signals:
    void logLine(const QString& line, vek::unit::Tone tone);
    void logCleared();
    // The bar: position of maximum, and what is running.
    void progressChanged(int position, int maximum, vek::session::Operation operation);
    void boxRequested(const QString& text, const QString& caption, vek::session::BoxIcon icon);
    void formShown(const vek::config::FormModel& form);
    void setConfigEnabledChanged(bool enabled);
    void portListEnabledChanged(bool enabled);
    void idListed(const QString& line);
    void idListCountChanged(const QString& caption);
    void edit1Changed(const QString& digits);
    void connectionChanged(bool open);
    void openFailed(vek::unit::OpenFailure why, const QString& message);
    void noAnswer(const QString& message);
    void unitIdentified(const vek::protocol::Identification& unit);
    void operationModeNotice();
    void operationFinished(const vek::session::Finished& outcome);
    // New firmware went in, but the unit did not announce itself again.
    void unitDidNotReturn();

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
    void showBox(const session::Box& box) override;
    void showForm(const config::FormModel& form) override { emit formShown(form); }
    void startDeferredClose() override { Timer2.start(); }
    void setSetConfigEnabled(bool enabled) override { emit setConfigEnabledChanged(enabled); }
    void setPortListEnabled(bool enabled) override { emit portListEnabledChanged(enabled); }
    void appendIdList(const std::string& line) override;
    void setIdListCount(const std::string& caption) override;
    void setEdit1(const std::string& text) override;
    void identified(const protocol::Identification& unit) override;
    void operationModeSeen() override;
    void finished(const session::Finished& outcome) override;

    void VCPRxChar(int count);
    void Timer2Timer();
    void portLost();
    void closed();
    void warn(const QString& line) { emit logLine(line, Tone::Warning); }

    link::ComPort vcp_;
    session::Session session_;
    QTimer Timer1, Timer2, Timer3;
    QTimer rxPartial_;  // a partial frame gets the link's read interval to complete
    QTimer noAnswer_;
    // Kept across a close: a unit may leave the bus while it restarts.
    QTimer noReturn_;
    int progressMaximum_ = 0;
    int progressPosition_ = 0;
};

}  // namespace vek::unit
