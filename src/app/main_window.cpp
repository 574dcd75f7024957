#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTextCursor>

#include "app/glyphs.h"
#include "app/message_box.h"
#include "app/up_down.h"
#include "config/config_image.h"
#include "ui_main_window.h"
#include "update/update_checker.h"

namespace vek::app {

namespace {

constexpr qint32 kLinkBaudRate = 3686400;
constexpr int kPartialFrameMs = 200;  // the link's read interval

const QColor kWarningColour(0xFF, 0x00, 0x00);
const QColor kOkColour(0x00, 0x80, 0x00);

const char* const kOpenedLine = "Conexão aberta...";
const char* const kClosedLine = "Conexão fechada...";
const char* const kConnectHint = "Conectar à porta selecionada";
const char* const kDisconnectHint = "Desconectar a porta";

// Executables of earlier releases left next to this one.
const char* const kOlderExecutables[] = {"VekTool v2.45.B.exe", "VekTool v2.46.A.exe", "VekTool v2.46.B.exe",
                                         "VekTool v2.45.A.exe"};

QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QFont logFont() {
    QFont f;
    f.setFamilies({QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                   QStringLiteral("monospace")});
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(12);
    f.setBold(true);
    return f;
}

// What a screen reader says for an edit box: its group and its label, e.g.
// "VELOCIDADE NA CHUVA: Tempo validação [segundos]".
QString fieldName(const QLineEdit* edit) {
    const auto* label = edit->parentWidget()->findChild<QLabel*>(QStringLiteral("L_") + edit->objectName().mid(3));
    QString text = label ? label->text().simplified() : edit->objectName();
    if (text.endsWith(':')) text.chop(1);
    if (const auto* group = qobject_cast<const QGroupBox*>(edit->parentWidget()))
        if (!group->title().trimmed().isEmpty()) text = group->title().trimmed() + QStringLiteral(": ") + text;
    return text;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::MainWindow>()), session_(std::make_unique<session::Session>(static_cast<session::Host&>(*this))) {
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
    for (QLabel* l : {ui_->Label0, ui_->Label7, ui_->Label8, ui_->L_Clear}) l->installEventFilter(this);

    ui_->ButtonVCP->setFocusPolicy(Qt::StrongFocus);
    // An opaque bar repaints itself alone; a see-through one drags the whole
    // header behind it into every step of a transfer.
    ui_->ProgressBar1->setAutoFillBackground(true);

    const std::pair<QTimer*, std::pair<const char*, int>> timers[] = {
        {&Timer1, {"Timer1", 500}}, {&Timer2, {"Timer2", 50}}, {&Timer3, {"Timer3", 100}}, {&Timer5, {"Timer5", 10}}};
    for (const auto& [t, setting] : timers) {
        t->setObjectName(QString::fromLatin1(setting.first));
        t->setInterval(setting.second);
        t->setParent(this);
    }
    rxPartial_.setSingleShot(true);
    rxPartial_.setInterval(kPartialFrameMs);
    rxPartial_.setParent(this);

    updateChecker_ = new update::UpdateChecker(ui_->L_Msg, ui_->L_Site, this);

    setupEdits();
    setupCheckBoxes();
    // Transfer ids must differ from one run of the tool to the next as well.
    session_->setTransferSeed(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));

    connect(&Timer1, &QTimer::timeout, this, [this] { session_->timer1Tick(); });
    connect(&Timer2, &QTimer::timeout, this, &MainWindow::Timer2Timer);
    connect(&Timer3, &QTimer::timeout, this, [this] { session_->timer3Tick(); });
    connect(&Timer5, &QTimer::timeout, this, &MainWindow::Timer5Timer);
    connect(&rxPartial_, &QTimer::timeout, this, [this] { session_->partialFrameExpired(); });
    connect(&vcp_, &link::ComPort::rxChar, this, &MainWindow::VCPRxChar);
    connect(&vcp_, &link::ComPort::lost, this, &MainWindow::portLost);
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
    // FwUpload, FwJump and GetConfig lie outside the window and stay unwired:
    // those operations start from the unit's identification only.

    qApp->installEventFilter(this);
    FormCreate();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    vcp_.close();
}

QTimer& MainWindow::timer(int n) {
    switch (n) {
        case 1: return Timer1;
        case 2: return Timer2;
        case 3: return Timer3;
        case 4: return *updateChecker_->timer();
        default: return Timer5;
    }
}

void MainWindow::setupEdits() {
    struct Limits {
        QLineEdit* edit;
        UpDown* ud;
        int min, max;
        bool arrows;
    };
    const Limits limits[] = {
        {ui_->ED_VMX, ui_->UD_VMX, 1, 250, false},    {ui_->ED_TVMX, ui_->UD_TVMX, 0, 20, true},
        {ui_->ED_VCH, ui_->UD_VCH, 1, 250, false},    {ui_->ED_TVCH, ui_->UD_TVCH, 0, 20, true},
        {ui_->ED_RPX, ui_->UD_RPX, 1000, 9999, false}, {ui_->ED_TRPX, ui_->UD_TRPX, 0, 20, true},
        {ui_->ED_VBGL, ui_->UD_VBGL, 1, 250, false},  {ui_->ED_RBGL, ui_->UD_RBGL, 300, 1500, true},
        {ui_->ED_TBGL, ui_->UD_TBGL, 0, 20, true},    {ui_->ED_TOSC, ui_->UD_TOSC, 1, 45, false},
        {ui_->ED_XOSC, ui_->UD_XOSC, 0, 20, true},    {ui_->ED_ACP, ui_->UD_ACP, 1, 255, false},
        {ui_->ED_ACN, ui_->UD_ACN, 1, 255, false},    {ui_->ED_VEBK, ui_->UD_VEBK, 1, 250, true},
        {ui_->ED_TEBK, ui_->UD_TEBK, 0, 20, true},    {ui_->ED_REBK, ui_->UD_REBK, 300, 1500, true},
    };
    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (const Limits& l : limits) {
        l.edit->setValidator(digits);
        l.edit->setAccessibleName(fieldName(l.edit));
        l.ud->associate(l.edit, l.min, l.max, l.arrows);
        upDowns_ << l.ud;
    }
    fieldEdits_ = {ui_->ED_ACP, ui_->ED_ACN,  ui_->ED_VMX,  ui_->ED_TVMX, ui_->ED_VCH,  ui_->ED_TVCH, ui_->ED_RPX,
                   ui_->ED_TRPX, ui_->ED_TOSC, ui_->ED_XOSC, ui_->ED_VBGL, ui_->ED_RBGL, ui_->ED_TBGL};
}

void MainWindow::setupCheckBoxes() {
    groupBoxes_[config::GroupVMX] = {ui_->CB_EV_VMX_IN, ui_->CB_EV_VMX_OUT, ui_->CB_BZ_VMX_IN, ui_->CB_BZ_VMX_OUT,
                                     ui_->CB_BZ_VMX_WH};
    groupBoxes_[config::GroupVCH] = {ui_->CB_EV_VCH_IN, ui_->CB_EV_VCH_OUT, ui_->CB_BZ_VCH_IN, ui_->CB_BZ_VCH_OUT,
                                     ui_->CB_BZ_VCH_WH};
    groupBoxes_[config::GroupRPX] = {ui_->CB_EV_RPX_IN, ui_->CB_EV_RPX_OUT, ui_->CB_BZ_RPX_IN, ui_->CB_BZ_RPX_OUT,
                                     ui_->CB_BZ_RPX_WH};
    groupBoxes_[config::GroupOSC] = {ui_->CB_EV_OSC_IN, ui_->CB_EV_OSC_OUT, ui_->CB_BZ_OSC_IN, ui_->CB_BZ_OSC_OUT,
                                     ui_->CB_BZ_OSC_WH};
    groupBoxes_[config::GroupBGL] = {ui_->CB_EV_BGL_IN, ui_->CB_EV_BGL_OUT, ui_->CB_BZ_BGL_IN, ui_->CB_BZ_BGL_OUT,
                                     ui_->CB_BZ_BGL_WH};
    // The buzzer boxes of a group are coupled; the model owns the rule, so
    // a click goes through it and the widgets show what it decided.
    for (int g = 0; g < config::GroupCount; ++g) {
        const GroupBoxes& b = groupBoxes_[g];
        const std::pair<QCheckBox*, config::Buzzer> buzzers[] = {
            {b.bzIn, config::Buzzer::In}, {b.bzOut, config::Buzzer::Out}, {b.bzWh, config::Buzzer::During}};
        for (const auto& [box, which] : buzzers) {
            connect(box, &QCheckBox::clicked, this, [this, g, which = which](bool ticked) {
                config::FormModel model = form();
                model.setBuzzer(static_cast<config::Group>(g), which, ticked);
                showForm(model);
            });
        }
    }
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
    vcp_.setCustomBaudRate(kLinkBaudRate);
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
    Timer5.start();
    L_ClearClick();
}

void MainWindow::Timer5Timer() {
    Timer5.stop();
    for (QLineEdit* e : fieldEdits_) e->clear();
    for (QLineEdit* e : {ui_->ED_VEBK, ui_->ED_TEBK, ui_->ED_REBK}) e->clear();
    // The arrows are laid 3 pixels low so that, moved up here, they line up
    // with their edit boxes.
    for (UpDown* ud : upDowns_) ud->move(ud->x(), ud->y() - 3);
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

void MainWindow::LogChange() {
    QTextCursor end = ui_->Log->textCursor();
    end.movePosition(QTextCursor::End);
    ui_->Log->setTextCursor(end);
    ui_->Log->ensureCursorVisible();
}

void MainWindow::appendLog(const std::string& line) { appendLine(ui_->Log, fromUtf8(line), Qt::black); }
void MainWindow::appendWarning(const std::string& line) { appendLine(ui_->Log, fromUtf8(line), kWarningColour); }
void MainWindow::clearLog() {
    ui_->Log->clear();
    ui_->Log->setProperty("hasLines", false);
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
    vcp_.setPort(ui_->ComboBox1->currentText());
    if (vcp_.connected()) {
        vcp_.close();
        ButtonVCPState(false);
        ui_->ComboBox1->setEnabled(true);
        return;
    }
    try {
        vcp_.open();
        vcp_.clearBuffer(true, true);
    } catch (const link::ComPortError&) {
        vcp_.close();
        ui_->ButtonVCP->setChecked(false);
        return;
    }
    ButtonVCPState(true);
    ui_->ComboBox1->setEnabled(false);
}

void MainWindow::updateConnectButton(bool open) {
    ui_->ButtonVCP->setIcon(QIcon(connectGlyph(open ? 0 : 1)));
    ui_->ButtonVCP->setChecked(open);
    const QString hint = QString::fromUtf8(open ? kDisconnectHint : kConnectHint);
    ui_->ButtonVCP->setToolTip(hint);
    ui_->ButtonVCP->setAccessibleName(hint);
}

void MainWindow::ButtonVCPState(bool open) {
    ui_->ButtonVCP->setIcon(QIcon());
    if (open) {
        session_->portOpened();
        clearLog();
        config::FormModel cleared = form();
        cleared.ping = cleared.a232 = cleared.b232 = -1;
        for (std::string& t : cleared.text) t.clear();
        cleared.evAcp = cleared.bzAcp = cleared.evAcn = cleared.bzAcn = false;
        for (int g = 0; g < config::GroupCount; ++g) {
            cleared.setRegister(static_cast<config::Group>(g), false, false);
            for (config::Buzzer b : {config::Buzzer::In, config::Buzzer::Out, config::Buzzer::During})
                cleared.setBuzzer(static_cast<config::Group>(g), b, false);
        }
        showForm(cleared);
        ui_->B_RemConfig->setEnabled(false);
        appendLog(kOpenedLine);
    } else {
        rxPartial_.stop();
        appendLog(kClosedLine);
        ui_->B_SetConfig->setEnabled(false);
        ui_->B_RemConfig->setEnabled(true);
    }
    updateConnectButton(open);
}

void MainWindow::Timer2Timer() {
    Timer2.stop();
    vcp_.close();
    ButtonVCPState(false);
}

void MainWindow::portLost() {
    // The cable was pulled or the unit reset under an open port: closed as
    // the button would close it.
    ButtonVCPState(false);
    ui_->ComboBox1->setEnabled(true);
}

void MainWindow::VCPRxChar(int count) {
    const QByteArray bytes = vcp_.read(count);
    session_->bytesArrived(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                     static_cast<std::size_t>(bytes.size())));
    if (session_->partialFramePending())
        rxPartial_.start();
    else
        rxPartial_.stop();
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
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == ui_->Label0) Label0Click();
        else if (watched == ui_->Label7) Label7Click();
        else if (watched == ui_->Label8) Label8Click();
        else if (watched == ui_->L_Clear) L_ClearClick();
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
    ui_->LogIdList->clear();
    ui_->LogIdList->setProperty("hasLines", false);
    session_->clearIdList();
}

// ---------------------------------------------------------------- configuration buttons

void MainWindow::B_SetConfigClick() { session_->setConfig(); }
void MainWindow::B_GetConfigClick() { session_->getConfig(); }
void MainWindow::B_FwTxClick() { session_->firmwareUpdate(); }
void MainWindow::B_FwJumpClick() { session_->jump(); }
void MainWindow::B_RemConfigClick() { session_->remoteCommandList(); }

void MainWindow::B_SetDefaultsClick() {
    config::FormModel model = form();
    config::applyDefaults(model);
    showForm(model);
}

void MainWindow::B_SetNorvaleClick() {
    config::FormModel model = form();
    config::applyNorvale(model);
    showForm(model);
}

// ---------------------------------------------------------------- session::Host

bool MainWindow::portOpen() const { return vcp_.connected(); }

void MainWindow::write(const protocol::Bytes& frame) {
    try {
        vcp_.write(QByteArray(reinterpret_cast<const char*>(frame.data()), static_cast<qsizetype>(frame.size())));
    } catch (const link::ComPortError&) {
        // A refused write means the port is going; its loss is reported by
        // the port itself and the next pacing step finds it closed.
    }
}

void MainWindow::setProgressMaximum(int maximum) { ui_->ProgressBar1->setMaximum(maximum); }
void MainWindow::setProgress(int position) { ui_->ProgressBar1->setValue(position); }

void MainWindow::showBox(const session::Box& box) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    if (box.icon == session::BoxIcon::Warning) icon = QMessageBox::Warning;
    if (box.icon == session::BoxIcon::Information) icon = QMessageBox::Information;
    app::showBox({fromUtf8(box.text), fromUtf8(box.caption), icon, QMessageBox::Ok});
}

void MainWindow::setTimer1(bool enabled) { enabled ? Timer1.start() : Timer1.stop(); }
void MainWindow::setTimer3(bool enabled) { enabled ? Timer3.start() : Timer3.stop(); }
void MainWindow::startDeferredClose() { Timer2.start(); }
void MainWindow::setSetConfigEnabled(bool enabled) { ui_->B_SetConfig->setEnabled(enabled); }
void MainWindow::setPortListEnabled(bool enabled) { ui_->ComboBox1->setEnabled(enabled); }

void MainWindow::appendIdList(const std::string& line) { appendLine(ui_->LogIdList, fromUtf8(line), Qt::black); }
void MainWindow::setIdListCount(const std::string& caption) { ui_->L_IdList->setText(fromUtf8(caption)); }
void MainWindow::setEdit1(const std::string& text) { ui_->Edit1->setText(fromUtf8(text)); }

config::FormModel MainWindow::form() const {
    config::FormModel m;
    m.ping = ui_->CB_PING->currentIndex();
    m.a232 = ui_->CB_A232->currentIndex();
    m.b232 = ui_->CB_B232->currentIndex();
    for (int f = 0; f < config::FieldCount; ++f) m.text[f] = fieldEdits_[f]->text().toStdString();
    m.evAcp = ui_->CB_EV_ACP->isChecked();
    m.bzAcp = ui_->CB_BZ_ACP->isChecked();
    m.evAcn = ui_->CB_EV_ACN->isChecked();
    m.bzAcn = ui_->CB_BZ_ACN->isChecked();
    for (int g = 0; g < config::GroupCount; ++g) {
        const GroupBoxes& b = groupBoxes_[g];
        const auto group = static_cast<config::Group>(g);
        m.setRegister(group, b.evIn->isChecked(), b.evOut->isChecked());
        // Through the coupling, "Durante" first: a state the widgets hold
        // comes out as it is, and a click then applies the box it changed.
        m.setBuzzer(group, config::Buzzer::In, false);
        m.setBuzzer(group, config::Buzzer::Out, false);
        m.setBuzzer(group, config::Buzzer::During, b.bzWh->isChecked());
        if (b.bzIn->isChecked()) m.setBuzzer(group, config::Buzzer::In, true);
        if (b.bzOut->isChecked()) m.setBuzzer(group, config::Buzzer::Out, true);
    }
    return m;
}

void MainWindow::showForm(const config::FormModel& m) {
    ui_->CB_PING->setCurrentIndex(m.ping);
    ui_->CB_A232->setCurrentIndex(m.a232);
    ui_->CB_B232->setCurrentIndex(m.b232);
    for (int f = 0; f < config::FieldCount; ++f) fieldEdits_[f]->setText(QString::fromStdString(m.text[f]));
    ui_->CB_EV_ACP->setChecked(m.evAcp);
    ui_->CB_BZ_ACP->setChecked(m.bzAcp);
    ui_->CB_EV_ACN->setChecked(m.evAcn);
    ui_->CB_BZ_ACN->setChecked(m.bzAcn);
    for (int g = 0; g < config::GroupCount; ++g) {
        const GroupBoxes& b = groupBoxes_[g];
        const config::EventBoxes& s = m.group(static_cast<config::Group>(g));
        b.evIn->setChecked(s.evIn);
        b.evOut->setChecked(s.evOut);
        b.bzIn->setChecked(s.bzIn);
        b.bzOut->setChecked(s.bzOut);
        b.bzWh->setChecked(s.bzWh);
    }
}

bool MainWindow::norvaleForced() const { return ui_->Cb_Norvale->isChecked(); }
bool MainWindow::closeAfterConfigure() const { return ui_->Cb_COMAutoClose->isChecked(); }

}  // namespace vek::app
