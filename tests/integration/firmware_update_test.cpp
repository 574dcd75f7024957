// Firmware updates over a pty: the whole image block by block into the
// simulated unit, the decision by version, and a unit that stops answering
// or vanishes in the middle.

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <algorithm>

#include "app_fixture.h"
#include "transfer/firmware.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::pump;
using vek::testing::waitFor;

class FirmwareUpdateTest : public AppTest {
protected:
    sim::Identity unitAt(std::uint8_t type, std::uint8_t major, std::uint8_t minor) {
        sim::Identity id;
        id.version = {type, 0, major, minor};
        return id;
    }
};

TEST_F(FirmwareUpdateTest, OldUnitIsUpdatedRestartsAndIsThenRead) {
    startUnit(unitAt(4, 2, 46));
    makeWindow();
    int progressMax = 0;
    QObject::connect(widget<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged,
                     [&](int v) { progressMax = std::max(progressMax, v); });
    connectUnit();
    ASSERT_TRUE(waitLog(QString::fromUtf8("Atualização concluída com sucesso!"), 60000)) << log().toStdString();
    ASSERT_TRUE(waitLog(QString::fromUtf8("Leitura da configuração interna concluída!"), 10000))
        << log().toStdString();

    const QString expected = QString::fromUtf8(
        "Iniciando atualização...\nAtualizando firmware...\n"
        "Firmware enviado: o Vek está reiniciando com o novo firmware...\n"
        "Vek v4.0.2.47\nId: 0BADF00D 12345678 00C0FFEE\nAtualização concluída com sucesso!\n\nO Vek está atualizado!\n");
    EXPECT_TRUE(logHas(expected)) << log().toStdString();
    // What the unit held is read and kept before the new firmware goes in.
    EXPECT_TRUE(log().startsWith(QString::fromUtf8("Conexão aberta...\nVek v4.0.2.46\nId: 0BADF00D 12345678 00C0FFEE\n"
                                                   "Lendo uma cópia da configuração do Vek antes de alterá-lo...\n"
                                                   "Cópia da configuração do Vek guardada em ")))
        << log().toStdString();
    EXPECT_EQ(log().count(QString::fromUtf8("Atualizando firmware...")), 1);
    EXPECT_EQ(progressMax, 1900);
    EXPECT_EQ(widget<QProgressBar>("ProgressBar1")->value(), 0);
    EXPECT_TRUE(boxes.empty());

    unit->withUnit([](sim::UnitSim& u) {
        const auto image = transfer::firmwareImage();
        EXPECT_TRUE(std::equal(image.begin(), image.end(), u.firmware().begin(), u.firmware().end()));
        EXPECT_EQ(u.restarts(), 1);
        EXPECT_EQ(u.identity().version[2], 2);
        EXPECT_EQ(u.identity().version[3], 47);
        EXPECT_TRUE(u.problems().empty()) << u.problems().front();
        return 0;
    });
}

// Closing the window (or Ctrl+Q) while the unit takes its firmware asks
// first; going on changes nothing, letting it finish closes the window once
// the unit is back with its new firmware.
TEST_F(FirmwareUpdateTest, LeavingDuringAnUpdateAsksAndLettingItFinishLeavesTheUnitUpdated) {
    // Acknowledgements a little slow, so the update outlasts the questions.
    startUnit(unitAt(4, 2, 46), [](sim::UnitSim& u) { u.faults().replyDelayMs = 3; });
    makeWindow();
    auto* bar = widget<QProgressBar>("ProgressBar1");
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return bar->value() >= 20; }, 20000)) << log().toStdString();

    // The real box, its buttons pressed by name: "Continuar".
    app::setBoxHandler({});
    window_->close();
    QMessageBox* box = nullptr;
    ASSERT_TRUE(waitFor([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
        return box != nullptr;
    }));
    EXPECT_EQ(box->windowTitle(), "Fechar o VekTool");
    EXPECT_TRUE(box->text().startsWith(QString::fromUtf8("O Vek está recebendo o firmware novo.\n\nDeixar terminar: "))) << box->text().toStdString();
    EXPECT_TRUE(box->text().contains(QString::fromUtf8("Parar agora: a atualização para já e a janela fecha; o Vek fica sem firmware válido")))
        << box->text().toStdString();
    auto* stop = box->findChild<QAbstractButton*>("B_StopNow");
    auto* finish = box->findChild<QAbstractButton*>("B_LetFinish");
    auto* goOn = box->findChild<QAbstractButton*>("B_GoOn");
    ASSERT_TRUE(stop && finish && goOn);
    EXPECT_EQ(stop->text(), "Parar agora");
    EXPECT_EQ(finish->text(), "Deixar terminar");
    EXPECT_EQ(goOn->text(), "Continuar");
    goOn->click();
    app::setBoxHandler([this](const app::BoxRequest& r) {
        boxes.push_back(r);
        return boxAnswer;
    });
    ASSERT_TRUE(waitLog(QString::fromUtf8(" — Continuar: a janela continua aberta")));
    EXPECT_TRUE(QRegularExpression(QString::fromUtf8("\n\\d\\d:\\d\\d:\\d\\d — Continuar: ")).match(log()).hasMatch())
        << log().toStdString();
    const int before = bar->value();
    pump(1500);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_GT(bar->value(), before) << "the update goes on";

    // Ctrl+Q asks the same; letting it finish closes the window once the unit is back.
    boxAnswer = QMessageBox::Yes;
    window_->findChild<QAction*>("A_Quit")->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Fechar o VekTool");
    EXPECT_TRUE(logHas(QString::fromUtf8(" — Deixar terminar: a janela fecha quando o Vek terminar."))) << log().toStdString();
    pump(200);
    EXPECT_TRUE(window_->isVisible()) << "not before the unit has finished";
    ASSERT_TRUE(waitFor([&] { return !window_->isVisible(); }, 60000)) << log().toStdString();
    EXPECT_TRUE(logHas(QString::fromUtf8("Atualização concluída com sucesso!"))) << log().toStdString();
    EXPECT_TRUE(logHas(QString::fromUtf8("Leitura da configuração interna concluída!"))) << log().toStdString();
    unit->withUnit([](sim::UnitSim& u) {
        EXPECT_EQ(u.restarts(), 1);
        EXPECT_EQ(u.identity().version[3], 47);
        return 0;
    });
}

// "Parar agora" stops the transfer, says in the Log (in red) what the unit
// is left with and how to recover, and closes the window.
TEST_F(FirmwareUpdateTest, StoppingNowWhileLeavingSaysTheUnitNeedsFirmware) {
    startUnit(unitAt(4, 2, 46), [](sim::UnitSim& u) { u.faults().replyDelayMs = 3; });
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return widget<QProgressBar>("ProgressBar1")->value() >= 20; }, 20000)) << log().toStdString();
    boxAnswer = QMessageBox::Abort;
    window_->close();
    ASSERT_EQ(boxes.size(), 1u);
    ASSERT_TRUE(waitFor([&] { return !window_->isVisible(); }, 2000));
    const QString said = QString::fromUtf8(
        " — Parar agora: atualização parada; o Vek ficou sem firmware válido. Para recuperar: conecte-o de novo e a "
        "ferramenta atualiza o firmware.");
    EXPECT_TRUE(logHas(said)) << log().toStdString();
    EXPECT_FALSE(window_->controller().isOpen());
    const int frames = unit->withUnit([](sim::UnitSim& u) { return int(u.frames().size()); });
    pump(1200);
    unit->withUnit([&](sim::UnitSim& u) {
        EXPECT_EQ(int(u.frames().size()), frames) << "nothing more is sent";
        EXPECT_EQ(u.restarts(), 0);
        EXPECT_EQ(u.identity().version[3], 46);
        return 0;
    });
    // The daily file keeps it too, the window being gone.
    window_.reset();
    const QStringList files = QDir(QDir(dataFolder()).filePath("logs")).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    QFile file(QDir(QDir(dataFolder()).filePath("logs")).filePath(files[0]));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(said));
}

TEST_F(FirmwareUpdateTest, FirmwareThatDoesNotTakeIsAFailureAndIsNotSentAgain) {
    startUnit(unitAt(4, 2, 46), [](sim::UnitSim& u) { u.faults().firmwareNotTaken = true; });
    makeWindow();
    connectUnit();
    const QString notTaken = QString::fromUtf8(
        "O novo firmware não foi aceito: o Vek voltou com a versão 4.0.2.46 — conecte de novo para gravar o firmware "
        "outra vez.");
    ASSERT_TRUE(waitLog(notTaken, 60000)) << log().toStdString();
    pump(500);
    EXPECT_FALSE(logHas(QString::fromUtf8("Atualização concluída com sucesso!"))) << log().toStdString();
    EXPECT_FALSE(logHas(QString::fromUtf8("Buscando configuração interna..."))) << "no read after a failed update";
    EXPECT_EQ(log().count(QString::fromUtf8("Iniciando atualização...")), 1);
    // Said in red and on the status line; no box repeats it.
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(widget<QLabel>("StatusLine")->text().startsWith(QString::fromUtf8("Falhou:")));
    EXPECT_EQ(unit->withUnit([](sim::UnitSim& u) { return int(u.transfers().size()); }), 1);
}

TEST_F(FirmwareUpdateTest, VersionDecidesWhetherToUpdate) {
    struct Case {
        std::uint8_t type, major, minor;
        bool update;
    };
    for (const Case& c : {Case{4, 2, 47, false}, Case{3, 3, 0, false}, Case{41, 255, 255, true},
                          Case{3, 99, 7, true}, Case{41, 1, 90, true}}) {
        SCOPED_TRACE(::testing::Message() << int(c.type) << ".0." << int(c.major) << "." << int(c.minor));
        startUnit(unitAt(c.type, c.major, c.minor));
        makeWindow();
        connectUnit();
        const QString next = c.update ? QString::fromUtf8("Iniciando atualização...")
                                      : QString::fromUtf8("O Vek está atualizado!");
        EXPECT_TRUE(waitLog(next)) << log().toStdString();
        if (!c.update) {
            EXPECT_FALSE(logHas(QString::fromUtf8("Iniciando atualização...")));
        }
        window_.reset();
        unit->stop();
    }
}

TEST_F(FirmwareUpdateTest, UnitThatStopsAnsweringEndsInTheCountersBox) {
    startUnit(unitAt(4, 2, 46), [](sim::UnitSim& u) {
        u.faults().dropAckOfBlock = 3;
        u.faults().dropAckAlways = true;
    });
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return !boxes.empty(); }, 10000)) << log().toStdString();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "ERRO #0x02");
    EXPECT_EQ(boxes[0].text,
              QString::fromUtf8("A operação não foi concluida!\r\nNacks = 0\r\nCode10 = 0\r\nCode15 = 0\r\nCode20 = 0"));
    EXPECT_EQ(widget<QProgressBar>("ProgressBar1")->value(), 0);
    EXPECT_FALSE(logHas(QString::fromUtf8("concluída com sucesso")));
    // Block 3 went out once and was resent at idle ticks 3, 5 and 7.
    unit->withUnit([](sim::UnitSim& u) {
        const auto n = std::count_if(u.frames().begin(), u.frames().end(), [](const protocol::Frame& f) {
            return f.code == protocol::CmdFirmwareBlock && protocol::getU16(f.payload, 2) == 3;
        });
        EXPECT_EQ(n, 4);
        return 0;
    });
    pump(1200);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(FirmwareUpdateTest, UnplugMidUpdateDisconnectsWithoutABoxStorm) {
    startUnit(unitAt(4, 2, 46), [](sim::UnitSim& u) { u.faults().vanishAtBlock = 500; });
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return !window_->controller().isOpen(); }, 20000)) << log().toStdString();
    EXPECT_TRUE(disconnectedState());
    EXPECT_TRUE(widget<QComboBox>("ComboBox1")->isEnabled());
    pump(1500);  // three pacing periods: a running transfer would have spoken by now
    ASSERT_LE(boxes.size(), 1u);
    if (!boxes.empty()) {
        EXPECT_EQ(boxes[0].caption, "ERRO #0x01");
        EXPECT_EQ(boxes[0].text, QString::fromUtf8("Não há conexão ativa!"));
    }
    EXPECT_FALSE(logHas(QString::fromUtf8("concluída com sucesso")));
    EXPECT_EQ(widget<QProgressBar>("ProgressBar1")->value(), 0);
}
