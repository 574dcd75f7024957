#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QScreen>
#include <QTextCursor>

#include "app/click_filter.h"
#include "app/form_binding.h"
#include "app/glyphs.h"
#include "app/message_box.h"
#include "app/up_down.h"
#include "app/update_labels.h"
#include "config/config_image.h"
#include "ui_main_window.h"
#include "update/update_checker.h"

namespace vek::app {

namespace {

const QColor kWarningColour(0xFF, 0x00, 0x00);
const QColor kOkColour(0x00, 0x80, 0x00);

const char* const kConnectHint = "Conectar à porta selecionada";
const char* const kDisconnectHint = "Desconectar a porta";

// Executables of earlier releases left next to this one.
const char* const kOlderExecutables[] = {"VekTool v2.45.B.exe", "VekTool v2.46.A.exe", "VekTool v2.46.B.exe",
                                         "VekTool v2.45.A.exe"};

QFont logFont() {
    QFont f;
    f.setFamilies({QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                   QStringLiteral("monospace")});
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(12);
    f.setBold(true);
    return f;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::MainWindow>()) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kNormalWidth, kHeight);
    setWindowIcon(app::windowIcon());

    QFont formFont;
    formFont.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                          QStringLiteral("sans-serif")});
    formFont.setPixelSize(11);
    setFont(formFont);

    ui_->Log->setFont(logFont());
    ui_->LogIdList->setFont(logFont());
    ui_->Log->setTextColor(Qt::black);
    QFont msgFont;
    msgFont.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")});
    msgFont.setPixelSize(11);
    msgFont.setUnderline(true);
    ui_->L_Msg->setFont(msgFont);
    // Palette, not a style sheet: the update check turns it into a blue link.
    QPalette msgPalette = ui_->L_Msg->palette();
    msgPalette.setColor(QPalette::WindowText, Qt::gray);
    ui_->L_Msg->setPalette(msgPalette);
    QFont verdict = ui_->Label0->font();
    verdict.setPixelSize(40);
    verdict.setBold(true);
    ui_->Label0->setFont(verdict);
    ui_->Label0->setStyleSheet(QStringLiteral("color: %1;").arg(kWarningColour.name()));
    QFont clearFont = ui_->L_Clear->font();
    clearFont.setUnderline(true);
    ui_->L_Clear->setFont(clearFont);
    ui_->L_Clear->setStyleSheet(QStringLiteral("color: blue;"));
    ui_->L_Clear->setCursor(Qt::PointingHandCursor);
    ui_->Edit1->setReadOnly(true);
    ui_->Edit2->setReadOnly(true);
    onClick(ui_->Label0, [this] { Label0Click(); });
    onClick(ui_->Label7, [this] { Label7Click(); });
    onClick(ui_->Label8, [this] { Label8Click(); });
    onClick(ui_->L_Clear, [this] { L_ClearClick(); });

    ui_->ButtonVCP->setFocusPolicy(Qt::StrongFocus);
    // An opaque bar repaints itself alone; a see-through one drags the whole
    // header behind it into every step of a transfer.
    ui_->ProgressBar1->setAutoFillBackground(true);

    Timer5 = new QTimer(this);
    Timer5->setObjectName(QStringLiteral("Timer5"));
    Timer5->setInterval(10);
    connect(Timer5, &QTimer::timeout, this, &MainWindow::Timer5Timer);

    updateChecker_ = new update::UpdateChecker(this);
    new UpdateLabels(ui_->L_Msg, ui_->L_Site, updateChecker_, this);

    form_ = new FormBinding(*ui_, this);
    connect(form_, &FormBinding::edited, this, [this] { controller_.setForm(form_->form()); });
    wireController();

    connect(ui_->ComboBox1, &PortComboBox::aboutToDropDown, this, &MainWindow::ComboBox1DropDown);
    connect(ui_->ButtonVCP, &QToolButton::clicked, this, &MainWindow::ButtonVCPClick);
    connect(ui_->Log, &QTextEdit::textChanged, this, &MainWindow::LogChange);
    connect(ui_->LogIdList, &QTextEdit::textChanged, this, &MainWindow::LogChange);
    connect(ui_->Edit1, &QLineEdit::textChanged, this, &MainWindow::Edit1Change);
    connect(ui_->Edit2, &QLineEdit::textChanged, this, &MainWindow::Edit1Change);
    connect(ui_->B_SetConfig, &QPushButton::clicked, this, &MainWindow::B_SetConfigClick);
    connect(ui_->B_SetDefaults, &QPushButton::clicked, this, &MainWindow::B_SetDefaultsClick);
    connect(ui_->B_SetNorvale, &QPushButton::clicked, this, &MainWindow::B_SetNorvaleClick);
    connect(ui_->B_RemConfig, &QPushButton::clicked, this, &MainWindow::B_RemConfigClick);
    connect(ui_->Cb_Norvale, &QCheckBox::toggled, this, &MainWindow::optionsEdited);
    connect(ui_->Cb_COMAutoClose, &QCheckBox::toggled, this, &MainWindow::optionsEdited);
    // FwUpload, FwJump and GetConfig lie outside the window and stay unwired:
    // those operations start from the unit's identification only.

    qApp->installEventFilter(this);
    optionsEdited();
    FormCreate();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

QTimer& MainWindow::timer(int n) {
    switch (n) {
        case 1:
        case 2:
        case 3: return controller_.timer(n);
        case 4: return *updateChecker_->timer();
        default: return *Timer5;
    }
}

void MainWindow::wireController() {
    using unit::UnitController;
    connect(&controller_, &UnitController::logLine, this, [this](const QString& line, unit::Tone tone) {
        appendLine(ui_->Log, line, tone == unit::Tone::Warning ? kWarningColour : QColor(Qt::black));
    });
    connect(&controller_, &UnitController::logCleared, this, [this] { clearPane(ui_->Log); });
    connect(&controller_, &UnitController::progressChanged, this, [this](int position, int maximum) {
        ui_->ProgressBar1->setMaximum(maximum);
        ui_->ProgressBar1->setValue(position);
    });
    connect(&controller_, &UnitController::boxRequested, this, &MainWindow::showBox);
    connect(&controller_, &UnitController::formShown, form_, &FormBinding::show);
    connect(&controller_, &UnitController::setConfigEnabledChanged, ui_->B_SetConfig, &QWidget::setEnabled);
    connect(&controller_, &UnitController::portListEnabledChanged, ui_->ComboBox1, &QWidget::setEnabled);
    connect(&controller_, &UnitController::idListed, this,
            [this](const QString& line) { appendLine(ui_->LogIdList, line, Qt::black); });
    connect(&controller_, &UnitController::idListCountChanged, ui_->L_IdList, &QLabel::setText);
    connect(&controller_, &UnitController::edit1Changed, ui_->Edit1, &QLineEdit::setText);
    connect(&controller_, &UnitController::connectionChanged, this, &MainWindow::connectionChanged);
}

// ---------------------------------------------------------------- start-up

void MainWindow::FormCreate() {
    updateConnectButton(false);
    try {
        const QStringList ports = link::ComPort::enumComPorts();
        ui_->ComboBox1->clear();
        ui_->ComboBox1->addItems(ports);
        if (!ports.isEmpty()) ui_->ComboBox1->setCurrentIndex(0);
    } catch (const link::ComPortError&) {
        // No port list is no reason to stop: the button then does nothing.
    }
    const update::Release& release = update::toolVersion;
    setWindowTitle(QStringLiteral("VekTool v%1.%2.%3").arg(release.major).arg(release.minor).arg(QChar(release.revision)));
    for (std::uint16_t v : config::kPingTable) ui_->CB_PING->addItem(QString::number(v));
    for (QComboBox* cb : {ui_->CB_A232, ui_->CB_B232})
        for (std::uint16_t v : config::kBaudTable) cb->addItem(QString::number(v * 100));
    // Like the rest of the form, no value until a read or a preset gives one.
    for (QComboBox* cb : {ui_->CB_PING, ui_->CB_A232, ui_->CB_B232}) cb->setCurrentIndex(-1);
    updateChecker_->start();
    ui_->L_Msg->setText(QString());
    const QString dir = QCoreApplication::applicationDirPath();
    for (const char* name : kOlderExecutables) QFile::remove(QDir(dir).filePath(QString::fromUtf8(name)));
    Timer5->start();
    L_ClearClick();
}

void MainWindow::Timer5Timer() {
    Timer5->stop();
    for (QLineEdit* e : form_->fieldEdits()) e->clear();
    for (QLineEdit* e : {ui_->ED_VEBK, ui_->ED_TEBK, ui_->ED_REBK}) e->clear();
    // The arrows are laid 3 pixels low so that, moved up here, they line up
    // with their edit boxes.
    for (UpDown* ud : form_->upDowns()) ud->move(ud->x(), ud->y() - 3);
}

// ---------------------------------------------------------------- log

void MainWindow::appendLine(QTextEdit* pane, const QString& line, const QColor& colour) {
    QString text = line;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor cursor(pane->document());
    cursor.movePosition(QTextCursor::End);
    if (pane->property("hasLines").toBool()) cursor.insertBlock();
    pane->setProperty("hasLines", true);
    QTextCharFormat format;
    format.setForeground(colour);
    cursor.insertText(text, format);
}

void MainWindow::clearPane(QTextEdit* pane) {
    pane->clear();
    pane->setProperty("hasLines", false);
}

void MainWindow::LogChange() {
    QTextCursor end = ui_->Log->textCursor();
    end.movePosition(QTextCursor::End);
    ui_->Log->setTextCursor(end);
    ui_->Log->ensureCursorVisible();
}

void MainWindow::showBox(const QString& text, const QString& caption, session::BoxIcon icon) {
    QMessageBox::Icon shown = QMessageBox::NoIcon;
    if (icon == session::BoxIcon::Warning) shown = QMessageBox::Warning;
    if (icon == session::BoxIcon::Information) shown = QMessageBox::Information;
    openBox({text, caption, shown, QMessageBox::Ok});
}

// ---------------------------------------------------------------- connection

void MainWindow::ComboBox1DropDown() {
    try {
        const QStringList ports = link::ComPort::enumComPorts();
        ui_->ComboBox1->clear();
        ui_->ComboBox1->addItems(ports);
        ui_->ComboBox1->setCurrentIndex(ports.isEmpty() ? -1 : 0);
    } catch (const link::ComPortError&) {
        // The list and selection stay as they were.
    }
}

void MainWindow::ButtonVCPClick() {
    if (ui_->ComboBox1->currentIndex() < 0) {
        ui_->ButtonVCP->setChecked(false);
        return;
    }
    if (controller_.isOpen()) {
        controller_.close();
        return;
    }
    if (!controller_.open(ui_->ComboBox1->currentText())) ui_->ButtonVCP->setChecked(false);
}

void MainWindow::updateConnectButton(bool open) {
    ui_->ButtonVCP->setIcon(QIcon(connectGlyph(open ? 0 : 1)));
    ui_->ButtonVCP->setChecked(open);
    const QString hint = QString::fromUtf8(open ? kDisconnectHint : kConnectHint);
    ui_->ButtonVCP->setToolTip(hint);
    ui_->ButtonVCP->setAccessibleName(hint);
}

void MainWindow::connectionChanged(bool open) {
    ui_->B_RemConfig->setEnabled(!open);
    if (open) ui_->ComboBox1->setEnabled(false);
    updateConnectButton(open);
}

// ---------------------------------------------------------------- production panel

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // Every key meant for this window passes here first, once: at the
        // widget that has the focus (or the window itself).
        auto* w = qobject_cast<QWidget*>(watched);
        const QWidget* focus = QApplication::focusWidget();
        if (w && w->window() == this && (w == focus || (!focus && w == this))) {
            const auto* key = static_cast<QKeyEvent*>(event);
            FormKeyDown(key->key(), key->modifiers());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (ctrl && (modifiers & Qt::AltModifier) && (modifiers & Qt::ShiftModifier) && key == Qt::Key_F12)
        setFixedWidth(width() == kWideWidth ? kNormalWidth : kWideWidth);
    if (ctrl || (modifiers & Qt::KeypadModifier)) return;
    const bool hex = (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_F);
    if (!hex) return;
    keyCapture_[keyCapturePos_] = static_cast<char>(key);  // Qt's codes for these keys are their upper-case ASCII
    if (++keyCapturePos_ == 24) {
        keyCapture_[24] = '\0';
        ui_->Edit2->setText(QString::fromLatin1(keyCapture_.data(), 24));
        keyCapturePos_ = 0;
    }
}

void MainWindow::Edit1Change() {
    const bool same = ui_->Edit1->text() == ui_->Edit2->text();
    ui_->Label0->setText(same ? QStringLiteral("OK") : QStringLiteral("X"));
    ui_->Label0->setStyleSheet(QStringLiteral("color: %1;").arg((same ? kOkColour : kWarningColour).name()));
}

void MainWindow::Label0Click() {
    ui_->Edit1->clear();
    ui_->Edit2->clear();
    Edit1Change();  // an already empty field emits no change, the verdict is still due
}
void MainWindow::Label7Click() {
    ui_->Edit1->clear();
    Edit1Change();
}
void MainWindow::Label8Click() {
    ui_->Edit2->clear();
    Edit1Change();
}

void MainWindow::L_ClearClick() {
    ui_->L_IdList->setText(QString());
    clearPane(ui_->LogIdList);
    controller_.clearIdList();
}

// ---------------------------------------------------------------- configuration

void MainWindow::B_SetConfigClick() { controller_.setConfig(form_->form()); }
void MainWindow::B_RemConfigClick() { controller_.remoteCommandList(form_->form()); }

void MainWindow::B_SetDefaultsClick() { applyPreset(config::applyDefaults); }
void MainWindow::B_SetNorvaleClick() { applyPreset(config::applyNorvale); }

void MainWindow::applyPreset(void (*preset)(config::FormModel&)) {
    config::FormModel model = form_->form();
    preset(model);
    form_->show(model);
    controller_.setForm(model);
}

void MainWindow::optionsEdited() {
    session::Options options = controller_.options();
    options.norvale = ui_->Cb_Norvale->isChecked();
    options.closeAfterConfigure = ui_->Cb_COMAutoClose->isChecked();
    controller_.setOptions(options);
}

}  // namespace vek::app
