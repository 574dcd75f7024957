// The update check as the window runs it: the real window, its own labels,
// and a web server on loopback.

#include <QTest>

#include "app_fixture.h"
#include "support/http_test_server.h"
#include "app/update_labels.h"
#include "update/update_checker.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::waitFor;

class WindowUpdateTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(server.listenHttp());
        qputenv("VEKTOOL_UPDATE_BASE", server.baseUrl().toUtf8());
        app::setUrlOpener([this](const QUrl& url) { opened << url; });
    }
    void TearDown() override {
        app::setUrlOpener({});
        AppTest::TearDown();
    }
    // Runs Timer4's steps one by one, waiting for the fetch at the check.
    void runCheck() {
        update::UpdateChecker* checker = window_->updateChecker();
        (*window_->updateChecker()->timer()).stop();  // the test is the clock
        for (int tick = 0; tick < 7 && !checker->finished(); ++tick) {
            if (checker->updateStep() == 6) {
                ASSERT_TRUE(waitFor([&] { return !checker->fetchRunning(); }));
            }
            checker->Timer4Timer();
        }
    }
    test::HttpTestServer server;
    QList<QUrl> opened;
};

TEST_F(WindowUpdateTest, CurrentReleaseIsSaidInTheStatusLine) {
    test::HttpTestServer::Response r;
    r.body = "<pre>#*$(002.047.065@@002.047.065)$*#</pre>";
    server.serve("/files/vektool.ver", r);
    makeWindow();
    EXPECT_TRUE((*window_->updateChecker()->timer()).isActive());
    EXPECT_EQ(widget<QLabel>("L_Site")->text(), server.baseUrl() + "/vek");
    runCheck();
    EXPECT_EQ(widget<QLabel>("L_Msg")->text(), QString::fromUtf8("O VekTool está atualizado"));
    EXPECT_FALSE(widget<QLabel>("L_Msg")->font().underline());
    EXPECT_FALSE((*window_->updateChecker()->timer()).isActive());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WindowUpdateTest, DeclinedOfferTurnsTheStatusLineIntoALink) {
    test::HttpTestServer::Response r;
    r.body = "#*$(002.047.066@@002.047.066)$*#\n";
    server.serve("/files/vektool.ver", r);
    boxAnswer = QMessageBox::No;
    makeWindow();
    runCheck();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QString::fromUtf8("Atualização VekTool"));
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
    auto* msg = widget<QLabel>("L_Msg");
    EXPECT_EQ(msg->text(), "Clique aqui para atualizar o VekTool");
    EXPECT_TRUE(msg->font().underline());
    EXPECT_EQ(msg->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QTest::mouseClick(msg, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toString(), server.baseUrl() + "/files/VekTool v2.47.B.exe");
    EXPECT_TRUE(msg->text().isEmpty());
}
