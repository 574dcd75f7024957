#include "app/log_pane.h"

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextEdit>
#include <QUrl>

#include "app/app_texts.h"
#include "app/daily_log.h"
#include "app/message_box.h"
#include "app/save_dialog.h"
#include "app/update_labels.h"
#include "text/language.h"

namespace vek::app {

namespace {

const QColor kWarningColour(0xFF, 0x00, 0x00);

QTextCharFormat lineFormat(bool warning) {
    QTextCharFormat format;
    format.setForeground(warning ? kWarningColour : QColor(Qt::black));
    return format;
}

}  // namespace

LogPane::LogPane(QTextEdit* log, const QString& dailyFolder, QObject* parent)
    : QObject(parent), log_(log), file_(std::make_unique<DailyLog>(dailyFolder)) {
    setObjectName(QStringLiteral("LogPane"));
    log_->document()->setMaximumBlockCount(kMaxLines);
    log_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(log_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = createContextMenu();
        menu->exec(log_->viewport()->mapToGlobal(pos));
        delete menu;
    });
}

LogPane::~LogPane() { endRun(); }

void LogPane::append(const QString& line, bool warning, const QString& port) {
    const QDateTime now = QDateTime::currentDateTime();
    if (repeats_ > 0 && !line.isEmpty() && line == last_ && warning == lastWarning_ && port == lastPort_) {
        ++repeats_;
        lastAt_ = now;
        showCount();
        return;
    }
    endRun();
    addLine(line, warning);
    last_ = line;
    lastPort_ = port;
    lastWarning_ = warning;
    repeats_ = 1;
    lastAt_ = now;
    writeFile(now, port, warning, line);
}

void LogPane::clear() {
    endRun();
    last_.clear();
    log_->clear();
    hasLines_ = false;
}

void LogPane::addLine(const QString& line, bool warning) {
    QString text = line;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    if (hasLines_) cursor.insertBlock();
    hasLines_ = true;
    cursor.insertText(text, lineFormat(warning));
}

void LogPane::showCount() {
    // Only the entry's last line carries the count; a line of several rows
    // keeps its first rows as they are.
    QString text = last_;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString lastRow = text.section(QLatin1Char('\n'), -1);
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(vek::translated(texts::kRepeated).arg(lastRow).arg(repeats_), lineFormat(lastWarning_));
}

void LogPane::endRun() {
    if (repeats_ > 1)
        writeFile(lastAt_, lastPort_, lastWarning_, vek::translated(texts::kRepeated).arg(last_).arg(repeats_));
    repeats_ = 0;
}

void LogPane::writeFile(const QDateTime& when, const QString& port, bool warning, const QString& text) {
    if (file_->write(when, port, warning, text)) {
        fileFailing_ = false;
        return;
    }
    if (fileFailing_) return;
    // Said once, in the pane only: the file is what failed.
    fileFailing_ = true;
    addLine(vek::translated(texts::kDailyLogFailed).arg(file_->folder(), file_->error()), true);
    last_.clear();
}

bool LogPane::saveTo(const QString& path, QString* error) const {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write(log_->toPlainText().toUtf8());
        file.write("\n");
        if (file.commit()) return true;
    }
    if (error) *error = file.errorString();
    return false;
}

QMenu* LogPane::createContextMenu() {
    QMenu* menu = log_->createStandardContextMenu();
    menu->addSeparator();
    QAction* save = menu->addAction(vek::translated(texts::kSaveLog));
    save->setObjectName(QStringLiteral("saveLog"));
    connect(save, &QAction::triggered, this, &LogPane::saveAs);
    QAction* folder = menu->addAction(vek::translated(texts::kOpenLogFolder));
    folder->setObjectName(QStringLiteral("openLogFolder"));
    connect(folder, &QAction::triggered, this, &LogPane::openFolder);
    return menu;
}

void LogPane::openFolder() {
    // The folder is made with the first line; before that a file manager
    // would only say it is missing.
    QDir().mkpath(file_->folder());
    openUrl(QUrl::fromLocalFile(file_->folder()));
}

void LogPane::saveAs() {
    saveWithDialog(log_->window(), QStringLiteral("vektool-log"), QStringLiteral("txt"),
                   vek::translated(texts::kSaveLogTitle), vek::translated(texts::kSaveLogFilter),
                   [this](const QString& path, QString* error) { return saveTo(path, error); });
}

}  // namespace vek::app
