// Firmware updates over a pty: the whole image block by block into the
// simulated unit, the decision by version, and a unit that stops answering
// or vanishes in the middle.

#include <QProgressBar>
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

TEST_F(FirmwareUpdateTest, FirmwareThatDoesNotTakeIsAFailureAndIsNotSentAgain) {
    startUnit(unitAt(4, 2, 46), [](sim::UnitSim& u) { u.faults().firmwareNotTaken = true; });
    makeWindow();
    connectUnit();
    const QString notTaken = QString::fromUtf8("O Vek voltou com a versão 4.0.2.46: o novo firmware não foi aceito!");
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
