#pragma once
// Runs the real vektool-cli as a separate process and collects what it said.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace vek::testing {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
    bool finished = false;
};

// Waits at most `ms` for the process; the event loop keeps running meanwhile.
inline CliRun runCli(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                     int ms = 30000) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VEKTOOL_CLI), args);
    CliRun run;
    run.finished = p.waitForStarted(5000) && p.waitForFinished(ms);
    if (!run.finished) p.kill(), p.waitForFinished(2000);
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// The environment a test runs the command line in: its data folder (the
// backups) under `dataHome`, never the user's own.
inline QProcessEnvironment cliEnvironment(const QString& dataHome) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    return env;
}

}  // namespace vek::testing
