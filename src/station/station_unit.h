#pragma once
// One port of the production station and the run of the unit on it:
// identify → new firmware when the unit needs it → identify again → write
// the station's configuration → read it back and compare → recorded. Each
// step is asked of the port's own unit controller when the one before has
// ended; a failure ends this unit's run only.

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include "config/config_image.h"
#include "config/form_model.h"
#include "records/run.h"
#include "unit/unit_controller.h"

namespace vek::records {
class RecordStore;
}

namespace vek::station {

enum class Step { Closed, Waiting, NoAnswer, Firmware, Restarting, Writing, Verifying, Passed, Failed, Interrupted };

// What a view shows of one port.
struct UnitRow {
    QString port;
    QString unitId;
    QString firmwareBefore, firmwareAfter;
    Step step = Step::Closed;
    QString stepText;
    int position = 0, maximum = 0;
    std::optional<records::Verdict> verdict;  // none while running
    QString reason;
    QString qrLabel;
    std::optional<bool> qrMatch;
    qint64 elapsedMs = 0;
    bool running = false;
};

class StationUnit : public QObject {
    Q_OBJECT
public:
    StationUnit(QString port, config::FormModel form, QString stationHost, QObject* parent = nullptr);

    // Opens the port and waits for a unit; false when it cannot be opened
    // (the station tries again later).
    bool open();
    bool isOpen() const { return unit_.isOpen(); }
    // A run has begun and not yet ended.
    bool running() const { return running_; }
    // The port's unit has finished; another run starts only after the port
    // has gone (the unit was unplugged) and come back.
    bool awaitingUnplug() const { return awaitingUnplug_; }
    // The port disappeared from the system's list.
    void portGone();
    // Ends a running run as interrupted and closes the port.
    void stop(const QString& reason);
    // A QR label read for this unit's identifier (24 hex digits).
    void setQrLabel(const QString& digits);
    // The unit's 24 digits as the label carries them, empty before identification.
    QString idDigits() const { return idDigits_; }

    const UnitRow& row();
    // The run as recorded, kept here as well for views and the summary.
    const records::Run& record() const { return record_; }
    unit::UnitController& controller() { return unit_; }
    // Where runs are written; none: nothing is recorded.
    void setStore(records::RecordStore* store) { store_ = store; }

signals:
    void changed();
    void runEnded(const vek::records::Run& record);
    void line(const QString& text);

private:
    void identified(const protocol::Identification& unit);
    void operationFinished(const session::Finished& outcome);
    void connectionChanged(bool open);
    void begin(const protocol::Identification& unit);
    void writeConfiguration();
    void end(Step step, const QString& reason = {});
    void record(const records::RunUpdate& update);
    void setStep(Step step);

    QString port_;
    QString host_;
    config::FormModel form_;
    QString formJson_;
    config::Image image_{};
    unit::UnitController unit_;
    records::RecordStore* store_ = nullptr;
    records::Run record_;
    UnitRow row_;
    QElapsedTimer clock_;
    QString idDigits_;
    bool running_ = false;
    bool awaitingUnplug_ = false;
    bool restarting_ = false;
};

QString stepText(Step step);

}  // namespace vek::station
