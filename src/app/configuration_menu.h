#pragma once
// The window's menu bar: configuration files (open, save, compare with what
// the unit holds), the unit's backups (kept by themselves before every
// change, put back on request) and help. It loads into the form and never
// writes a unit unasked: writing stays CONFIGURAR's, or a restore the
// technician confirmed.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "config/form_model.h"
#include "unit/backup_store.h"
#include "unit/unit_types.h"

class QMenuBar;
class QWidget;

namespace vek::unit {
class UnitController;
}

namespace vek::app {

class ConfigurationMenu : public QObject {
    Q_OBJECT
public:
    // `form` reads the form as the technician has it.
    ConfigurationMenu(QWidget* window, QMenuBar* bar, unit::UnitController& controller,
                      std::function<config::FormModel()> form);

    unit::BackupStore& backups() { return backups_; }

    void openFile();
    void saveFile();
    void compareWithFile();
    void restoreBackup();

signals:
    // A configuration to show in the form (from a file or a backup).
    void formLoaded(const vek::config::FormModel& form);
    void logLine(const QString& line, bool warning);
    // The controller refused an action asked here: nothing was sent.
    void refused(vek::unit::Kind kind);

private:
    void copyTaken(const unit::Copy& copy);
    // A configuration file or a backup, all or nothing; empty after a box
    // said why not.
    std::optional<config::FormModel> loadFile(const QString& path);
    void writeBackup(const unit::Backup& backup);
    void restore(const unit::Backup& backup, const unit::UnitId& unit, bool allowInvalid);

    QWidget* window_;
    unit::UnitController& controller_;
    std::function<config::FormModel()> form_;
    unit::BackupStore backups_;
    // The configuration the last valid read of the unit on the port found.
    std::optional<config::FormModel> unitForm_;
};

}  // namespace vek::app
