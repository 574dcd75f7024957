#include "app/save_dialog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QFileDialog>
#include <QStandardPaths>

#include "app/app_texts.h"
#include "app/message_box.h"
#include "text/language.h"

namespace vek::app {

namespace {
FileChooser& installedChooser() {
    static FileChooser chooser;
    return chooser;
}
}  // namespace

void setFileChooser(FileChooser chooser) { installedChooser() = std::move(chooser); }

// The folder the last file was chosen in, for every dialog and the next run:
// a technician who keeps the configurations in one folder goes there once.
const QString kLastFolder = QStringLiteral("files/lastFolder");

QString lastFolder() {
    const QString folder = QSettings(QCoreApplication::applicationName()).value(kLastFolder).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

QString chooseFile(QWidget* parent, bool save, const QString& title, const QString& suggested, const QString& filter) {
    QString start = suggested;
    const QString folder = lastFolder();
    if (!folder.isEmpty())
        start = suggested.isEmpty() ? folder : QDir(folder).filePath(QFileInfo(suggested).fileName());
    const QString path = installedChooser() ? installedChooser()(save, title, start, filter)
                         : save             ? QFileDialog::getSaveFileName(parent, title, start, filter)
                                            : QFileDialog::getOpenFileName(parent, title, start, filter);
    if (!path.isEmpty()) QSettings(QCoreApplication::applicationName()).setValue(kLastFolder, QFileInfo(path).absolutePath());
    return path;
}

void saveWithDialog(QWidget* parent, const QString& stem, const QString& extension, const QString& title,
                    const QString& filter, const std::function<bool(const QString& path, QString* error)>& save) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QStringLiteral("%1/%2-%3.%4")
                                  .arg(folder, stem,
                                       QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss")),
                                       extension);
    const QString path = chooseFile(parent, true, title, suggested, filter);
    if (path.isEmpty()) return;
    QString error;
    if (!save(path, &error))
        openBox({vek::translated(texts::kSaveFailed).arg(path, error), vek::translated(texts::kSaveFailedCaption),
                 QMessageBox::Warning, QMessageBox::Ok});
}

}  // namespace vek::app
