// The line under the progress bar: what runs, how far, how fast and how long
// it still takes, and afterwards how it ended, on a real pty.

#include <QRegularExpression>

#include "app/status_line.h"
#include "app_fixture.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::pump;
using vek::testing::waitFor;

class StatusLineTest : public AppTest {
protected:
    app::StatusLine* status() const { return window_->findChild<app::StatusLine*>(); }
    QString text() const { return status()->text(); }
    QColor colour() const { return widget<QLabel>("StatusLine")->palette().color(QPalette::WindowText); }
};

TEST_F(StatusLineTest, UpdateShowsItsProgressThenWhyItStopped) {
    sim::Identity id;
    id.version = {4, 0, 2, 46};
    // Each reply a little late, so that the update lasts long enough to be
    // measured; it is cut short below.
    startUnit(id, [](sim::UnitSim& u) { u.faults().replyDelayMs = 1; });
    makeWindow();
    connectUnit();
    const QRegularExpression running(QString::fromUtf8(
        "^Atualizando o firmware: \\d+ % · bloco \\d+(\\.\\d{3})? de 1\\.900 · \\d+ blocos/s · faltam \\d+ s$"));
    ASSERT_TRUE(waitFor([&] { return running.match(text()).hasMatch(); }, 10000)) << text().toStdString();
    EXPECT_EQ(status()->state(), app::StatusLine::State::Running);
    EXPECT_EQ(widget<QLabel>("StatusLine")->text(), text());

    // Closed under the update: the line keeps why, in red, after the bar is
    // back at zero.
    pressConnect();
    ASSERT_TRUE(waitFor([&] { return status()->state() == app::StatusLine::State::Failed; }))
        << text().toStdString();
    // What broke, the link's counters, and what the unit needs now.
    EXPECT_EQ(text(), QString::fromUtf8("Falhou: o Vek foi desconectado durante a atualização do firmware — o Vek ficou no "
                                        "carregador: conecte de novo para gravar o firmware"));
    EXPECT_EQ(colour(), QColor(0xFF, 0, 0));
    // The picture of it in the docs comes from here.
    if (const QString pictures = qEnvironmentVariable("VEK_SCREENSHOTS"); !pictures.isEmpty()) {
        pump(200);
        EXPECT_TRUE(window_->grab().save(QDir(pictures).filePath(QStringLiteral("status-failed.png"))));
    }
    // Too long for the line: shortened there, whole in the tip.
    auto* label = widget<QLabel>("StatusLine");
    EXPECT_TRUE(label->text() == text() || (label->text().endsWith(QChar(0x2026)) && label->toolTip() == text()));
    pump(600);
    EXPECT_EQ(status()->state(), app::StatusLine::State::Failed);
}

TEST_F(StatusLineTest, EachOutcomeStaysUntilTheNextOperation) {
    startUnit();
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return text() == QString::fromUtf8("Configuração lida."); })) << text().toStdString();
    EXPECT_EQ(colour(), QColor(0x00, 0x80, 0x00));

    widget<QPushButton>("B_SetConfig")->click();
    ASSERT_TRUE(waitFor([&] { return text() == QString::fromUtf8("Configuração gravada e conferida."); }))
        << text().toStdString();
    EXPECT_EQ(status()->state(), app::StatusLine::State::Done);

    widget<QLineEdit>("ED_RBGL")->setText("1001");
    widget<QPushButton>("B_SetConfig")->click();
    EXPECT_EQ(text(), QString::fromUtf8("Falhou: o campo Rotação max. Banguela não aceita \"1001\" (permitido: 300 a 1000 rpm) — "
                                        "corrija o campo e grave de novo: nada foi enviado ao Vek"));
    EXPECT_EQ(colour(), QColor(0xFF, 0, 0));
}

TEST_F(StatusLineTest, ReadThatBreaksOffSaysSo) {
    startUnit({}, [](sim::UnitSim& u) { u.faults().silentAfterReads = 2; });
    makeWindow();
    connectUnit();
    ASSERT_TRUE(waitFor([&] { return status()->state() == app::StatusLine::State::Failed; })) << text().toStdString();
    EXPECT_EQ(text(), QString::fromUtf8("Falhou: o Vek parou de responder durante a leitura da configuração — conecte de novo "
                                        "para ler a configuração"));
}
