// A unit identifying itself to the real window over a pty: the version line,
// the production list and the QR comparison, operation mode, and a reply
// that arrives in pieces.

#include <QTest>

#include "app_fixture.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::pump;
using vek::testing::waitFor;

class IdentificationTest : public AppTest {
protected:
    void typeLikeAQrReader(const QString& digits) {
        for (QChar c : digits) key(static_cast<Qt::Key>(c.toUpper().unicode()), Qt::NoModifier, c);
    }
};

TEST_F(IdentificationTest, CurrentUnitIsNamedListedAndComparedWithItsLabel) {
    sim::Identity id;
    id.version = {4, 0, 2, 47};
    id.id = {1, 2, 3};
    startUnit(id);
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitLog("Vek v4.0.2.47\nId: 00000003 00000002 00000001")) << log().toStdString();
    EXPECT_TRUE(waitLog(QString::fromUtf8("O Vek está atualizado!")));
    EXPECT_EQ(widget<QLabel>("L_IdList")->text(), "1");
    EXPECT_EQ(widget<QTextEdit>("LogIdList")->toPlainText(), "00000003 00000002 00000001");
    EXPECT_EQ(widget<QLineEdit>("Edit1")->text(), "000000030000000200000001");
    EXPECT_EQ(widget<QLabel>("Label0")->text(), "X");

    typeLikeAQrReader("000000030000000200000001");
    EXPECT_EQ(widget<QLineEdit>("Edit2")->text(), "000000030000000200000001");
    EXPECT_EQ(widget<QLabel>("Label0")->text(), "OK");

    // The same unit again, in a later connection: not listed twice.
    reconnect();
    ASSERT_TRUE(waitFor([&] { return log().count("Vek v4.0.2.47") == 1 && logHas("Leitura"); }));
    EXPECT_EQ(widget<QLabel>("L_IdList")->text(), "1");
    EXPECT_EQ(widget<QTextEdit>("LogIdList")->toPlainText(), "00000003 00000002 00000001");
}

TEST_F(IdentificationTest, UnitInOperationModeIsToldToRestartAndThePortCloses) {
    startUnit();
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return !widget<QLineEdit>("Edit1")->text().isEmpty(); }));
    // The same port, now with a unit in operation mode: the previous unit's
    // identifier is not left beside it.
    sim::Identity id;
    id.mode = 0;
    unit->withUnit([&](sim::UnitSim& u) {
        u.setIdentity(id);
        return 0;
    });
    reconnect();
    const QString lines = QString::fromUtf8(
        "O Vek foi detectado em modo de operação!\n1-Desconectar todos os chicotes\n2-Conectar apenas o cabo USB\n"
        "3-Aguardar o sistema criar a porta (5 segundos)\n4-Abrir no VekTool a porta criada (%1)")
            .arg(window_->controller().portName());
    ASSERT_TRUE(waitLog(lines)) << log().toStdString();
    ASSERT_TRUE(waitFor([&] { return !window_->controller().isOpen(); }));
    EXPECT_TRUE(disconnectedState());
    EXPECT_TRUE(widget<QLineEdit>("Edit1")->text().isEmpty());
    // Closed from inside the receive path: the port list stays as it was.
    EXPECT_FALSE(widget<QComboBox>("ComboBox1")->isEnabled());
    EXPECT_TRUE(log().endsWith(QString::fromUtf8("Conexão fechada...")));
    EXPECT_FALSE(logHas("Vek v"));
}

TEST_F(IdentificationTest, DamagedAnnouncementsStillIdentifyTheUnit) {
    struct Case {
        const char* name;
        sim::StreamDamage damage;
    };
    sim::StreamDamage split;
    split.splitPieces = 3;
    split.splitGapMs = 30;
    sim::StreamDamage garbage;
    garbage.garbageBefore = true;
    sim::StreamDamage doubled;
    doubled.doubled = true;
    sim::StreamDamage stray;
    stray.strayAfter = true;
    for (const Case& c : {Case{"split in three", split}, Case{"garbage before", garbage}, Case{"doubled", doubled},
                          Case{"stray bytes after", stray}}) {
        SCOPED_TRACE(c.name);
        sim::Identity id;
        id.version = {7, 0, 1, 0};
        startUnit(id, [&](sim::UnitSim& u) { u.faults().damage = c.damage; });
        makeWindow();
        connectUnit();
        EXPECT_TRUE(waitLog("Vek v7.0.1.0")) << log().toStdString();
        pump(100);
        EXPECT_EQ(log().count("Vek v7.0.1.0"), 1);
        window_.reset();
        unit->stop();
    }
}

TEST_F(IdentificationTest, AnnouncementForAnotherDestinationIsReported) {
    startUnit({}, [](sim::UnitSim& u) { u.faults().damage.wrongDestination = true; });
    makeWindow();
    connectUnit();
    EXPECT_TRUE(waitLog(QString::fromUtf8("Destino inválido!"))) << log().toStdString();
    EXPECT_FALSE(logHas("Vek v"));
}
