#pragma once
// The Log pane: whole lines appended at its end, warnings in red. A line
// that arrives again right after itself is not added again: the last line
// counts it ("Destino inválido! (×1234)"), so a unit or a line that repeats a
// fault thousands of times a second costs one line, not megabytes. The pane
// keeps at most kMaxLines lines, dropping the oldest.
//
// Every line also goes to the daily log file with its time and port; a run
// of the same line is written there once when it starts and once, with its
// count, when it ends.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <memory>

class QMenu;
class QPoint;
class QTextEdit;

namespace vek::app {

class DailyLog;

class LogPane : public QObject {
    Q_OBJECT
public:
    // A session writes a few dozen lines; the daily file keeps them all. Each
    // line added to a fuller pane costs more layout work.
    static constexpr int kMaxLines = 1000;

    // Writes the daily file into `dailyFolder`.
    LogPane(QTextEdit* log, const QString& dailyFolder, QObject* parent);
    ~LogPane() override;

    void append(const QString& line, bool warning, const QString& port);
    void clear();

    // How many times the last line has come in a row.
    int repeats() const { return repeats_; }
    const DailyLog& dailyLog() const { return *file_; }

    // The visible Log as plain text; false (and `error`) when it cannot be
    // written.
    bool saveTo(const QString& path, QString* error) const;
    // The pane's context menu: the standard entries, "save to a file" and
    // "open the daily files' folder".
    QMenu* createContextMenu();
    // Asks where, then saves; a failure is said in a box.
    void saveAs();
    // Shows the daily files' folder in the system's file manager.
    void openFolder();

private:
    void addLine(const QString& line, bool warning);
    void showCount();
    void endRun();
    void writeFile(const QDateTime& when, const QString& port, bool warning, const QString& text);

    QTextEdit* log_;
    std::unique_ptr<DailyLog> file_;
    bool fileFailing_ = false;
    bool hasLines_ = false;
    QString last_;
    QString lastPort_;
    bool lastWarning_ = false;
    int repeats_ = 0;
    QDateTime lastAt_;
};

}  // namespace vek::app
