#pragma once
// One command against one unit: chooses the road (a Plan), opens the port
// and words how the road ended. The controller drives the road by itself;
// a job only says what happened, by the outcome's kind, with its exit code.

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <functional>

#include "cli/progress.h"
#include "unit/unit_controller.h"
#include "unit/unit_types.h"

namespace vek::cli {

enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitPort = 3, ExitNoUnit = 4 };

enum class Command { Identify, Read, Write, Flash };

// What a command says about an outcome: its exit code and its one line.
struct Verdict {
    int exitCode = ExitFailed;
    QString message;
};
Verdict verdict(Command command, const unit::Outcome& outcome, const QString& port);

// The outcome for a script: port, kind name, the line, and the details the
// kind carries.
QJsonObject outcomeJson(const unit::Outcome& outcome, const QString& port, const QString& message);

class UnitJob : public QObject {
    Q_OBJECT
public:
    // What a good read becomes (the configuration file, the remote list);
    // returns the exit code.
    using Deliver = std::function<int(const unit::Outcome&)>;

    UnitJob(QString port, Command command, const unit::Plan& plan, bool json, Deliver deliver = {},
            QObject* parent = nullptr);

    void start();

signals:
    void done(int exitCode);

private:
    void ended(const unit::Outcome& outcome);
    void printIdentification(const unit::Outcome& outcome);
    // Says `message` on standard error, closes the port and reports `code`.
    void finish(int code, const QString& message = {});

    QString port_;
    Command command_;
    bool json_;
    Deliver deliver_;
    unit::UnitController unit_;
    Progress progress_;
    bool ended_ = false;
};

}  // namespace vek::cli
