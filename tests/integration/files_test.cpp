// Configuration files and backups through the window's menu bar: a file
// saved and opened again, a unit compared with a file, the copies kept by
// themselves before a change, and one put back.

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTreeWidget>

#include "app/save_dialog.h"
#include "app_fixture.h"
#include "config/config_file.h"
#include "config/config_image.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::pump;
using vek::testing::waitFor;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const std::string& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

}  // namespace

class FilesTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        app::setFileChooser([this](bool, const QString&, const QString&, const QString&) { return chosen; });
    }
    void TearDown() override {
        app::setFileChooser({});
        AppTest::TearDown();
    }
    void trigger(const char* action) {
        auto* a = window_->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
    // The dialog the menu opened, once it is on view.
    QDialog* dialog(const char* name) {
        QDialog* found = nullptr;
        waitFor([&] {
            found = window_->findChild<QDialog*>(QString::fromLatin1(name));
            return found && found->isVisible();
        });
        return found;
    }
    QStringList backupFiles() const {
        QStringList out;
        const QDir root(dataFolder() + "/backups");
        for (const QString& unitDir : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString& f : QDir(root.filePath(unitDir)).entryList({"*.json"}, QDir::Files))
                out << unitDir + "/" + f;
        return out;
    }
    QString chosen;
};

TEST_F(FilesTest, SavedThenOpenedGivesTheSameFileAndForm) {
    makeWindow();
    widget<QPushButton>("B_SetNorvale")->click();
    widget<QLineEdit>("ED_VMX")->setText("97");
    chosen = home->filePath("one.json");
    trigger("A_SaveFile");
    const QByteArray saved = readAll(chosen);
    ASSERT_FALSE(saved.isEmpty());

    widget<QPushButton>("B_SetDefaults")->click();
    ASSERT_NE(widget<QLineEdit>("ED_VMX")->text(), "97");
    trigger("A_OpenFile");
    EXPECT_EQ(widget<QLineEdit>("ED_VMX")->text(), "97");
    EXPECT_TRUE(boxes.empty());

    chosen = home->filePath("two.json");
    trigger("A_SaveFile");
    EXPECT_EQ(readAll(chosen), saved);
}

TEST_F(FilesTest, ABrokenFileChangesNothingAndSaysWhere) {
    makeWindow();
    widget<QPushButton>("B_SetDefaults")->click();
    const QString before = widget<QLineEdit>("ED_VMX")->text();
    chosen = home->filePath("broken.json");
    config::FormModel form;
    config::applyDefaults(form);
    std::string text = config::toJson(form);
    text.replace(text.find("\"vmx_kmh\": 120"), 14, "\"vmx_kmh\": 151");
    writeAll(chosen, text);
    trigger("A_OpenFile");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains("vmx_kmh")) << boxes[0].text.toStdString();
    EXPECT_EQ(widget<QLineEdit>("ED_VMX")->text(), before);
}

TEST_F(FilesTest, CompareListsExactlyTheFieldsThatDifferAndLoadsTheFile) {
    startUnit();
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitLog(QString::fromUtf8("Leitura da configuração interna concluída!"))) << log().toStdString();
    // The unit's configuration with two fields changed.
    auto read = config::fromJson(config::toJson([&] {
        config::FormModel f;
        config::decode(sim::makeConfig(sim::ConfigState::Valid), f, false);
        f.text[config::VMX] = "99";
        f.setBuzzer(config::GroupRPX, config::Buzzer::During, true);
        return f;
    }()));
    ASSERT_TRUE(std::holds_alternative<config::FormModel>(read));
    chosen = home->filePath("other.json");
    writeAll(chosen, config::toJson(std::get<config::FormModel>(read)));

    trigger("A_CompareFile");
    QDialog* d = dialog("CompareDialog");
    ASSERT_NE(d, nullptr);
    auto* table = d->findChild<QTableWidget*>("CompareTable");
    ASSERT_EQ(table->rowCount(), 3) << "VMX, and Durante unticking Entrada";
    QStringList keys;
    for (int r = 0; r < table->rowCount(); ++r) keys << table->item(r, 0)->data(Qt::UserRole).toString();
    EXPECT_EQ(keys, QStringList({"vmx_kmh", "alerts.RPX.buzzer.entry", "alerts.RPX.buzzer.during"}));
    EXPECT_EQ(table->item(0, 1)->text(), "110");
    EXPECT_EQ(table->item(0, 2)->text(), "99");
    d->findChild<QPushButton*>("B_LoadCompared")->click();
    EXPECT_EQ(widget<QLineEdit>("ED_VMX")->text(), "99");
    // Loading is no writing.
    pump(200);
    EXPECT_EQ(unit->withUnit([](sim::UnitSim& u) { return u.config(); }),
              sim::makeConfig(sim::ConfigState::Valid));
}

TEST_F(FilesTest, WhatAUnitHeldIsKeptBeforeItChangesOncePerContentAndCanBePutBack) {
    sim::Identity id;
    id.version = {4, 0, 2, 46};
    startUnit(id, [](sim::UnitSim& u) { u.setConfig(sim::makeConfig(sim::ConfigState::NeverWritten)); });
    makeWindow();
    connectUnit();
    // Read before the firmware, read again after it (the same bytes: no new
    // copy), found invalid, replaced by the default preset.
    ASSERT_TRUE(waitLog(QString::fromUtf8("Configuração conferida"), 60000)) << log().toStdString();
    const auto copyBeforeFirmware = log().indexOf(QString::fromUtf8("Cópia da configuração do Vek guardada"));
    ASSERT_GE(copyBeforeFirmware, 0) << log().toStdString();
    EXPECT_LT(copyBeforeFirmware, log().indexOf(QString::fromUtf8("Iniciando atualização...")));
    // The preset's verified read-back is kept like a read: a second, distinct copy.
    ASSERT_EQ(backupFiles().size(), 2) << backupFiles().join(", ").toStdString();
    EXPECT_TRUE(backupFiles()[0].startsWith("0BADF00D1234567800C0FFEE/"));

    // The next connections read the preset now held: kept once already.
    reconnect();
    ASSERT_TRUE(waitLog(QString::fromUtf8("Leitura da configuração interna concluída!")));
    reconnect();
    ASSERT_TRUE(waitLog(QString::fromUtf8("Leitura da configuração interna concluída!")));
    pump(100);
    EXPECT_EQ(backupFiles().size(), 2) << "the same content is kept once";

    // Put back what the unit held first, byte for byte, once confirmed.
    trigger("A_Restore");
    QDialog* d = dialog("RestoreDialog");
    ASSERT_NE(d, nullptr);
    auto* list = d->findChild<QTreeWidget*>("BackupList");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    list->setCurrentItem(list->topLevelItem(1));  // the older: the never-written image
    EXPECT_FALSE(d->findChild<QPushButton*>("B_BackupToForm")->isEnabled()) << "no form holds it";
    boxAnswer = QMessageBox::Yes;
    const auto before = log().count(QString::fromUtf8("Configuração conferida"));
    d->findChild<QPushButton*>("B_BackupToUnit")->click();
    // Bytes that are no valid configuration: asked twice, the second time
    // saying what the unit will hold.
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Question);
    EXPECT_EQ(boxes[1].icon, QMessageBox::Warning);
    EXPECT_TRUE(boxes[1].text.contains(QString::fromUtf8("configuração inválida"))) << boxes[1].text.toStdString();
    ASSERT_TRUE(waitFor([&] { return log().count(QString::fromUtf8("Configuração conferida")) > before; }, 10000))
        << log().toStdString();
    EXPECT_EQ(unit->withUnit([](sim::UnitSim& u) { return u.config(); }),
              sim::makeConfig(sim::ConfigState::NeverWritten));
    // The Log names the copy; the status line says what the unit now holds,
    // and the form shows it as read back (nothing valid in it), not what it
    // held before.
    EXPECT_TRUE(log().contains(QString::fromUtf8("Gravando no Vek a cópia de"))) << log().toStdString();
    EXPECT_TRUE(widget<QLabel>("StatusLine")->accessibleDescription().contains(QString::fromUtf8("inválida, como a cópia")));
    EXPECT_TRUE(widget<QLineEdit>("ED_VMX")->text().isEmpty());

    // And the newer one, which holds a valid configuration, loads into the form.
    trigger("A_Restore");
    d = dialog("RestoreDialog");
    ASSERT_NE(d, nullptr);
    list = d->findChild<QTreeWidget*>("BackupList");
    list->setCurrentItem(list->topLevelItem(0));
    widget<QLineEdit>("ED_VMX")->clear();
    d->findChild<QPushButton*>("B_BackupToForm")->click();
    config::FormModel defaults;
    config::applyDefaults(defaults);
    EXPECT_EQ(widget<QLineEdit>("ED_VMX")->text().toStdString(), defaults.text[config::VMX]);
}

// One plan at a time, for the unit on the port: while new firmware goes in,
// and on a connection where no unit answered after another one did, the
// restore's write is off, and a press that gets through anyway is refused
// with nothing sent to the port.
TEST_F(FilesTest, ARestoreWaitsForItsOwnUnitWithNothingRunning) {
    sim::Identity old;
    old.version = {4, 0, 2, 46};
    startUnit(old, [](sim::UnitSim& u) { u.faults().replyDelayMs = 2; });
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitLog(QString::fromUtf8("Atualizando firmware..."), 10000)) << log().toStdString();
    trigger("A_Restore");
    QDialog* d = dialog("RestoreDialog");
    ASSERT_NE(d, nullptr);
    auto* list = d->findChild<QTreeWidget*>("BackupList");
    ASSERT_GE(list->topLevelItemCount(), 1);  // the copy read before the firmware
    list->setCurrentItem(list->topLevelItem(0));
    auto* toUnit = d->findChild<QPushButton*>("B_BackupToUnit");
    EXPECT_FALSE(toUnit->isEnabled()) << "new firmware is going in";
    boxAnswer = QMessageBox::Yes;
    toUnit->click();  // a disabled button takes no click
    emit toUnit->clicked();  // and one that got through anyway
    pump(50);
    EXPECT_TRUE(logHas(QString::fromUtf8("Não foi feito: outro trabalho está em andamento neste Vek"))) << log().toStdString();
    EXPECT_TRUE(lastLineRed());
    // The update is not cut: it ends with the unit on the new firmware.
    ASSERT_TRUE(waitLog(QString::fromUtf8("Leitura da configuração interna concluída!"), 60000)) << log().toStdString();
    EXPECT_EQ(unit->withUnit([](sim::UnitSim& u) { return u.identity().version[3]; }), 47);
    EXPECT_EQ(log().count(QString::fromUtf8("Atualizando configuração...")), 0);
    trigger("A_Restore");
    d = dialog("RestoreDialog");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->findChild<QPushButton*>("B_BackupToUnit")->isEnabled()) << "idle now, the unit identified";
    d->reject();

    // The same port, where no unit answers now: the unit before is not there.
    unit->withUnit([](sim::UnitSim& u) { u.faults().silent = true; });
    reconnect();
    const std::size_t received = unit->withUnit([](sim::UnitSim& u) { return u.received().size(); });
    trigger("A_Restore");
    d = dialog("RestoreDialog");
    ASSERT_NE(d, nullptr);
    list = d->findChild<QTreeWidget*>("BackupList");
    ASSERT_GE(list->topLevelItemCount(), 1);
    list->setCurrentItem(list->topLevelItem(0));
    toUnit = d->findChild<QPushButton*>("B_BackupToUnit");
    EXPECT_FALSE(toUnit->isEnabled());
    const std::size_t asked = boxes.size();
    emit toUnit->clicked();
    pump(300);
    EXPECT_EQ(boxes.size(), asked) << "nothing to confirm for a unit that is not there";
    EXPECT_TRUE(logHas(QString::fromUtf8("Não foi feito: nenhum Vek se identificou nesta conexão"))) << log().toStdString();
    EXPECT_EQ(unit->withUnit([](sim::UnitSim& u) { return u.received().size(); }), received);
}

// No copy can be kept (the backups folder is a plain file): the preset that
// replaces an invalid configuration still goes in, with a red line saying
// why no copy was kept; CONFIGURAR changes nothing until the technician says
// to go on without the copy, and then says it went without one.
TEST_F(FilesTest, WithoutRoomForACopyAChangeWaitsForTheTechniciansWord) {
    startUnit({}, [](sim::UnitSim& u) { u.setConfig(sim::makeConfig(sim::ConfigState::NeverWritten)); });
    QDir().mkpath(dataFolder());
    QFile blocker(dataFolder() + "/backups");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitLog(QString::fromUtf8("Configuração conferida"), 10000)) << log().toStdString();
    EXPECT_TRUE(logHas(QString::fromUtf8("A cópia da configuração do Vek não foi guardada: "))) << log().toStdString();
    sim::ConfigMemory defaults = unit->withUnit([](sim::UnitSim& u) { return u.config(); });
    EXPECT_NE(defaults, sim::makeConfig(sim::ConfigState::NeverWritten));

    auto* setConfig = widget<QPushButton>("B_SetConfig");
    ASSERT_TRUE(waitFor([&] { return setConfig->isEnabled(); }));
    widget<QLineEdit>("ED_VMX")->setText("101");
    boxAnswer = QMessageBox::No;
    setConfig->click();
    ASSERT_TRUE(waitFor([&] { return !boxes.empty(); })) << log().toStdString();
    EXPECT_TRUE(boxes.back().text.contains(QString::fromUtf8("sem a cópia"))) << boxes.back().text.toStdString();
    pump(200);
    EXPECT_EQ(unit->withUnit([](sim::UnitSim& u) { return u.config(); }), defaults);

    boxAnswer = QMessageBox::Yes;
    const auto before = log().count(QString::fromUtf8("Configuração conferida"));
    setConfig->click();
    ASSERT_TRUE(waitFor([&] { return log().count(QString::fromUtf8("Configuração conferida")) > before; }, 10000))
        << log().toStdString();
    EXPECT_TRUE(logHas(QString::fromUtf8("sem cópia do que ele guarda"))) << log().toStdString();
    EXPECT_NE(unit->withUnit([](sim::UnitSim& u) { return u.config(); }), defaults);
    EXPECT_TRUE(widget<QLabel>("StatusLine")->accessibleDescription().contains(QString::fromUtf8("Nenhuma cópia")))
        << widget<QLabel>("StatusLine")->accessibleDescription().toStdString();
}

// A file in a unit's backup folder that is no backup is set aside, and the
// restore dialog's heading says so and where.
TEST_F(FilesTest, TheRestoreDialogSaysWhatWasSetAside) {
    makeWindow();
    const QString unitFolder = dataFolder() + "/backups/0BADF00D1234567800C0FFEE";
    ASSERT_TRUE(QDir().mkpath(unitFolder));
    writeAll(unitFolder + "/20260301T080000.000Z.json", "{ cut short");
    trigger("A_Restore");
    QDialog* d = dialog("RestoreDialog");
    ASSERT_NE(d, nullptr);
    const QString heading = d->findChild<QLabel*>("RestoreSummary")->text();
    EXPECT_TRUE(heading.contains(QString::fromUtf8("1 arquivo(s) posto(s) de lado em %1/set-aside").arg(unitFolder)))
        << heading.toStdString();
    EXPECT_EQ(d->findChild<QTreeWidget*>("BackupList")->topLevelItemCount(), 0);
    EXPECT_TRUE(QFile::exists(unitFolder + "/set-aside/20260301T080000.000Z.json"));
    d->close();
}

// Every file dialog opens where the last file was chosen, in this run and
// the next: at first the documents folder, then the folder the technician
// went to.
TEST_F(FilesTest, DialogsOpenInTheFolderOfTheLastFileChosen) {
    QStringList offered;  // where each dialog opened
    app::setFileChooser([&](bool, const QString&, const QString& start, const QString&) {
        offered << start;
        return chosen;
    });
    makeWindow();
    widget<QPushButton>("B_SetDefaults")->click();
    const QString kept = home->filePath("kept");
    ASSERT_TRUE(QDir().mkpath(kept));
    chosen = kept + "/one.json";
    trigger("A_SaveFile");
    ASSERT_EQ(offered.size(), 1);
    EXPECT_TRUE(offered[0].startsWith(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/vek-"))
        << offered[0].toStdString();

    trigger("A_OpenFile");
    window_.reset();
    makeWindow();
    chosen.clear();  // cancelled
    trigger("A_CompareFile");
    trigger("A_SaveFile");
    ASSERT_EQ(offered.size(), 4);
    EXPECT_EQ(offered[1], kept);
    EXPECT_EQ(offered[2], kept) << "a new run opens where the last one left off";
    EXPECT_TRUE(offered[3].startsWith(kept + "/vek-configuracao-")) << offered[3].toStdString();
}
