// Reading and writing the unit's configuration through the real window over
// a pty: the form filled from a valid image, an invalid one replaced by a
// preset and written back, an edited form written byte for byte, the close
// after configuring, a unit that stops answering, and the remote list.

#include <QProgressBar>
#include <algorithm>

#include "app_fixture.h"
#include "config/config_image.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::pump;
using vek::testing::waitFor;

namespace {

config::Image presetImage(bool norvale) {
    config::FormModel form;
    norvale ? config::applyNorvale(form) : config::applyDefaults(form);
    config::Image image{};
    EXPECT_FALSE(config::encode(form, image).has_value());
    return image;
}

const QString kReadDone = QString::fromUtf8("Leitura da configuração interna concluída!");
const QString kWritten = QString::fromUtf8("Atualização concluída com sucesso!");
const QString kVerified = QString::fromUtf8("Configuração conferida: o Vek guardou exatamente o que foi gravado.");

}  // namespace

class ConfigurationTest : public AppTest {
protected:
    sim::ConfigMemory unitConfig() {
        return unit->withUnit([](sim::UnitSim& u) { return u.config(); });
    }
    std::vector<int> progress;
    void watchProgress() {
        QObject::connect(widget<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged,
                         [this](int v) { progress.push_back(v); });
    }
};

TEST_F(ConfigurationTest, ValidConfigurationFillsTheForm) {
    startUnit();
    makeWindow();
    watchProgress();
    connectUnit();
    ASSERT_TRUE(waitLog(kReadDone)) << log().toStdString();
    // The copy of what was read is kept (and said) before the read is called done.
    const QString read = QString::fromUtf8("O Vek está atualizado!\nBuscando configuração interna...\n"
                                           "Cópia da configuração do Vek guardada em ");
    EXPECT_TRUE(logHas(read)) << log().toStdString();
    EXPECT_GT(log().indexOf(kReadDone), log().indexOf(read));
    EXPECT_EQ(progress, std::vector<int>({2, 3, 4, 5, 0}));
    EXPECT_TRUE(widget<QPushButton>("B_SetConfig")->isEnabled());
    // The simulated unit's own record (neither preset).
    EXPECT_EQ(widget<QComboBox>("CB_PING")->currentText(), "120");
    EXPECT_EQ(widget<QComboBox>("CB_A232")->currentText(), "115200");
    EXPECT_EQ(widget<QComboBox>("CB_B232")->currentText(), "19200");
    EXPECT_EQ(widget<QLineEdit>("ED_RPX")->text(), "3800");
    EXPECT_EQ(widget<QLineEdit>("ED_RBGL")->text(), "850");
    EXPECT_EQ(widget<QLineEdit>("ED_ACN")->text(), "13");
    EXPECT_TRUE(widget<QCheckBox>("CB_BZ_VMX_IN")->isChecked());
    EXPECT_TRUE(widget<QCheckBox>("CB_BZ_VMX_OUT")->isChecked());
    EXPECT_FALSE(widget<QCheckBox>("CB_BZ_VMX_WH")->isChecked());
    EXPECT_TRUE(widget<QCheckBox>("CB_BZ_VCH_WH")->isChecked());
    EXPECT_FALSE(widget<QCheckBox>("CB_EV_VCH_IN")->isChecked());
    EXPECT_TRUE(widget<QCheckBox>("CB_EV_OSC_OUT")->isChecked());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(unit->withUnit([](sim::UnitSim& u) { return u.memoryReads(); }), 5);
}

TEST_F(ConfigurationTest, InvalidConfigurationIsReplacedByAPresetAndWritten) {
    struct Case {
        const char* name;
        sim::ConfigState state;
        bool norvale;
    };
    for (const Case& c : {Case{"never written", sim::ConfigState::NeverWritten, false},
                          Case{"wrong magic", sim::ConfigState::WrongMagic, false},
                          Case{"A232 576", sim::ConfigState::A232_576, false},
                          Case{"wrong sum, Norvale forced", sim::ConfigState::WrongSum, true}}) {
        SCOPED_TRACE(c.name);
        startUnit({}, [&](sim::UnitSim& u) { u.setConfig(sim::makeConfig(c.state)); });
        makeWindow();
        widget<QCheckBox>("Cb_Norvale")->setChecked(c.norvale);
        connectUnit();
        ASSERT_TRUE(waitLog(kWritten)) << log().toStdString();
        const QString preparing = QString::fromUtf8(c.norvale ? "Preparando configuração Norvale..."
                                                              : "Preparando configuração padrão...");
        EXPECT_TRUE(logHas(QString::fromUtf8("Configuração inválida!\n") + preparing +
                           QString::fromUtf8("\nIniciando atualização...\nAtualizando configuração...\n") + kWritten))
            << log().toStdString();
        const config::Image expected = presetImage(c.norvale);
        const sim::ConfigMemory held = unitConfig();
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), held.begin()));
        EXPECT_TRUE(widget<QPushButton>("B_SetConfig")->isEnabled());
        EXPECT_TRUE(unit->withUnit([](sim::UnitSim& u) { return u.problems().empty(); }));
        window_.reset();
        unit->stop();
    }
}

TEST_F(ConfigurationTest, NorvaleConfigurationReadsBackWithoutFault) {
    startUnit({}, [](sim::UnitSim& u) { u.setConfig(sim::makeConfig(sim::ConfigState::NeverWritten)); });
    makeWindow();
    widget<QCheckBox>("Cb_Norvale")->setChecked(true);
    connectUnit();
    ASSERT_TRUE(waitLog(kWritten)) << log().toStdString();
    reconnect();
    ASSERT_TRUE(waitLog(kReadDone)) << log().toStdString();
    EXPECT_FALSE(logHas(QString::fromUtf8("Configuração inválida!")));
}

TEST_F(ConfigurationTest, EditedFormLandsByteForByte) {
    startUnit();
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitLog(kReadDone));
    widget<QLineEdit>("ED_VMX")->setText("95");
    widget<QLineEdit>("ED_RBGL")->setText("1000");
    widget<QComboBox>("CB_PING")->setCurrentIndex(9);
    widget<QCheckBox>("CB_BZ_RPX_WH")->click();  // "Durante" takes over from "Entrada"
    EXPECT_FALSE(widget<QCheckBox>("CB_BZ_RPX_IN")->isChecked());
    widget<QCheckBox>("CB_BZ_ACN")->click();
    widget<QPushButton>("B_SetConfig")->click();
    ASSERT_TRUE(waitLog(kWritten)) << log().toStdString();

    // The unit's record with the edits, worked out by hand.
    sim::ConfigMemory expected = sim::makeConfig(sim::ConfigState::Valid);
    expected[8] = 0x01, expected[9] = 0x2C;    // PING 300
    expected[19] = 95;                         // VMX
    expected[24] = 42;                         // RPX: buzzer "Durante", register "Saída"
    expected[33] = 0x03, expected[34] = 0xE8;  // RBGL 1000
    expected[17] = 11;                         // ACN: buzzer and register
    std::uint32_t sum = 0;
    for (int i = 0; i < 36; ++i) sum += expected[static_cast<std::size_t>(i)];
    expected[36] = static_cast<std::uint8_t>(sum >> 16);
    expected[37] = static_cast<std::uint8_t>(sum >> 8);
    expected[38] = static_cast<std::uint8_t>(sum);
    EXPECT_EQ(unitConfig(), expected);
    EXPECT_TRUE(unit->withUnit([](sim::UnitSim& u) { return u.problems().empty(); }));
}

TEST_F(ConfigurationTest, WideValuesAreShownWholeAndWrittenBackUnchanged) {
    // Wider than their boxes take by typing (2 and 4 digits), and within what
    // a write accepts: 120 minutes of idling, 12000 rpm.
    config::FormModel form;
    config::applyDefaults(form);
    form.text[config::TOSC] = "120";
    form.text[config::RPX] = "12000";
    config::Image image{};
    ASSERT_FALSE(config::encode(form, image).has_value());
    sim::ConfigMemory held{};
    std::copy(image.begin(), image.end(), held.begin());
    startUnit({}, [&](sim::UnitSim& u) { u.setConfig(held); });
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitLog(kReadDone)) << log().toStdString();
    EXPECT_EQ(widget<QLineEdit>("ED_TOSC")->text(), "120");
    EXPECT_EQ(widget<QLineEdit>("ED_RPX")->text(), "12000");

    widget<QPushButton>("B_SetConfig")->click();
    ASSERT_TRUE(waitLog(kVerified)) << log().toStdString();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(unitConfig(), held);
    unit->withUnit([](sim::UnitSim& u) {
        EXPECT_EQ(u.transfers().size(), 1u);
        EXPECT_TRUE(u.transfers().back().accepted);
        return 0;
    });
}

TEST_F(ConfigurationTest, RefusedFieldIsEmptiedAndNothingIsSent) {
    startUnit();
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitLog(kReadDone));
    const std::size_t framesBefore = unit->withUnit([](sim::UnitSim& u) { return u.frames().size(); });
    widget<QLineEdit>("ED_RBGL")->setText("1001");
    widget<QPushButton>("B_SetConfig")->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Erro");
    EXPECT_EQ(boxes[0].text, QString::fromUtf8("Parâmetro inválido!\r\n[Rotação max. Banguela]\r\nPermitido: 300 a 1000 rpm"));
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(widget<QLineEdit>("ED_RBGL")->text().isEmpty());
    pump(300);
    EXPECT_EQ(unit->withUnit([](sim::UnitSim& u) { return u.frames().size(); }), framesBefore);
    EXPECT_EQ(unitConfig(), sim::makeConfig(sim::ConfigState::Valid));
}

TEST_F(ConfigurationTest, CloseAfterConfiguringClosesThePort) {
    startUnit();
    makeWindow();
    widget<QCheckBox>("Cb_COMAutoClose")->setChecked(true);
    connectUnit();
    ASSERT_TRUE(waitLog(kReadDone));
    widget<QPushButton>("B_SetConfig")->click();
    ASSERT_TRUE(waitFor([&] { return !window_->controller().isOpen(); })) << log().toStdString();
    EXPECT_TRUE(disconnectedState());
    EXPECT_TRUE(widget<QComboBox>("ComboBox1")->isEnabled());
    // Closed once the record read back matched what was written.
    EXPECT_TRUE(log().endsWith(kWritten + "\n" + kVerified + QString::fromUtf8("\nConexão fechada...")))
        << log().toStdString();
}

TEST_F(ConfigurationTest, UnitThatStopsAnsweringMidReadGivesError4) {
    startUnit({}, [](sim::UnitSim& u) { u.faults().silentAfterReads = 2; });
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return !boxes.empty(); })) << log().toStdString();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "ERRO #0x04");
    EXPECT_EQ(boxes[0].text, QString::fromUtf8("A operação não pode ser concluida!"));
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
    EXPECT_EQ(widget<QProgressBar>("ProgressBar1")->value(), 0);
    EXPECT_FALSE(widget<QPushButton>("B_SetConfig")->isEnabled());
    // The third request was sent once and again at idle ticks 3, 5 and 7.
    EXPECT_EQ(unit->withUnit([](sim::UnitSim& u) { return u.memoryReads(); }), 2 + 4);
}

TEST_F(ConfigurationTest, RemoteListWorksWithoutAUnit) {
    makeWindow();
    ASSERT_TRUE(widget<QPushButton>("B_RemConfig")->isEnabled());
    widget<QPushButton>("B_SetDefaults")->click();
    widget<QLineEdit>("ED_VMX")->setText("151");
    widget<QPushButton>("B_RemConfig")->click();
    const QStringList lines = log().split('\n');
    ASSERT_EQ(lines.size(), 10) << log().toStdString();
    EXPECT_EQ(lines[0], QString::fromUtf8("Comandos de configuração remota:"));
    // '#CPI[180]' XORed character by character is 0x46.
    EXPECT_EQ(lines[1], "#CPI[180]46______________PING");
    EXPECT_EQ(lines[5], QString::fromUtf8("Parâmetro inválido! [Velocidade]"));
    EXPECT_TRUE(widget<QLineEdit>("ED_VMX")->text().isEmpty());
    EXPECT_TRUE(lines[9].startsWith("#CBGL[40,900,5,11]"));
    EXPECT_TRUE(lines[9].endsWith("Banguela"));
}
