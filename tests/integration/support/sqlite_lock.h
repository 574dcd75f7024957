#pragma once
// Another process holding a SQLite file's exclusive lock, as a second tool
// or a backup program would, until release(). Needs python3 (its sqlite3
// module): a test skips without it.

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace vek::testing {

inline bool canLockSqlite() { return !QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty(); }

class LockHolder {
public:
    bool start(const QString& path) {
        process_.start(QStringLiteral("python3"),
                       {QStringLiteral("-c"),
                        QStringLiteral("import sqlite3, sys\n"
                                       "c = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                                       "c.execute('BEGIN EXCLUSIVE')\n"
                                       "print('locked', flush=True)\n"
                                       "sys.stdin.read()\n"),
                        path});
        return process_.waitForStarted(5000) && process_.waitForReadyRead(5000) &&
               process_.readAll().contains("locked");
    }
    void release() {
        process_.closeWriteChannel();
        process_.waitForFinished(5000);
    }
    ~LockHolder() {
        if (process_.state() != QProcess::NotRunning) process_.kill(), process_.waitForFinished(2000);
    }

private:
    QProcess process_;
};

}  // namespace vek::testing
