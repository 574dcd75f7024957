#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QTextCursor>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "app/accessible_names.h"
#include "app/app_texts.h"
#include "words/words.h"
#include "app/click_filter.h"
#include "app/configuration_menu.h"
#include "app/form_binding.h"
#include "app/glyphs.h"
#include "app/leave_question.h"
#include "app/leave_texts.h"
#include "app/log_pane.h"
#include "app/message_box.h"
#include "app/port_list.h"
#include "app/production_list.h"
#include "app/qr_capture.h"
#include "app/records_viewer.h"
#include "app/screen_fit.h"
#include "app/settings.h"
#include "app/older_executables.h"
#include "app/station_window.h"
#include "app/status_line.h"
#include "app/trace_setting.h"
#include "app/up_down.h"
#include "app/update_labels.h"
#include "config/config_image.h"
#include "ui_main_window.h"
#include "update/update_checker.h"
#include "text/language.h"

namespace vek::app {

namespace {

// The boxes the road has always shown: a refused field, a transfer or a
// read that failed or lost its port. The later failures (a read-back that
// differs, firmware not taken, a unit that did not come back or came back as
// another) are said in red in the Log and on the status line; a box would
// only repeat them.
// The failures the Log says in words of its own; the others have their
// lines already (no answer, the operation-mode notice), or a box, or a
// question that follows.
bool failureLogged(unit::Kind kind) {
    using unit::Kind;
    switch (kind) {
        case Kind::PortLost:
        case Kind::Timeout:
        case Kind::TypeLeftAlone:
        case Kind::Discontinued:
        case Kind::NeedsFirmware:
        case Kind::FirmwareNotTaken:
        case Kind::DidNotReturn:
        case Kind::OtherUnitReturned:
        case Kind::ReadBackDiffers:
        case Kind::Interrupted:
        case Kind::InvalidCopy: return true;
        default: return false;
    }
}

const QColor kWarningColour(0xFF, 0x00, 0x00);
const QColor kOkColour(0x00, 0x80, 0x00);


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

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::MainWindow>()), settings_(std::make_unique<Settings>()) {
    setObjectName(QStringLiteral("Form1"));
    // The form keeps its size and layout; on a screen too small for it at
    // the current scale the window shows it in a scroll area.
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("FormContent"));
    ui_->setupUi(content_);
    content_->setFixedSize(kNormalWidth, kHeight);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("FormScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MenuBar"));
    layout->setMenuBar(menuBar_);
    layout->addWidget(scroll_);
    footer_ = new QWidget(this);
    footer_->setObjectName(QStringLiteral("FormFooter"));
    auto* rows = new QVBoxLayout(footer_);
    rows->setContentsMargins(8, 2, 8, 4);
    rows->setSpacing(2);
    // The progress bar and the status line go in above the buttons' row.
    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(6);
    buttonRow->addStretch();
    rows->addSpacing(2);
    rows->addLayout(buttonRow);
    footer_->hide();
    layout->addWidget(footer_);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
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
    // The production panel opens the station for several units at once.
    ui_->L_IdList->setFixedWidth(56);
    addStationButton(ui_->GB_ReleaseMode, {ui_->L_IdList->x() + 60, ui_->L_IdList->y() - 2, 132, 24});
    // And the records of every station, over the database the station is set to.
    ui_->B_Records->setText(vek::translated(texts::kStationOpenRecords));
    ui_->B_Records->setToolTip(vek::translated(texts::kStationOpenRecordsHint));
    connect(ui_->B_Records, &QPushButton::clicked, this, [this] { openRecordsViewer(this, rememberedStationDatabase()); });

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

    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    log_ = new LogPane(ui_->Log, QDir(dataFolder).filePath(QStringLiteral("logs")), this);
    status_ = new StatusLine(ui_->StatusLine, this);
    ports_ = new PortList(ui_->ComboBox1, this);
    production_ = new ProductionList(ui_->LogIdList, ui_->L_IdList, this);
    qr_ = new QrCapture([this](const QString& digits) { ui_->Edit2->setText(digits); }, this);
    form_ = new FormBinding(*ui_, this);
    files_ = new ConfigurationMenu(this, menuBar_, controller_, [this] { return form_->form(); });
    connect(files_, &ConfigurationMenu::formLoaded, this, [this](const config::FormModel& form) {
        form_->show(form);
        controller_.setForm(form);
    });
    connect(files_, &ConfigurationMenu::logLine, this, [this](const QString& line, bool warning) {
        log_->append(line, warning, controller_.portName());
    });
    connect(files_, &ConfigurationMenu::refused, this, &MainWindow::refused);
    new TraceSetting(menuBar_->findChild<QMenu*>(QStringLiteral("MenuUnit")), *settings_,
                     [this](const QString& line, bool warning) { log_->append(line, warning, QString()); }, this);
    nameControls(*ui_);
    connect(form_, &FormBinding::edited, this, [this] { controller_.setForm(form_->form()); });
    wireController();

    connect(ui_->ComboBox1, &PortComboBox::aboutToDropDown, this, &MainWindow::ComboBox1DropDown);
    // A wider port list takes its room from the Log beside it.
    connect(ui_->ComboBox1, &PortComboBox::widthFitted, this, [this] {
        ui_->Log->setFixedWidth(ui_->ComboBox1->x() - 6 - ui_->Log->x());
    });
    // The button's state is the connection's. Whatever presses it (mouse,
    // keyboard, an assistive tool's "Toggle") goes through ButtonVCPClick,
    // and only the controller's answer latches it.
    connect(ui_->ButtonVCP, &QToolButton::toggled, this, [this] {
        if (showingConnection_) return;
        updateConnectButton(controller_.isOpen());
        ButtonVCPClick();
    });
    connect(ui_->Log, &QTextEdit::textChanged, this, &MainWindow::LogChange);
    connect(ui_->LogIdList, &QTextEdit::textChanged, this, &MainWindow::LogChange);
    connect(ui_->Edit1, &QLineEdit::textChanged, this, &MainWindow::Edit1Change);
    connect(ui_->Edit2, &QLineEdit::textChanged, this, &MainWindow::Edit1Change);
    // A label scanned (or cleared) judges the unit shown; a new unit beside
    // an old label is not judged by it.
    connect(ui_->Edit2, &QLineEdit::textChanged, this, [this](const QString& qr) {
        const QString usb = ui_->Edit1->text();
        if (!usb.isEmpty() && !qr.isEmpty()) production_->compared(usb, usb == qr);
    });
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
    restoreSettings();
    ports_->setWatching(true);

    fitToScreen();
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

QString MainWindow::keyCapture() const { return qr_->pending(); }

void MainWindow::wireController() {
    using unit::UnitController;
    controller_.setPlan(unit::Plan::window());
    connect(&controller_, &UnitController::stageChanged, this, &MainWindow::updateSetConfig);
    connect(&controller_, &UnitController::logLine, this, [this](const QString& line, unit::Tone tone) {
        log_->append(line, tone == unit::Tone::Warning, controller_.portName());
    });
    connect(&controller_, &UnitController::logCleared, log_, &LogPane::clear);
    connect(&controller_, &UnitController::progressChanged, this, [this](const unit::Progress& p) {
        ui_->ProgressBar1->setMaximum(p.maximum);
        ui_->ProgressBar1->setValue(p.position);
        status_->progress(p);
    });
    connect(&controller_, &UnitController::operationFinished, this, &MainWindow::outcomeReached);
    connect(&controller_, &UnitController::formShown, form_, &FormBinding::show);
    connect(&controller_, &UnitController::unitIdentified, this, &MainWindow::unitIdentified);
    connect(&controller_, &UnitController::connectionChanged, this, &MainWindow::connectionChanged);
    // A pulled cable closes as the button would, and the list is free again.
    connect(&controller_, &UnitController::portLost, ui_->ComboBox1, [this] { ui_->ComboBox1->setEnabled(true); });
}

void MainWindow::unitIdentified(const unit::Identification& unit, bool listed) {
    // The unit on the port now, whatever the list held before.
    ui_->Edit1->setText(unit::idDigits(unit.id));
    if (listed) production_->listed(unit::idText(unit.id));
}

void MainWindow::outcomeReached(const unit::Outcome& outcome) {
    status_->finished(outcome);
    if (failureLogged(outcome.kind)) {
        // What broke and what to do now, in red, as the status line says it.
        QString line = words::sentence(words::failureOf(outcome, controller_.portName()));
        if (!line.isEmpty()) line[0] = line[0].toUpper();
        log_->append(line + QLatin1Char('.'), true, controller_.portName());
    }
    if (outcome.kind == unit::Kind::OperationMode) {
        ui_->Edit1->clear();
        const QString port = controller_.portName();
        log_->append(vek::translated(texts::kOperationModeSeen), false, port);
        for (const vek::Text& step : texts::kOperationModeSteps) log_->append(vek::translated(step).arg(port), false, port);
    }
    // What the unit holds is known again: a read that ended well, or a
    // write that went in (also one whose read-back differs: writing it
    // again is what the technician is told to do).
    if (controller_.isOpen() && ((outcome.read && outcome.ok()) || outcome.written)) configKnown_ = true;
    updateSetConfig();
    if (outcome.kind == unit::Kind::CopyNotKept) {
        askWithoutCopy(outcome);
        return;
    }
    // The close after a write frees the port list; the one after an
    // operation-mode notice does not.
    if (outcome.closesPort) ui_->ComboBox1->setEnabled(true);
    if (const auto box = words::box(outcome)) showBox(*box);
}

// ---------------------------------------------------------------- start-up

void MainWindow::FormCreate() {
    updateConnectButton(false);
    ports_->fill();
    const update::Release& release = update::toolVersion;
    setWindowTitle(QStringLiteral("VekTool v%1.%2.%3").arg(release.major).arg(release.minor).arg(QChar(release.revision)));
    for (std::uint16_t v : config::kPingTable) ui_->CB_PING->addItem(QString::number(v));
    for (QComboBox* cb : {ui_->CB_A232, ui_->CB_B232})
        for (std::uint16_t v : config::kBaudTable) cb->addItem(QString::number(v * 100));
    // Like the rest of the form, no value until a read or a preset gives one.
    for (QComboBox* cb : {ui_->CB_PING, ui_->CB_A232, ui_->CB_B232}) cb->setCurrentIndex(-1);
    updateChecker_->start();
    ui_->L_Msg->setText(QString());
    // Executables of earlier releases beside this one, never this one itself.
    removeOlderExecutables(QCoreApplication::applicationFilePath());
    Timer5->start();
    L_ClearClick();
}

void MainWindow::restoreSettings() {
    // Read before anything is saved: start-up itself empties the list. The
    // list comes back as history: the first unit of this run is listed
    // again, and Edit1 waits for the unit on the port.
    ui_->Cb_COMAutoClose->setChecked(settings_->closeAfterConfigure());
    if (settings_->productionPanel()) setProductionPanel(true);
    production_->restore(settings_->idList());
    ports_->select(settings_->lastPort());

    connect(production_, &ProductionList::changed, this, [this] { settings_->setIdList(production_->entries()); });
    connect(ui_->Cb_COMAutoClose, &QCheckBox::toggled, this, [this](bool on) { settings_->setCloseAfterConfigure(on); });
}

void MainWindow::Timer5Timer() {
    Timer5->stop();
    for (QLineEdit* e : form_->fieldEdits()) e->clear();
    for (QLineEdit* e : {ui_->ED_VEBK, ui_->ED_TEBK, ui_->ED_REBK}) e->clear();
    // The arrows are laid 3 pixels low so that, moved up here, they line up
    // with their edit boxes.
    for (UpDown* ud : form_->upDowns()) ud->move(ud->x(), ud->y() - 3);
}

// ---------------------------------------------------------------- leaving

bool MainWindow::unitMidChange() const {
    // Where the controller says the road stands: new firmware, the restart
    // after it, a write or its read-back.
    switch (controller_.stage()) {
        case unit::Stage::Firmware:
        case unit::Stage::Restarting:
        case unit::Stage::Write:
        case unit::Stage::Verify: return true;
        case unit::Stage::Idle:
        case unit::Stage::Held:
        case unit::Stage::Copy:
        case unit::Stage::Read: break;
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (leaving_ || !unitMidChange()) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    if (!leaveAsked_) askBeforeLeaving();
}

void MainWindow::askBeforeLeaving() {
    using namespace texts;
    const unit::Operation op = controller_.operation();
    // The restart is looked at first: the transfer has ended by then.
    const bool restart = controller_.awaitingReturn();
    const bool firmware = !restart && op == unit::Operation::Firmware;
    const bool verify = !restart && op == unit::Operation::Verify;
    LeaveQuestion question;
    question.caption = vek::translated(kLeaveCaption);
    question.situation = vek::translated(restart ? kLeaveRestart : firmware ? kLeaveFirmware : verify ? kLeaveVerify : kLeaveWrite);
    question.letFinish = vek::translated(restart ? kLeaveFinishRestart : firmware ? kLeaveFinishFirmware : kLeaveFinishWrite);
    question.stopNow = vek::translated(restart    ? kLeaveStopRestart
                                       : firmware ? kLeaveStopFirmware
                                       : verify   ? kLeaveStopVerify
                                                  : kLeaveStopWrite);
    question.goOn = vek::translated(kLeaveGoOnUnit);
    // What stopping leaves the unit with is what ran when the question was asked.
    const vek::Text left = restart ? kLeftRestart : firmware ? kLeftFirmware : verify ? kLeftVerify : kLeftWrite;
    leaveAsked_ = true;
    app::askLeave(question, [self = QPointer<MainWindow>(this), left](LeaveAnswer answer) {
        if (!self) return;
        self->leaveAsked_ = false;
        const QString port = self->controller_.portName();
        switch (answer) {
            case LeaveAnswer::GoOn:
                self->closeWhenDone_ = false;
                self->log_->append(leaveAnswerLine(answer, vek::translated(kLeftGoingOn)), false, port);
                return;
            case LeaveAnswer::LetFinish:
                self->log_->append(leaveAnswerLine(answer, vek::translated(kLeftToFinish)), false, port);
                self->closeWhenDone_ = true;
                // Not from inside the box's answer: the road may have ended meanwhile.
                QTimer::singleShot(0, self, [self] {
                    if (self) self->leaveWhenDone();
                });
                return;
            case LeaveAnswer::StopNow:
                // The road may have ended while the question was on view: nothing is stopped then.
                if (self->unitMidChange()) {
                    self->log_->append(leaveAnswerLine(answer, vek::translated(left)), true, port);
                    self->controller_.interrupt();
                } else {
                    self->log_->append(leaveAnswerLine(answer, vek::translated(kLeftAlreadyDone)), false, port);
                }
                self->leaving_ = true;
                QTimer::singleShot(0, self, [self] {
                    if (self) self->close();
                });
                return;
        }
    });
}

void MainWindow::leaveWhenDone() {
    if (!closeWhenDone_) return;
    if (!unitMidChange()) {
        leaving_ = true;
        close();
        return;
    }
    // The road ends with its outcome; the window goes once every view of it has been told.
    connect(
        &controller_, &unit::UnitController::operationFinished, this,
        [this] { QTimer::singleShot(0, this, &MainWindow::leaveWhenDone); }, Qt::SingleShotConnection);
}

// ---------------------------------------------------------------- screen

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QWindow* w = windowHandle(); w && !screenWatched_) {
        screenWatched_ = true;
        connect(w, &QWindow::screenChanged, this, [this](QScreen* s) {
            if (s) connect(s, &QScreen::availableGeometryChanged, this, &MainWindow::fitToScreen, Qt::UniqueConnection);
            fitToScreen();
        });
        if (QScreen* s = w->screen())
            connect(s, &QScreen::availableGeometryChanged, this, &MainWindow::fitToScreen, Qt::UniqueConnection);
    }
    fitToScreen();
}

void MainWindow::fitToScreen() {
    const QScreen* s = screen();
    if (!s) return;
    const QRect available = s->availableGeometry();
    // The window system's frame, once known; until then, room for a title bar.
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull()) frame = QMargins(0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    // The menu bar sits above the form, outside what scrolls.
    const int menu = menuBar_->sizeHint().height();
    ScreenFit fit = fitForm(content_->size(), available, frame + QMargins(0, menu, 0, 0), bar);
    // Too short for the form: what a technician must always see (the
    // buttons, the status line, the verdict) leaves the scrolling form for a
    // footer of its own.
    setFooterDocked(fit.down);
    const int footer = fit.down ? footer_->sizeHint().height() : 0;
    if (fit.down) fit = fitForm(content_->size(), available, frame + QMargins(0, menu + footer, 0, 0), bar);
    scroll_->setHorizontalScrollBarPolicy(fit.across ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(fit.down ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const QSize window = fit.window + QSize(0, menu + footer);
    setFixedSize(window);
    if (!isVisible()) return;
    // Grown (the production panel) past the screen's edge: back onto it.
    const QSize outer = window.grownBy(frame);
    const QPoint at(
        std::clamp(pos().x(), available.left(), std::max(available.left(), available.right() + 1 - outer.width())),
        std::clamp(pos().y(), available.top(), std::max(available.top(), available.bottom() + 1 - outer.height())));
    if (at != pos()) move(at);
}

void MainWindow::setFooterDocked(bool docked) {
    if (docked == !docked_.isEmpty()) return;
    if (!docked) {
        for (const DockedWidget& d : std::as_const(docked_)) {
            d.widget->setParent(d.parent);
            d.widget->setMinimumSize(0, 0);
            d.widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            d.widget->setGeometry(d.geometry);
            d.widget->show();
        }
        docked_.clear();
        footer_->hide();
        return;
    }
    auto* rows = static_cast<QVBoxLayout*>(footer_->layout());
    auto* buttons = static_cast<QHBoxLayout*>(rows->itemAt(rows->count() - 1)->layout());
    const auto dock = [this](QWidget* w) {
        docked_.append({w, w->parentWidget(), w->geometry()});
        w->setParent(footer_);
    };
    dock(ui_->ProgressBar1);
    rows->insertWidget(0, ui_->ProgressBar1);
    ui_->ProgressBar1->setFixedHeight(ui_->ProgressBar1->height());
    dock(ui_->StatusLine);
    rows->insertWidget(1, ui_->StatusLine);
    ui_->StatusLine->setFixedHeight(ui_->StatusLine->height());
    int at = 0;
    for (QWidget* b : {static_cast<QWidget*>(ui_->B_SetConfig), static_cast<QWidget*>(ui_->B_SetDefaults),
                       static_cast<QWidget*>(ui_->B_RemConfig), static_cast<QWidget*>(ui_->B_SetNorvale)}) {
        const QSize size = b->size();
        dock(b);
        b->setFixedSize(size);
        buttons->insertWidget(at++, b);
    }
    // The verdict only means something beside the production panel.
    if (content_->width() == kWideWidth) {
        dock(ui_->Label0);
        ui_->Label0->setFixedSize(ui_->Label0->width(), 48);
        buttons->addWidget(ui_->Label0);
    }
    for (const DockedWidget& d : std::as_const(docked_)) d.widget->show();
    footer_->show();
}

void MainWindow::setProductionPanel(bool shown) {
    // The footer is laid anew for the new width (with or without the verdict).
    setFooterDocked(false);
    content_->setFixedWidth(shown ? kWideWidth : kNormalWidth);
    fitToScreen();
    settings_->setProductionPanel(shown);
}

// ---------------------------------------------------------------- log

void MainWindow::LogChange() {
    QTextCursor end = ui_->Log->textCursor();
    end.movePosition(QTextCursor::End);
    ui_->Log->setTextCursor(end);
    ui_->Log->ensureCursorVisible();
}

void MainWindow::showBox(const words::Box& box) {
    const QMessageBox::Icon shown = box.icon == words::BoxIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon;
    openBox({box.text, box.caption, shown, QMessageBox::Ok});
}

// ---------------------------------------------------------------- connection

void MainWindow::ComboBox1DropDown() { ports_->fill(); }

void MainWindow::ButtonVCPClick() {
    if (ui_->ComboBox1->currentIndex() < 0) {
        updateConnectButton(false);
        return;
    }
    if (controller_.isOpen()) {
        controller_.close();
        ui_->ComboBox1->setEnabled(true);
        return;
    }
    const QString port = ports_->selectedPort();
    if (controller_.open(port))
        settings_->setLastPort(port);
    else
        updateConnectButton(false);
}

void MainWindow::updateConnectButton(bool open) {
    showingConnection_ = true;
    ui_->ButtonVCP->setIcon(QIcon(connectGlyph(open ? 0 : 1)));
    ui_->ButtonVCP->setChecked(open);
    const QString hint = vek::translated(open ? texts::kDisconnectHint : texts::kConnectHint);
    ui_->ButtonVCP->setToolTip(hint);
    ui_->ButtonVCP->setAccessibleName(hint);
    showingConnection_ = false;
}

void MainWindow::connectionChanged(bool open) {
    ui_->B_RemConfig->setEnabled(!open);
    if (open) {
        ui_->ComboBox1->setEnabled(false);
        status_->connectionOpened();
        // Nothing is known yet of the unit on this port.
        ui_->Edit1->clear();
    } else {
        configKnown_ = false;
    }
    updateSetConfig();
    ports_->setWatching(!open);
    updateConnectButton(open);
}

// ---------------------------------------------------------------- production panel

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !qr_->replaying()) {
        // Every key meant for this window passes here first, once: at the
        // widget that has the focus (or the window itself).
        auto* w = qobject_cast<QWidget*>(watched);
        const QWidget* focus = QApplication::focusWidget();
        if (w && w->window() == this && (w == focus || (!focus && w == this))) {
            auto* key = static_cast<QKeyEvent*>(event);
            const qint64 ms = qr_->timeOf(key);
            FormKeyDown(key->key(), key->modifiers(), ms);
            if (qr_->filter(w, key, ms)) return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::FormKeyDown(int key, Qt::KeyboardModifiers modifiers, qint64 ms) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (ctrl && (modifiers & Qt::AltModifier) && (modifiers & Qt::ShiftModifier) && key == Qt::Key_F12)
        setProductionPanel(content_->width() != kWideWidth);
    if (QrCapture::takes(key, modifiers)) qr_->key(key, ms);
}

void MainWindow::Edit1Change() {
    const QString usb = ui_->Edit1->text();
    const QString qr = ui_->Edit2->text();
    // Two empty fields compare nothing: that is no OK, but the "X" the
    // panel starts with.
    const bool same = !usb.isEmpty() && usb == qr;
    ui_->Label0->setText(QString::fromUtf8(same ? texts::kVerdictOk : texts::kVerdictMismatch));
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
    production_->clear();
    controller_.clearIdList();
}

// ---------------------------------------------------------------- configuration

void MainWindow::B_SetConfigClick() {
    const std::optional<unit::Identification> unit = controller_.unitHere();
    const unit::Kind kind = unit ? controller_.setConfig(unit->id, form_->form()) : unit::Kind::NotIdentified;
    if (kind != unit::Kind::Ok) refused(kind);
}

void MainWindow::refused(unit::Kind kind) {
    // Said where it stays: a running operation's progress soon takes the
    // status line back.
    status_->refused(kind);
    log_->append(status_->text(), true, controller_.portName());
}

void MainWindow::updateSetConfig() {
    ui_->B_SetConfig->setEnabled(configKnown_ && controller_.isOpen() && controller_.idle());
}

void MainWindow::askWithoutCopy(const unit::Outcome& outcome) {
    unit::Plan plan = controller_.lastRoad();
    plan.withoutCopy = true;
    const unit::UnitId id = outcome.unit.id;
    const QString why = outcome.copy ? QString::fromStdString(outcome.copy->why) : QString();
    openBox({vek::translated(texts::kCopyNotKeptAsk).arg(why), windowTitle(), QMessageBox::Warning,
             QMessageBox::Yes | QMessageBox::No},
            [this, plan, id](QMessageBox::StandardButton answer) {
                if (answer != QMessageBox::Yes) return;
                const unit::Kind kind = controller_.request(id, plan);
                if (kind != unit::Kind::Ok) {
                    refused(kind);
                    return;
                }
                log_->append(vek::translated(texts::kWithoutCopyLine), true, controller_.portName());
            });
}
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
    unit::Options options = controller_.options();
    options.norvale = ui_->Cb_Norvale->isChecked();
    options.closeAfterConfigure = ui_->Cb_COMAutoClose->isChecked();
    controller_.setOptions(options);
}

}  // namespace vek::app
