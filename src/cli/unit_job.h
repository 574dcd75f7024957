#pragma once
// One command against one unit: opens the port, waits for the unit to
// identify itself, then takes the command's own steps on the controller's
// signals and ends with an exit code. Nothing here paces the protocol; the
// controller does, and a job only decides what to ask next.

#include <QObject>
#include <QString>
#include <functional>

#include "cli/progress.h"
#include "config/form_model.h"
#include "unit/unit_controller.h"

namespace vek::cli {

enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitPort = 3, ExitNoUnit = 4 };

class UnitJob : public QObject {
    Q_OBJECT
public:
    explicit UnitJob(QString port, QObject* parent = nullptr);

    void start();
    unit::UnitController& unit() { return unit_; }

signals:
    void done(int exitCode);

protected:
    // The unit identified itself in maintenance mode.
    virtual void identified(const protocol::Identification& unit) = 0;
    virtual void finished(const session::Finished& outcome) = 0;

    // Ends the job: says `message` (on stderr unless it is the result on
    // stdout), closes the port and reports the exit code.
    void finish(int code, const QString& message = {});
    void say(const QString& line);

    QString port_;
    unit::UnitController unit_;
    Progress progress_;
    bool ended_ = false;
};

// Prints the identification and ends.
class IdentifyJob : public UnitJob {
public:
    IdentifyJob(QString port, bool json) : UnitJob(std::move(port)), json_(json) {}

protected:
    void identified(const protocol::Identification& unit) override;
    void finished(const session::Finished&) override {}

private:
    bool json_;
};

// Reads the record; hands the form to `deliver`, which returns the exit code.
class ReadJob : public UnitJob {
public:
    using Deliver = std::function<int(const config::FormModel&, const protocol::Identification&)>;
    ReadJob(QString port, Deliver deliver) : UnitJob(std::move(port)), deliver_(std::move(deliver)) {}

protected:
    void identified(const protocol::Identification&) override { unit_.getConfig(); }
    void finished(const session::Finished& outcome) override;

private:
    Deliver deliver_;
};

class WriteJob : public UnitJob {
public:
    WriteJob(QString port, config::FormModel form, bool verify);

protected:
    void identified(const protocol::Identification&) override { unit_.setConfig(form_); }
    void finished(const session::Finished& outcome) override;

private:
    config::FormModel form_;
};

class FlashJob : public UnitJob {
public:
    FlashJob(QString port, bool force);

protected:
    void identified(const protocol::Identification& unit) override;
    void finished(const session::Finished& outcome) override;

private:
    bool force_;
    bool flashed_ = false;
    QString before_;
};

// "4.0.2.47" and "0BADF00D 12345678 00C0FFEE".
QString versionText(const protocol::Identification& unit);
QString idText(const protocol::Identification& unit);

}  // namespace vek::cli
