// A unit identifying itself to the real window over a pty.

#include "app_fixture.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::waitFor;

class IdentificationTest : public AppTest {};

TEST_F(IdentificationTest, CurrentUnitIsNamedListedAndRead) {
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
}
