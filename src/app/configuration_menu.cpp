#include "app/configuration_menu.h"

#include <QSettings>

#include <QActionGroup>

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <tuple>

#include "app/app_texts.h"
#include "app/message_box.h"
#include "app/save_dialog.h"
#include "app/update_labels.h"
#include "config/config_file.h"
#include "config/form_diff.h"
#include "text/language.h"
#include "unit/unit_controller.h"

namespace vek::app {

namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }
QString qs(vek::Text text) { return vek::translated(text); }
QString fromStd(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

void warn(const QString& text) {
    openBox({text, qs(texts::kFilesCaption), QMessageBox::Warning, QMessageBox::Ok});
}

// A dialog that lives on its own: the window goes on (a unit may be
// talking) and tests find it among the top-level widgets.
QDialog* makeDialog(QWidget* parent, const char* name, const char* title) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(qs(title));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    return dialog;
}

QPushButton* addButton(QDialogButtonBox* box, const char* name, const char* text, QDialogButtonBox::ButtonRole role) {
    QPushButton* b = box->addButton(qs(text), role);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

}  // namespace

ConfigurationMenu::ConfigurationMenu(QWidget* window, QMenuBar* bar, unit::UnitController& controller,
                                     std::function<config::FormModel()> form)
    : QObject(window), window_(window), controller_(controller), form_(std::move(form)) {
    setObjectName(QStringLiteral("ConfigurationMenu"));
    QMenu* file = bar->addMenu(qs(texts::kMenuFile));
    file->setObjectName(QStringLiteral("MenuFile"));
    const auto add = [this](QMenu* menu, const char* name, const char* text, auto slot,
                            QKeySequence key = QKeySequence()) {
        QAction* a = menu->addAction(qs(text), this, slot);
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) a->setShortcut(key);
        return a;
    };
    add(file, "A_OpenFile", texts::kMenuOpen, &ConfigurationMenu::openFile, QKeySequence::Open);
    add(file, "A_SaveFile", texts::kMenuSave, &ConfigurationMenu::saveFile, QKeySequence::Save);
    add(file, "A_CompareFile", texts::kMenuCompare, &ConfigurationMenu::compareWithFile);
    file->addSeparator();
    add(file, "A_DataFolder", texts::kMenuDataFolder, [] {
        openUrl(QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    });
    file->addSeparator();
    add(file, "A_Quit", texts::kMenuQuit, [this] { window_->close(); }, QKeySequence::Quit);

    QMenu* unitMenu = bar->addMenu(qs(texts::kMenuUnit));
    unitMenu->setObjectName(QStringLiteral("MenuUnit"));
    add(unitMenu, "A_Restore", texts::kMenuRestore, &ConfigurationMenu::restoreBackup);
    add(unitMenu, "A_BackupFolder", texts::kMenuBackupFolder, [this] {
        QDir().mkpath(backups_.folder());
        openUrl(QUrl::fromLocalFile(backups_.folder()));
    });

    QMenu* help = bar->addMenu(qs(texts::kMenuHelp));
    help->setObjectName(QStringLiteral("MenuHelp"));
    QMenu* language = help->addMenu(qs(texts::kMenuLanguage));
    language->setObjectName(QStringLiteral("MenuLanguage"));
    auto* languages = new QActionGroup(language);
    for (const auto& [chosen, name, own] : {std::tuple{Language::Portuguese, "A_LanguagePt", "Português"},
                                            std::tuple{Language::English, "A_LanguageEn", "English"}}) {
        QAction* a = language->addAction(QString::fromUtf8(own));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        a->setChecked(currentLanguage() == chosen);
        languages->addAction(a);
        connect(a, &QAction::triggered, this, [this, lang = chosen] {
            QSettings settings(QCoreApplication::applicationName());
            settings.setValue(QLatin1String(kLanguageSetting), languageName(lang));
            settings.sync();
            openBox({qs(texts::kLanguageChosen), window_->windowTitle(), QMessageBox::Information, QMessageBox::Ok});
        });
    }
    add(help, "A_About", texts::kMenuAbout, [this] {
        openBox({qs(texts::kAboutText).arg(window_->windowTitle()), qs(texts::kMenuAbout).remove(QLatin1Char('&')),
                 QMessageBox::Information, QMessageBox::Ok});
    });

    // The controller keeps the copies, in the folder this menu lists.
    controller_.setBackupFolder(backups_.folder());
    connect(&controller_, &unit::UnitController::copyTaken, this,
            [this](const unit::Identification&, const unit::Copy& copy) { copyTaken(copy); });
    connect(&controller_, &unit::UnitController::connectionChanged, this, [this](bool open) {
        if (open && !controller_.awaitingReturn()) unitForm_.reset();
    });
    connect(&controller_, &unit::UnitController::operationFinished, this, [this](const unit::Outcome& o) {
        // A backup put back is read back whole: what the unit now holds.
        if (o.read && o.faults == 0) unitForm_ = o.form;
        // After a write of the form the unit holds what went out, which the
        // form shows: compared again only after a read.
        else if (o.written) unitForm_.reset();
    });
}

void ConfigurationMenu::copyTaken(const unit::Copy& copy) {
    const QString where = QDir::toNativeSeparators(QString::fromStdString(copy.where));
    if (copy.state == unit::Copy::State::NotKept) {
        emit logLine(qs(texts::kBackupFailed).arg(QString::fromStdString(copy.why)), true);
        return;
    }
    if (copy.state == unit::Copy::State::Kept && copy.fresh) emit logLine(qs(texts::kBackupKeptLine).arg(where), false);
}

std::optional<config::FormModel> ConfigurationMenu::loadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(qs(texts::kFileUnreadable).arg(path, file.errorString()));
        return std::nullopt;
    }
    if (file.size() > unit::BackupStore::kMaxFileBytes) {
        warn(qs(texts::kFileTooLarge).arg(path));
        return std::nullopt;
    }
    const QByteArray text = file.read(unit::BackupStore::kMaxFileBytes + 1);
    // A backup opens too, when what it holds is a valid configuration.
    if (text.contains("\"vektool-backup\"")) {
        auto backup = unit::BackupStore::parse(text);
        if (auto* error = std::get_if<QString>(&backup)) {
            warn(qs(texts::kFileRefused).arg(path, *error));
            return std::nullopt;
        }
        const auto& b = std::get<unit::Backup>(backup);
        if (!b.form) {
            warn(qs(texts::kBackupNoForm).arg(path));
            return std::nullopt;
        }
        return b.form;
    }
    auto loaded = config::fromJson(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    if (auto* error = std::get_if<config::FileError>(&loaded)) {
        warn(qs(texts::kFileRefused).arg(path, fromStd(config::describe(*error))));
        return std::nullopt;
    }
    return std::get<config::FormModel>(loaded);
}

void ConfigurationMenu::openFile() {
    const QString path = chooseFile(window_, false, qs(texts::kOpenTitle), QString(), qs(texts::kConfigFilter));
    if (path.isEmpty()) return;
    if (auto form = loadFile(path)) {
        emit formLoaded(*form);
        emit logLine(qs(texts::kFileLoaded).arg(QDir::toNativeSeparators(path)), false);
    }
}

void ConfigurationMenu::saveFile() {
    const config::FormModel form = form_();
    saveWithDialog(window_, QStringLiteral("vek-configuracao"), QStringLiteral("json"), qs(texts::kSaveTitle),
                   qs(texts::kConfigFilter), [form](const QString& path, QString* error) {
                       QSaveFile out(path);
                       const QByteArray text = QByteArray::fromStdString(config::toJson(form));
                       if (out.open(QIODevice::WriteOnly) && out.write(text) == text.size() && out.commit()) return true;
                       *error = out.errorString();
                       return false;
                   });
}

void ConfigurationMenu::compareWithFile() {
    const QString path = chooseFile(window_, false, qs(texts::kCompareTitle), QString(), qs(texts::kConfigFilter));
    if (path.isEmpty()) return;
    const auto file = loadFile(path);
    if (!file) return;
    const bool unitSide = unitForm_.has_value();
    const config::FormModel left = unitSide ? *unitForm_ : form_();
    const std::vector<config::FieldDifference> diff = config::differences(left, *file);

    QDialog* dialog = makeDialog(window_, "CompareDialog", texts::kCompareTitle);
    auto* layout = new QVBoxLayout(dialog);
    auto* heading = new QLabel(dialog);
    heading->setObjectName(QStringLiteral("CompareSummary"));
    heading->setWordWrap(true);
    const QString leftName = qs(unitSide ? texts::kCompareUnit : texts::kCompareForm);
    heading->setText(diff.empty() ? qs(texts::kCompareSame).arg(leftName)
                                  : qs(texts::kCompareDiffer).arg(leftName).arg(diff.size()));
    layout->addWidget(heading);
    auto* table = new QTableWidget(static_cast<int>(diff.size()), 3, dialog);
    table->setObjectName(QStringLiteral("CompareTable"));
    table->setHorizontalHeaderLabels({qs(texts::kCompareField), leftName, qs(texts::kCompareFile)});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    for (int row = 0; row < static_cast<int>(diff.size()); ++row) {
        const config::FieldDifference& d = diff[static_cast<std::size_t>(row)];
        table->setItem(row, 0, new QTableWidgetItem(fromStd(d.label)));
        table->setItem(row, 1, new QTableWidgetItem(fromStd(d.left)));
        table->setItem(row, 2, new QTableWidgetItem(fromStd(d.right)));
        table->item(row, 0)->setData(Qt::UserRole, fromStd(d.key));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setVisible(!diff.empty());
    layout->addWidget(table);
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* load = addButton(buttons, "B_LoadCompared", texts::kCompareLoad, QDialogButtonBox::AcceptRole);
    load->setEnabled(!diff.empty());
    addButton(buttons, "B_CloseCompared", texts::kClose, QDialogButtonBox::RejectRole);
    const config::FormModel loaded = *file;
    connect(load, &QPushButton::clicked, this, [this, loaded, dialog, path] {
        emit formLoaded(loaded);
        emit logLine(qs(texts::kFileLoaded).arg(QDir::toNativeSeparators(path)), false);
        dialog->accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog->resize(560, 420);
    dialog->open();
}

void ConfigurationMenu::restoreBackup() {
    const std::optional<unit::Identification> here = controller_.unitHere();
    const QString digits = here ? unit::idDigits(here->id) : QString();
    const unit::BackupListing listed = backups_.listing(digits);
    const QList<unit::Backup>& list = listed.backups;
    QDialog* dialog = makeDialog(window_, "RestoreDialog", texts::kRestoreTitle);
    auto* layout = new QVBoxLayout(dialog);
    auto* heading = new QLabel(dialog);
    heading->setObjectName(QStringLiteral("RestoreSummary"));
    heading->setWordWrap(true);
    heading->setText(list.isEmpty() ? qs(texts::kRestoreNone)
                                    : digits.isEmpty() ? qs(texts::kRestoreAll)
                                                       : qs(texts::kRestoreOfUnit).arg(unit::idText(here->id)));
    for (const unit::SetAside& a : listed.setAside)
        heading->setText(heading->text() + u'\n' + qs(texts::kRestoreSetAside).arg(a.count).arg(a.folder));
    for (const QString& why : listed.notMoved) heading->setText(heading->text() + u'\n' + why);
    layout->addWidget(heading);
    auto* tree = new QTreeWidget(dialog);
    tree->setObjectName(QStringLiteral("BackupList"));
    tree->setRootIsDecorated(false);
    tree->setHeaderLabels({qs(texts::kRestoreWhen), qs(texts::kRestoreUnit), qs(texts::kRestoreFirmware),
                           qs(texts::kRestoreDifferences)});
    const config::FormModel now = unitForm_.value_or(form_());
    for (const unit::Backup& b : list) {
        const QString differences = b.form ? QString::number(config::differences(now, *b.form).size())
                                           : qs(texts::kRestoreInvalid);
        auto* item = new QTreeWidgetItem(
            tree, {b.takenAt.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")), b.unitDigits, b.firmware,
                   differences});
        item->setData(0, Qt::UserRole, b.path);
    }
    for (int c = 0; c < 4; ++c) tree->resizeColumnToContents(c);
    if (tree->topLevelItemCount() > 0) tree->setCurrentItem(tree->topLevelItem(0));
    layout->addWidget(tree);
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* toForm = addButton(buttons, "B_BackupToForm", texts::kRestoreToForm, QDialogButtonBox::ActionRole);
    QPushButton* toUnit = addButton(buttons, "B_BackupToUnit", texts::kRestoreToUnit, QDialogButtonBox::ActionRole);
    addButton(buttons, "B_CloseRestore", texts::kClose, QDialogButtonBox::RejectRole);
    const auto selected = [tree, list]() -> std::optional<unit::Backup> {
        const QTreeWidgetItem* item = tree->currentItem();
        if (!item) return std::nullopt;
        const QString path = item->data(0, Qt::UserRole).toString();
        for (const unit::Backup& b : list)
            if (b.path == path) return b;
        return std::nullopt;
    };
    // Writing waits for a unit identified on this connection with nothing
    // else under way, and follows the controller while the dialog is open.
    const auto enable = [=, this] {
        const auto b = selected();
        toForm->setEnabled(b && b->form);
        toUnit->setEnabled(b && controller_.idle() && controller_.unitHere());
    };
    connect(tree, &QTreeWidget::currentItemChanged, dialog, enable);
    connect(&controller_, &unit::UnitController::stageChanged, dialog, enable);
    connect(&controller_, &unit::UnitController::connectionChanged, dialog, enable);
    connect(&controller_, &unit::UnitController::unitIdentified, dialog, enable);
    enable();
    connect(toForm, &QPushButton::clicked, this, [=, this] {
        if (const auto b = selected(); b && b->form) {
            emit formLoaded(*b->form);
            emit logLine(qs(texts::kBackupLoaded).arg(QDir::toNativeSeparators(b->path)), false);
            dialog->accept();
        }
    });
    connect(toUnit, &QPushButton::clicked, this, [=, this] {
        if (const auto b = selected()) {
            dialog->accept();
            writeBackup(*b);
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog->resize(560, 360);
    dialog->open();
}

void ConfigurationMenu::writeBackup(const unit::Backup& backup) {
    const std::optional<unit::Identification> unit = controller_.unitHere();
    if (!controller_.idle() || !unit) {
        emit refused(controller_.idle() ? unit::Kind::NotIdentified : unit::Kind::Busy);
        return;
    }
    const QString here = unit::idDigits(unit->id);
    const QString taken = backup.takenAt.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    QString question = qs(texts::kRestoreConfirm).arg(taken, unit::idText(unit->id));
    if (backup.unitDigits.compare(here, Qt::CaseInsensitive) != 0)
        question += qs(texts::kRestoreOtherUnit).arg(backup.unitDigits, here);
    openBox({question, qs(texts::kRestoreTitle), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
            [this, backup, taken, id = unit->id](QMessageBox::StandardButton answer) {
                if (answer != QMessageBox::Yes) return;
                if (backup.form) {
                    restore(backup, id, false);
                    return;
                }
                // Bytes that are no valid configuration go back only when
                // asked for a second time, in so many words.
                openBox({qs(texts::kRestoreInvalidConfirm).arg(taken, unit::idText(id)), qs(texts::kRestoreTitle),
                         QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No},
                        [this, backup, id](QMessageBox::StandardButton again) {
                            if (again == QMessageBox::Yes) restore(backup, id, true);
                        });
            });
}

void ConfigurationMenu::restore(const unit::Backup& backup, const unit::UnitId& unit, bool allowInvalid) {
    // For the unit the question named: another one that came meanwhile is refused.
    const unit::Kind kind = controller_.restore(unit, backup.image, allowInvalid);
    if (kind != unit::Kind::Ok) {
        emit refused(kind);
        return;
    }
    emit logLine(qs(texts::kRestoreStarted)
                     .arg(backup.takenAt.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
                          backup.unitDigits),
                 false);
}

}  // namespace vek::app
