// What the window remembers from one run to the next, and the production
// list it keeps: the last port, the panel and its list with each QR verdict,
// the two options; and the list as CSV.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <QRegularExpression>

#include "app/production_list.h"
#include "app_fixture.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::waitFor;

class SettingsTest : public AppTest {
protected:
    app::ProductionList* list() const { return window_->findChild<app::ProductionList*>(); }
    void restart() {
        window_.reset();
        makeWindow();
    }
};

TEST_F(SettingsTest, ANorvaleTickKeptByAnEarlierReleaseActsOnNothing) {
    // An earlier release kept the option, ticked behind the hidden panel.
    QSettings(QCoreApplication::applicationName()).setValue("options/norvale", true);
    startUnit({}, [](sim::UnitSim& u) { u.setConfig(sim::makeConfig(sim::ConfigState::NeverWritten)); });
    makeWindow();
    EXPECT_FALSE(widget<QCheckBox>("Cb_Norvale")->isChecked());
    connectUnit();
    ASSERT_TRUE(waitLog(QString::fromUtf8("Configuração conferida"), 10000)) << log().toStdString();
    EXPECT_TRUE(logHas(QString::fromUtf8("Preparando configuração padrão...")));
    EXPECT_FALSE(logHas(QString::fromUtf8("Norvale")));
}

TEST_F(SettingsTest, NextRunStartsWhereThisOneStopped) {
    startUnit();
    const QByteArray unitPort = unit->devicePath().c_str();
    // Another port listed first: the unit's is not the one chosen by default.
    qputenv("VEKTOOL_EXTRA_PORTS", "/dev/a-vek-other:" + unitPort);
    makeWindow();
    ASSERT_EQ(widget<QComboBox>("ComboBox1")->currentData().toString(), "/dev/a-vek-other");
    widget<QCheckBox>("Cb_Norvale")->setChecked(true);
    widget<QCheckBox>("Cb_COMAutoClose")->setChecked(true);
    key(Qt::Key_F12, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return widget<QLabel>("L_IdList")->text() == "1"; })) << log().toStdString();
    typeAsScanner("0BADF00D1234567800C0FFEE");
    ASSERT_EQ(widget<QLabel>("Label0")->text(), "OK");
    // The next unit, beside the label still shown: no verdict is made for it.
    sim::Identity next;
    next.id = {1, 2, 3};
    unit->withUnit([&](sim::UnitSim& u) {
        u.setIdentity(next);
        return 0;
    });
    reconnect();
    ASSERT_TRUE(waitFor([&] { return widget<QLabel>("L_IdList")->text() == "2"; })) << log().toStdString();
    EXPECT_EQ(widget<QLabel>("Label0")->text(), "X");
    pressConnect();

    restart();
    EXPECT_EQ(widget<QComboBox>("ComboBox1")->currentData().toString(), QString::fromUtf8(unitPort));
    // Norvale is never remembered: ticked behind a hidden panel it would
    // rewrite the next unit with nothing on view.
    EXPECT_FALSE(widget<QCheckBox>("Cb_Norvale")->isChecked());
    EXPECT_FALSE(window_->controller().options().norvale);
    EXPECT_TRUE(widget<QCheckBox>("Cb_COMAutoClose")->isChecked());
    EXPECT_EQ(window_->form()->width(), app::MainWindow::kWideWidth);
    EXPECT_EQ(widget<QTextEdit>("LogIdList")->toPlainText(),
              "0BADF00D 12345678 00C0FFEE\n00000003 00000002 00000001");
    EXPECT_EQ(widget<QLabel>("L_IdList")->text(), "2");
    const QRegularExpression csv("^identificador,data_hora,qr\n"
                                 "0BADF00D1234567800C0FFEE,\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d,OK\n"
                                 "000000030000000200000001,\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d,\n$");
    EXPECT_TRUE(csv.match(list()->csv()).hasMatch()) << list()->csv().toStdString();
    const QString path = home->filePath("ids.csv");
    QString error;
    ASSERT_TRUE(list()->exportTo(path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), list()->csv());

    // The restored list is history: the unit on the port now is listed
    // again, shown in Edit1 and judged against its own label.
    EXPECT_TRUE(widget<QLineEdit>("Edit1")->text().isEmpty());
    pressConnect();
    ASSERT_TRUE(connectedState());
    ASSERT_TRUE(waitFor([&] { return widget<QLabel>("L_IdList")->text() == "3"; })) << log().toStdString();
    EXPECT_EQ(widget<QLineEdit>("Edit1")->text(), "000000030000000200000001");
    typeAsScanner("000000030000000200000001");
    EXPECT_EQ(widget<QLabel>("Label0")->text(), "OK");
    // The same unit again in this run is not listed twice.
    reconnect();
    ASSERT_TRUE(waitLog("Vek v4.0.2.47"));
    ASSERT_TRUE(waitFor([&] { return widget<QLineEdit>("Edit1")->text() == "000000030000000200000001"; }));
    EXPECT_EQ(list()->entries().size(), 3);

    // Limpar empties what is kept too.
    pressConnect();
    QTest::mouseClick(widget<QLabel>("L_Clear"), Qt::LeftButton);
    key(Qt::Key_F12, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    restart();
    EXPECT_TRUE(widget<QTextEdit>("LogIdList")->toPlainText().isEmpty());
    EXPECT_TRUE(list()->entries().isEmpty());
    EXPECT_EQ(window_->form()->width(), app::MainWindow::kNormalWidth);
}

// The serial trace: off at first; on, it writes the unit's frames to a file
// of the data folder that the Log names, and it stays on for the next run,
// in a file of its own.
TEST_F(SettingsTest, TheSerialTraceIsOffUntilTurnedOnAndTheLogSaysWhere) {
    startUnit();
    makeWindow();
    auto* trace = window_->findChild<QAction*>("A_SerialTrace");
    ASSERT_NE(trace, nullptr);
    EXPECT_FALSE(trace->isChecked());
    connectUnit();
    ASSERT_TRUE(waitLog(QString::fromUtf8("Leitura da configuração interna concluída!"), 8000)) << log().toStdString();
    pressConnect();
    const QDir folder(dataFolder() + "/trace");
    EXPECT_FALSE(folder.exists());

    trace->trigger();
    const QStringList files = folder.entryList({"trace-*.txt"}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    const QString path = folder.filePath(files[0]);
    EXPECT_TRUE(logHas(QString::fromUtf8("Registro do tráfego serial em ") + QDir::toNativeSeparators(path)))
        << log().toStdString();
    connectUnit();  // the Log starts anew
    ASSERT_TRUE(waitLog(QString::fromUtf8("Leitura da configuração interna concluída!"), 8000)) << log().toStdString();
    pressConnect();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const QString port = QString::fromStdString(unit->devicePath());
    EXPECT_TRUE(text.contains(port + " ")) << text.toStdString();
    EXPECT_EQ(text.count(" RX RspConfigData "), 5) << text.toStdString();
    EXPECT_EQ(text.count(" TX CmdMemoryRead "), 5) << text.toStdString();

    restart();
    trace = window_->findChild<QAction*>("A_SerialTrace");
    EXPECT_TRUE(trace->isChecked());
    EXPECT_EQ(folder.entryList({"trace-*.txt"}, QDir::Files).size(), 2);
    trace->trigger();
    EXPECT_FALSE(trace->isChecked());
    EXPECT_TRUE(logHas(QString::fromUtf8("Registro do tráfego serial encerrado: "))) << log().toStdString();
}
