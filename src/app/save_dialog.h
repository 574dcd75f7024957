#pragma once
// Saving something the window shows to a file the technician picks: a name
// suggested in the documents folder with the moment in it, and a box that
// says why when the file cannot be written.

#include <QString>
#include <functional>

class QWidget;

namespace vek::app {

// Asks for a file to open (save false) or to write (save true); empty when
// the technician cancelled. The dialog opens in the folder of the file last
// chosen (in any dialog, in this run or an earlier one), else at
// `suggested`. Tests install a chooser in place of the dialog.
using FileChooser =
    std::function<QString(bool save, const QString& title, const QString& suggested, const QString& filter)>;
void setFileChooser(FileChooser chooser);
QString chooseFile(QWidget* parent, bool save, const QString& title, const QString& suggested, const QString& filter);

// `stem` and `extension` make the suggested name ("vektool-log" and "txt"
// give vektool-log-2026-12-10-143005.txt); `save` writes the file and says
// why it could not.
void saveWithDialog(QWidget* parent, const QString& stem, const QString& extension, const QString& title,
                    const QString& filter, const std::function<bool(const QString& path, QString* error)>& save);

}  // namespace vek::app
