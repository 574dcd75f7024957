// The window on its own: start-up, layout limits, the production panel's
// keyboard capture and verdict, and the port list.

#include <QDir>
#include <QFile>
#include <QRegularExpressionValidator>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QTest>

#include "app/message_box.h"
#include "app/up_down.h"
#include "app_fixture.h"
#include "link/com_port.h"

using namespace vek;
using vek::testing::AppTest;
using vek::testing::pump;
using vek::testing::waitFor;

class WindowTest : public AppTest {};

TEST_F(WindowTest, StartsWithNoPortsQuietly) {
    makeWindow();
    EXPECT_EQ(window_->windowTitle(), "VekTool v2.47.A");
    EXPECT_EQ(widget<QComboBox>("ComboBox1")->count(), 0);
    EXPECT_EQ(widget<QComboBox>("ComboBox1")->currentIndex(), -1);
    EXPECT_TRUE(log().isEmpty());
    EXPECT_TRUE(boxes.empty());
    // The form at its own size, under the menu bar.
    EXPECT_EQ(window_->form()->size(), QSize(557, 742));
    EXPECT_EQ(window_->size(), QSize(557, 742 + window_->findChild<QWidget*>("MenuBar")->height()));
    EXPECT_TRUE(disconnectedState());
    EXPECT_FALSE(widget<QPushButton>("B_SetConfig")->isEnabled());

    // With nothing to open, the button only pops up again.
    pressConnect();
    EXPECT_FALSE(widget<QToolButton>("ButtonVCP")->isChecked());
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(WindowTest, StartUpFillsListsAndEmptiesTheForm) {
    makeWindow();
    auto items = [](QComboBox* cb) {
        QStringList s;
        for (int i = 0; i < cb->count(); ++i) s << cb->itemText(i);
        return s;
    };
    EXPECT_EQ(items(widget<QComboBox>("CB_PING")),
              QStringList({"5", "10", "15", "30", "45", "60", "90", "120", "180", "300"}));
    const QStringList bauds{"9600", "19200", "57600", "115200"};
    EXPECT_EQ(items(widget<QComboBox>("CB_A232")), bauds);
    EXPECT_EQ(items(widget<QComboBox>("CB_B232")), bauds);
    EXPECT_FALSE(widget<QComboBox>("CB_A232")->isEnabled());
    for (const char* name : {"ED_ACP", "ED_VMX", "ED_RPX", "ED_TOSC", "ED_VEBK", "ED_TEBK", "ED_REBK"})
        EXPECT_TRUE(widget<QLineEdit>(name)->text().isEmpty()) << name;
    // The arrows end up level with their boxes.
    EXPECT_EQ(widget<app::UpDown>("UD_VMX")->y(), widget<QLineEdit>("ED_VMX")->y());
}

TEST_F(WindowTest, EditBoxesTakeDigitsWithinTheirLimits) {
    makeWindow();
    struct Case {
        const char* edit;
        const char* ud;
        int maxLength, min, max;
        bool arrows;
        bool typed;  // typing by hand takes time: once per length limit
    };
    const Case cases[] = {
        {"ED_VMX", "UD_VMX", 3, 1, 250, false, true},     {"ED_TVMX", "UD_TVMX", 2, 0, 20, true, true},
        {"ED_RPX", "UD_RPX", 4, 1000, 9999, false, true}, {"ED_RBGL", "UD_RBGL", 4, 300, 1500, true, false},
        {"ED_TOSC", "UD_TOSC", 2, 1, 45, false, false},   {"ED_ACN", "UD_ACN", 3, 1, 255, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edit);
        auto* e = widget<QLineEdit>(c.edit);
        auto* ud = widget<app::UpDown>(c.ud);
        EXPECT_EQ(ud->minimum(), c.min);
        EXPECT_EQ(ud->maximum(), c.max);
        e->setFocus();
        if (c.typed) {
            e->clear();
            typeByHand("1a2");
            EXPECT_EQ(e->text(), "12") << "only digits are taken";
            // The length limit holds for typing...
            e->clear();
            typeByHand("98765");
            EXPECT_EQ(e->text(), QString("98765").left(c.maxLength));
        }
        // ...and not for a value shown: it is never cut.
        e->setText("123456");
        EXPECT_EQ(e->text(), "123456");
        QTest::keyClick(e, Qt::Key_Backspace);
        EXPECT_EQ(e->text(), "12345") << "a wide value can be shortened by hand";
        e->setText(QString::number(c.max));
        ud->stepBy(1);
        EXPECT_EQ(e->text(), QString::number(c.max)) << "no wrap past the top";
        e->setText(QString::number(c.min));
        ud->stepBy(-1);
        EXPECT_EQ(e->text(), QString::number(c.min)) << "no wrap past the bottom";
        QTest::keyClick(e, Qt::Key_Up);
        EXPECT_EQ(e->text(), QString::number(c.arrows ? c.min + 1 : c.min));
    }
}

TEST_F(WindowTest, CapturesTwentyFourHexKeysIntoTheQrField) {
    makeWindow();
    auto* edit2 = widget<QLineEdit>("Edit2");
    const QString first = "0123456789";
    for (QChar c : first) key(static_cast<Qt::Key>(c.unicode()), Qt::NoModifier, c);
    key(Qt::Key_G, Qt::NoModifier, "g");  // not hexadecimal: neither taken nor a reset
    key(Qt::Key_Return);
    EXPECT_TRUE(edit2->text().isEmpty());
    // Letters are taken upper-case whatever the shift state.
    const QString rest = "abcdefABCD0123";
    for (QChar c : rest)
        key(static_cast<Qt::Key>(c.toUpper().unicode()), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, c);
    EXPECT_EQ(edit2->text(), "0123456789ABCDEFABCD0123");
    EXPECT_EQ(window_->keyCapture(), "");

    // Keypad digits and anything with Ctrl are not the reader's.
    key(Qt::Key_5, Qt::KeypadModifier, "5");
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(window_->keyCapture(), "");
    key(Qt::Key_7, Qt::NoModifier, "7");
    EXPECT_EQ(window_->keyCapture(), "7");
}

TEST_F(WindowTest, CtrlAltShiftF12TogglesTheProductionPanel) {
    makeWindow();
    const auto mods = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
    key(Qt::Key_F12, mods);
    EXPECT_EQ(window_->width(), app::MainWindow::kWideWidth);
    EXPECT_TRUE(widget<QTextEdit>("LogIdList")->geometry().right() < window_->width());
    key(Qt::Key_F12, Qt::ControlModifier | Qt::AltModifier);  // not all three held
    EXPECT_EQ(window_->width(), app::MainWindow::kWideWidth);
    key(Qt::Key_F12, mods);
    EXPECT_EQ(window_->width(), app::MainWindow::kNormalWidth);
}

TEST_F(WindowTest, VerdictComparesUsbAndQrIdentifiers) {
    makeWindow();
    auto* verdict = widget<QLabel>("Label0");
    auto* edit1 = widget<QLineEdit>("Edit1");
    auto* edit2 = widget<QLineEdit>("Edit2");
    EXPECT_EQ(verdict->text(), "X");
    QTest::mouseClick(widget<QLabel>("Label7"), Qt::LeftButton);  // both empty: nothing was compared, no OK
    EXPECT_EQ(verdict->text(), "X");
    EXPECT_TRUE(verdict->styleSheet().contains("#ff0000"));
    edit1->setText("00000003000000020000000A");
    EXPECT_EQ(verdict->text(), "X");
    EXPECT_TRUE(verdict->styleSheet().contains("#ff0000"));
    edit2->setText("00000003000000020000000A");
    EXPECT_EQ(verdict->text(), "OK");
    EXPECT_TRUE(verdict->styleSheet().contains("#008000"));
    QTest::mouseClick(widget<QLabel>("Label8"), Qt::LeftButton);
    EXPECT_TRUE(edit2->text().isEmpty());
    EXPECT_EQ(verdict->text(), "X");
    QTest::mouseClick(verdict, Qt::LeftButton);
    EXPECT_TRUE(edit1->text().isEmpty());
    EXPECT_EQ(verdict->text(), "X");
}

TEST_F(WindowTest, PortListIsSortedAndDropDownSelectsTheFirst) {
    link::ComPort::setSystemPortLister([] { return QStringList{"COM3", "ttyUSB0", "COM10"}; });
    qputenv("VEKTOOL_EXTRA_PORTS", "/dev/pts/91:/dev/pts/17");
    window_ = std::make_unique<app::MainWindow>();
    auto* combo = widget<QComboBox>("ComboBox1");
    QStringList listed;
    for (int i = 0; i < combo->count(); ++i) listed << combo->itemText(i);
    EXPECT_EQ(listed, QStringList({"/dev/pts/17", "/dev/pts/91", "COM10", "COM3", "ttyUSB0"}));
    EXPECT_EQ(combo->currentIndex(), 0);
    combo->setCurrentIndex(3);
    combo->showPopup();
    combo->hidePopup();
    EXPECT_EQ(combo->currentIndex(), 0);
}

TEST_F(WindowTest, ConnectButtonSaysWhatAPressWillDo) {
    makeWindow();
    auto* b = widget<QToolButton>("ButtonVCP");
    EXPECT_EQ(b->size(), QSize(80, 80));
    EXPECT_FALSE(b->icon().isNull());
    EXPECT_EQ(b->accessibleName(), b->toolTip());
    EXPECT_TRUE(b->toolTip().startsWith("Conectar"));
}

TEST_F(WindowTest, DeletesOlderExecutablesBesideIt) {
    const QDir dir(QCoreApplication::applicationDirPath());
    const QStringList old{"VekTool v2.45.A.exe", "VekTool v2.45.B.exe", "VekTool v2.46.A.exe", "VekTool v2.46.B.exe"};
    for (const QString& name : old) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile keep(dir.filePath("VekTool v2.47.A.exe"));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    makeWindow();
    for (const QString& name : old) EXPECT_FALSE(dir.exists(name)) << name.toStdString();
    EXPECT_TRUE(dir.exists("VekTool v2.47.A.exe"));
    QFile::remove(dir.filePath("VekTool v2.47.A.exe"));
}

TEST_F(WindowTest, EveryLayoutControlExistsWithItsCaption) {
    makeWindow();
    const std::pair<const char*, const char*> captions[] = {
        {"B_SetConfig", "CONFIGURAR"},
        {"B_SetDefaults", "preencher valores padrão"},
        {"B_RemConfig", "listar comandos de configuração remota"},
        {"B_FwTx", "FwUpload"},
        {"B_FwJump", "FwJump"},
        {"B_GetConfig", "GetConfig"},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(widget<QAbstractButton>(name)->text(), QString::fromUtf8(caption)) << name;
    EXPECT_EQ(widget<QCheckBox>("Cb_Norvale")->text(), QString::fromUtf8("Forçar configuração Norvale"));
    EXPECT_EQ(widget<QCheckBox>("Cb_COMAutoClose")->text(), QString::fromUtf8("Fechar após configurar"));
    EXPECT_EQ(widget<QLabel>("L_Clear")->text(), "Limpar");
    EXPECT_EQ(widget<QLabel>("Label7")->text(), "USB");
    EXPECT_EQ(widget<QLabel>("Label8")->text(), "QR code");
    for (const char* g : {"VMX", "VCH", "RPX", "OSC", "BGL"}) {
        for (const char* box : {"CB_EV_%1_IN", "CB_EV_%1_OUT", "CB_BZ_%1_IN", "CB_BZ_%1_OUT", "CB_BZ_%1_WH"})
            widget<QCheckBox>(QString::fromLatin1(box).arg(g).toLatin1().constData());
    }
    // Edit boxes are named by their group and label for screen readers.
    EXPECT_EQ(widget<QLineEdit>("ED_TVCH")->accessibleName(),
              QString::fromUtf8("VELOCIDADE NA CHUVA: Tempo validação [segundos]"));
    EXPECT_EQ(widget<QLineEdit>("ED_XOSC")->accessibleName(),
              QString::fromUtf8("OCIOSIDADE DO MOTOR (funcionando parado): Tempo de exceção para manobras rápidas [segundos]"));
    // The hidden controls sit beyond the widest window.
    EXPECT_GE(widget<QWidget>("B_FwTx")->x(), app::MainWindow::kWideWidth);
    EXPECT_GE(widget<QWidget>("GB_EBK")->x(), app::MainWindow::kWideWidth);
}

// An error no handler took reaches the operator in the tool's words: a
// serial failure by what failed, with the system's own words after it.
TEST(LastResortBox, SaysWhatFailedInPortuguese) {
    const struct {
        link::ComPortError error;
        const char* says;
    } cases[] = {
        {link::ComPortError(link::CE_OpenFailed, 2, "No such file or directory"),
         "Erro na porta serial: não foi possível abrir a porta.\r\nO sistema informou: No such file or directory"},
        {link::ComPortError(link::CE_WriteFailed, 5), "Erro na porta serial: não foi possível escrever na porta."},
        {link::ComPortError(link::CE_SetStateFailed, 22), "Erro na porta serial: não foi possível preparar a porta."},
        {link::ComPortError(link::CE_RegError, 0), "Erro na porta serial: falha de código 23."},
    };
    for (const auto& c : cases) EXPECT_EQ(app::exceptionText(c.error), QString::fromUtf8(c.says));
    EXPECT_EQ(app::exceptionText(std::bad_alloc()), QString::fromUtf8("Erro inesperado: std::bad_alloc"));
}

namespace {
// The boxes on screen, as a person sees them.
QList<QMessageBox*> boxesShown() {
    QList<QMessageBox*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) shown << b;
    return shown;
}
}  // namespace

// A box that comes while another is open waits for it; the same notice twice
// is read once; a question is asked even behind an equal one.
TEST_F(WindowTest, BoxesComeOneAtATimeAndTheSameNoticeOnce) {
    app::setBoxHandler({});
    const app::BoxRequest readFailed{QString::fromUtf8("A operação não pode ser concluida!"), "ERRO #0x04",
                                     QMessageBox::Warning, QMessageBox::Ok};
    const app::BoxRequest noConnection{QString::fromUtf8("Não há conexão ativa!"), "ERRO #0x01", QMessageBox::NoIcon,
                                       QMessageBox::Ok};
    app::openBox(readFailed);
    app::openBox(readFailed);
    app::openBox(noConnection);
    app::openBox(readFailed);  // waiting behind the open one's twin: dropped too
    pump(50);
    QList<QMessageBox*> shown = boxesShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0]->windowTitle(), "ERRO #0x04");
    EXPECT_EQ(app::boxesWaiting(), 1);

    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    app::openBox({"Parar?", "Estação", QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
                 [&](QMessageBox::StandardButton b) { answer = b; });
    shown[0]->button(QMessageBox::Ok)->click();
    pump(50);
    shown = boxesShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0]->windowTitle(), "ERRO #0x01");
    EXPECT_EQ(shown[0]->text(), QString::fromUtf8("Não há conexão ativa!"));
    shown[0]->button(QMessageBox::Ok)->click();
    pump(50);
    shown = boxesShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0]->windowTitle(), QString::fromUtf8("Estação"));
    shown[0]->button(QMessageBox::No)->click();
    pump(50);
    EXPECT_EQ(answer, QMessageBox::No);
    EXPECT_TRUE(boxesShown().isEmpty());
    EXPECT_EQ(app::boxesWaiting(), 0);

    // Once read and closed, the same failure on a later road is shown again.
    app::openBox(readFailed);
    pump(50);
    ASSERT_EQ(boxesShown().size(), 1);
    delete boxesShown()[0];  // gone without an answer: the queue is not stuck
    app::openBox(noConnection);
    pump(50);
    ASSERT_EQ(boxesShown().size(), 1);
    EXPECT_EQ(boxesShown()[0]->windowTitle(), "ERRO #0x01");
    boxesShown()[0]->button(QMessageBox::Ok)->click();
    pump(50);
}

// A unit that stops answering every read: the same failure on the same road
// twice, while the first box is still open, leaves one box on screen.
TEST_F(WindowTest, TheSameFailureTwiceLeavesOneBox) {
    startUnit({}, [](sim::UnitSim& u) { u.faults().silentAfterReads = 0; });
    makeWindow();
    app::setBoxHandler({});
    connectUnit();
    ASSERT_TRUE(waitFor([] { return !boxesShown().isEmpty(); }, 8000)) << log().toStdString();
    ASSERT_TRUE(waitLog(QString::fromUtf8("O Vek parou de responder durante a leitura da configuração"))) << log().toStdString();
    pressConnect();  // closed, the box still open
    ASSERT_TRUE(waitFor([&] { return disconnectedState(); }));
    connectUnit();
    // The Log starts anew with the connection; the read fails again.
    ASSERT_TRUE(waitLog(QString::fromUtf8("O Vek parou de responder durante a leitura da configuração"), 8000)) << log().toStdString();
    pump(100);
    EXPECT_EQ(boxesShown().size(), 1);
    EXPECT_EQ(app::boxesWaiting(), 0);
    for (QMessageBox* b : boxesShown()) b->button(QMessageBox::Ok)->click();
    pump(50);
    EXPECT_TRUE(boxesShown().isEmpty());
}
