#pragma once
// The Log's lines kept on disk: one file a day in the application's data
// folder, each line with its time and the port it concerns, so that what a
// technician saw can be read again after the window is closed.

#include <QDate>
#include <QFile>
#include <QString>

class QDateTime;

namespace vek::app {

class DailyLog {
public:
    // Files go into `folder`, created when first needed.
    explicit DailyLog(QString folder);

    // Appends `text` (which may hold several lines) stamped with `when` and
    // `port`; a warning is marked with "!". False when the file cannot be
    // written; error() then says why.
    bool write(const QDateTime& when, const QString& port, bool warning, const QString& text);

    QString folder() const { return folder_; }
    QString pathFor(const QDate& day) const;
    QString error() const { return error_; }

private:
    bool openFor(const QDate& day);

    QString folder_;
    QFile file_;
    QDate day_;
    QString error_;
};

}  // namespace vek::app
