#include "app/save_dialog.h"

#include <QDateTime>
#include <QFileDialog>
#include <QStandardPaths>

#include "app/app_texts.h"
#include "app/message_box.h"
#include "unit/language.h"

namespace vek::app {

namespace {
FileChooser& installedChooser() {
    static FileChooser chooser;
    return chooser;
}
}  // namespace

void setFileChooser(FileChooser chooser) { installedChooser() = std::move(chooser); }

QString chooseFile(QWidget* parent, bool save, const QString& title, const QString& suggested, const QString& filter) {
    if (installedChooser()) return installedChooser()(save, title, suggested, filter);
    return save ? QFileDialog::getSaveFileName(parent, title, suggested, filter)
                : QFileDialog::getOpenFileName(parent, title, suggested, filter);
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
