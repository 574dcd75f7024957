// Units that answer wrongly, through the real window over a pty: each ends
// in its own message within the same few seconds as a silent unit, or is
// served despite the noise, and a write that the unit stored differently is
// never called a success.

#include <QCheckBox>
#include <QPushButton>

#include "app_fixture.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::pump;
using vek::testing::waitFor;

namespace {

const QString kReadDone = QString::fromUtf8("Leitura da configuração interna concluída!");
const QString kWritten = QString::fromUtf8("Atualização concluída com sucesso!");
const QString kVerified = QString::fromUtf8("Configuração conferida: o Vek guardou exatamente o que foi gravado.");

sim::Identity needingFirmware() {
    sim::Identity id;
    id.version = {4, 0, 2, 46};
    return id;
}

}  // namespace

class MisbehavingUnitTest : public AppTest {
protected:
    template <class F>
    auto fromUnit(F f) {
        return unit->withUnit(f);
    }
};

// Each acknowledgement names another block: the block goes out again at
// once, but none of it is progress, so the update fails as a silent one
// would instead of resending forever.
TEST_F(MisbehavingUnitTest, WrongAcknowledgementsEndInTheFailureBox) {
    startUnit(needingFirmware(), [](sim::UnitSim& u) { u.faults().ackOffset = 1; });
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return !boxes.empty(); }, 8000)) << log().toStdString();
    EXPECT_EQ(boxes[0].caption, "ERRO #0x02");
    pump(600);  // a resending loop would go on here
    const std::size_t frames = fromUnit([](sim::UnitSim& u) { return u.frames().size(); });
    EXPECT_LT(frames, 40u) << "blocks sent to a unit that never acknowledges the right one";
    EXPECT_EQ(boxes.size(), 1u);
    // What broke, with the link's counters, and what the unit needs now.
    EXPECT_TRUE(log().contains(QString::fromUtf8("O Vek parou de responder durante a atualização do firmware (Nacks ")))
        << log().toStdString();
    EXPECT_TRUE(log().endsWith(QString::fromUtf8("— o Vek ficou no carregador: conecte de novo para gravar o firmware.")))
        << log().toStdString();
    EXPECT_TRUE(lastLineRed());
}

TEST_F(MisbehavingUnitTest, ReadRepliesForAnotherBlockEndInError4) {
    startUnit({}, [](sim::UnitSim& u) { u.faults().readWrongBlock = true; });
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return !boxes.empty(); }, 5000)) << log().toStdString();
    EXPECT_EQ(boxes[0].caption, "ERRO #0x04");
    pump(300);
    EXPECT_LT(fromUnit([](sim::UnitSim& u) { return u.memoryReads(); }), 30);
    EXPECT_FALSE(logHas(kReadDone));
}

// Stray headers announcing a long reply before and after every frame: the
// valid frames behind them are taken at once.
TEST_F(MisbehavingUnitTest, StrayHeadersAroundEveryReplyHoldNothingUp) {
    startUnit({}, [](sim::UnitSim& u) { u.faults().strayHeaders = true; });
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitLog(kReadDone, 3000)) << log().toStdString();
    widget<QPushButton>("B_SetConfig")->click();
    ASSERT_TRUE(waitLog(kVerified, 3000)) << log().toStdString();
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MisbehavingUnitTest, AWriteStoredDifferentlyIsSaidInRedAndThePortStaysOpen) {
    startUnit({}, [](sim::UnitSim& u) { u.faults().storeConfigWrongAt = 700; });
    makeWindow();
    widget<QCheckBox>("Cb_COMAutoClose")->setChecked(true);
    connectUnit();
    ASSERT_TRUE(waitLog(kReadDone)) << log().toStdString();
    widget<QPushButton>("B_SetConfig")->click();
    const QString mismatch = QString::fromUtf8("A configuração lida de volta difere da gravada a partir do byte 700");
    ASSERT_TRUE(waitLog(mismatch)) << log().toStdString();
    EXPECT_TRUE(lastLineRed());
    EXPECT_FALSE(logHas(kVerified));
    // A write counts only once it is read back equal: no success line after
    // the read, a red status, and no box repeating the red line.
    const QString afterRead = log().mid(log().indexOf(kReadDone));
    EXPECT_FALSE(afterRead.contains(QString::fromUtf8("Atualização concluída com sucesso!"))) << log().toStdString();
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_TRUE(widget<QLabel>("StatusLine")->text().startsWith(QString::fromUtf8("Falhou:")));
    pump(200);
    EXPECT_TRUE(connectedState()) << "only a confirmed write closes the port on its own";
}
