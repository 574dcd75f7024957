#pragma once
// One command against one unit: chooses the road (a Plan), opens the port
// and words how the road ended. The controller drives the road by itself;
// a job only says what happened, by the outcome's kind, with its exit code.
// Results go to standard output, progress and messages to standard error.

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "cli/interrupt.h"
#include "cli/progress.h"
#include "unit/unit_controller.h"
#include "unit/unit_types.h"

namespace vek::cli {

enum ExitCode {
    ExitOk = 0,
    ExitFailed = 1,  // also: diff found differences
    ExitUsage = 2,
    ExitPort = 3,
    ExitNoUnit = 4,
    ExitReadFailed = 5,  // diff: the unit's configuration could not be read
    ExitNoCopy = 6,      // the copy of what the unit holds could not be kept: nothing changed
    ExitInterrupted = 130,
};

enum class Command { Identify, Read, Write, Flash, Diff, Restore };

// What a command says about an outcome: its exit code and its one line.
struct Verdict {
    int exitCode = ExitFailed;
    QString message;
};
Verdict verdict(Command command, const unit::Outcome& outcome, const QString& port);

// The outcome for a script: port, kind name, the line, and the details the
// kind carries.
QJsonObject outcomeJson(const unit::Outcome& outcome, const QString& port, const QString& message);

// Writes `text` as it is and flushes, so that stdout and stderr interleave
// in the order things happened.
void print(std::FILE* out, const QString& text);
void printJson(const QJsonObject& object);

struct JobOptions {
    bool json = false;
    bool quiet = false;  // errors and warnings only
    // The first Ctrl+C lets the road finish, the second stops it (the
    // commands that change a unit).
    bool twoStepInterrupt = false;
    // restore: the backup being put back and the unit it came from.
    QString restoring{};
    QString restoringUnit{};  // 24 digits
};

class UnitJob : public QObject {
    Q_OBJECT
public:
    // What an outcome becomes beyond its verdict (the configuration file, a
    // comparison, the remote list): the exit code, or nothing to leave the
    // outcome to the verdict.
    using Deliver = std::function<std::optional<int>(const unit::Outcome&)>;

    UnitJob(QString port, Command command, const unit::Plan& plan, JobOptions options, Deliver deliver = {},
            QObject* parent = nullptr);

    void start();

signals:
    void done(int exitCode);

private:
    void ended(const unit::Outcome& outcome);
    void printIdentification(const unit::Outcome& outcome);
    void copyTaken(const unit::Copy& copy);
    // What the unit is left with if the road stops now, and what to do.
    QString stateIfStoppedNow() const;
    // Reports `code`, closing the port; `message` goes to standard output
    // when it is a success's line, to standard error otherwise.
    void finish(int code, const QString& message = {});

    QString port_;
    Command command_;
    JobOptions options_;
    Deliver deliver_;
    unit::UnitController unit_;
    Progress progress_;
    std::unique_ptr<Interrupts> interrupts_;
    QString interruptedState_;
    QString backupPath_;
    bool ended_ = false;
};

}  // namespace vek::cli
