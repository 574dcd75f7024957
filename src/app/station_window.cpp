#include "app/station_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <variant>

#include "app/app_texts.h"
#include "app/shown_locale.h"
#include "app/glyphs.h"
#include "app/leave_question.h"
#include "app/leave_texts.h"
#include "app/message_box.h"
#include "app/pgpass.h"
#include "app/qr_capture.h"
#include "app/records_viewer.h"
#include "app/save_dialog.h"
#include "config/config_file.h"
#include "config/config_image.h"
#include "records/database_url.h"
#include "station/station.h"
#include "station/records_link.h"
#include "station/station_texts.h"
#include "text/language.h"

namespace vek::app {

namespace {


QString qs(const char* text) { return QString::fromUtf8(text); }
QString qs(vek::Text text) { return vek::translated(text); }

const QColor kPassedColour(0xC8, 0xF0, 0xC8);
const QColor kFailedColour(0xF8, 0xC8, 0xC8);
const QColor kRunningColour(0xFF, 0xF4, 0xC0);
const QString kRed = QStringLiteral("color: #d00000;");

// Under the application's name, beside the main window's settings. Only the
// address: the password lives in the file libpq reads.
const QString kDatabaseKey = QStringLiteral("station/database");

// A file chosen is looked at this often during a run: a change is said
// within it.
constexpr int kFileWatchMs = 1000;
// Shown of a SHA-256 on the line at the top; the whole one in its tip.
constexpr int kShortSha = 12;

StationWindow::PasswordPrompt& passwordPrompt() {
    static StationWindow::PasswordPrompt prompt;
    return prompt;
}

QString duration(qint64 seconds) {
    if (seconds < 60) return qs(texts::kSeconds).arg(seconds);
    return qs(texts::kMinutes).arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// The controller's estimate, the one every view shows.
QString progressFormat(const station::UnitRow& r) {
    if (!r.running || r.maximum <= 0) return QStringLiteral("%p%");
    const QLocale locale = shownLocale();
    const QString rate = r.bytesPerSecond >= 0
                             ? qs(station::texts::kRowRate).arg(locale.toString(r.bytesPerSecond / 1000.0, 'f', 1))
                             : qs(station::texts::kRowRateUnknown);
    const QString left =
        r.secondsLeft >= 0 ? qs(texts::kTimeLeft).arg(duration(r.secondsLeft)) : qs(texts::kStationTimeLeftUnknown);
    return qs(station::texts::kRowProgress).arg(rate, left);
}

// The bar's text at its widest in a station's usual run: a full bar, a fast
// link, under a minute left.
QString widestProgress() {
    const QLocale locale = shownLocale();
    return qs(station::texts::kRowProgress)
        .replace(QStringLiteral("%p"), QStringLiteral("100"))
        .arg(qs(station::texts::kRowRate).arg(locale.toString(88.8, 'f', 1)),
             qs(texts::kTimeLeft).arg(qs(texts::kSeconds).arg(58)));
}

QString elapsedText(qint64 ms) {
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// A cell cut at its end ("falhou: o Vek parou de…"), where the table cuts
// in the middle for the labels' digits.
class ElidedAtTheEnd : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideRight;
        option->features &= ~QStyleOptionViewItem::WrapText;
    }
};

}  // namespace

QString rememberedStationDatabase() {
    return QSettings(QCoreApplication::applicationName()).value(kDatabaseKey).toString();
}

StationWindow::StationWindow(QStringList ports, records::StoreOptions base, QWidget* parent)
    : StationWindow(nullptr, std::move(ports), parent) {
    base_ = std::move(base);
    databaseUrl_ = rememberedStationDatabase();
    QString error;
    if (!databaseUrl_.isEmpty() && !records::parseDatabaseUrl(databaseUrl_, &error)) {
        // Hand-edited settings: the station says so and records locally.
        say(error, true);
        databaseUrl_.clear();
    }
    databaseCombo_->setEnabled(true);
    databaseCombo_->setCurrentIndex(databaseUrl_.isEmpty() ? 0 : 1);
    databaseEdit_->setText(databaseUrl_);
    databaseEdit_->setEnabled(!databaseUrl_.isEmpty());
    openLink();
}

StationWindow::StationWindow(station::RecordsLink* link, QStringList ports, QWidget* parent)
    : QWidget(parent), link_(link), ports_(std::move(ports)) {
    setObjectName(QStringLiteral("StationWindow"));
    setWindowTitle(qs(texts::kStationTitle));
    setWindowIcon(windowIcon());
    config::applyDefaults(form_);

    auto* top = new QHBoxLayout;
    auto* label = new QLabel(qs(texts::kStationConfiguration), this);
    configCombo_ = new QComboBox(this);
    configCombo_->setObjectName(QStringLiteral("StationConfig"));
    configCombo_->addItems({qs(texts::kStationDefault), qs(texts::kStationNorvale), qs(texts::kStationFromFile)});
    label->setBuddy(configCombo_);
    configCombo_->setAccessibleName(label->text());
    configLabel_ = new QLabel(this);
    configLabel_->setObjectName(QStringLiteral("StationConfigFile"));
    startButton_ = new QPushButton(qs(texts::kStationStart), this);
    startButton_->setObjectName(QStringLiteral("StationStart"));
    top->addWidget(label);
    top->addWidget(configCombo_);
    top->addWidget(configLabel_, 1);
    top->addWidget(startButton_);

    auto* where = new QHBoxLayout;
    auto* databaseLabel = new QLabel(qs(texts::kStationDatabase), this);
    databaseCombo_ = new QComboBox(this);
    databaseCombo_->setObjectName(QStringLiteral("StationDatabase"));
    databaseCombo_->addItems({qs(texts::kStationDatabaseLocal), qs(texts::kStationDatabaseShared)});
    databaseCombo_->setAccessibleName(databaseLabel->text());
    databaseLabel->setBuddy(databaseCombo_);
    // Chosen only in a window that opens its own records.
    databaseCombo_->setEnabled(false);
    databaseEdit_ = new QLineEdit(this);
    databaseEdit_->setObjectName(QStringLiteral("StationDatabaseUrl"));
    databaseEdit_->setPlaceholderText(qs(texts::kStationDatabaseUrlHint));
    databaseEdit_->setAccessibleName(qs(texts::kStationDatabaseUrlName));
    databaseEdit_->setEnabled(false);
    recordsButton_ = new QPushButton(qs(texts::kStationOpenRecords), this);
    recordsButton_->setObjectName(QStringLiteral("B_Records"));
    recordsButton_->setToolTip(qs(texts::kStationOpenRecordsHint));
    recordsButton_->setAccessibleName(qs(texts::kStationOpenRecordsHint));
    where->addWidget(databaseLabel);
    where->addWidget(databaseCombo_);
    where->addWidget(databaseEdit_, 1);
    where->addWidget(recordsButton_);

    table_ = new QTableWidget(0, ColumnCount, this);
    table_->setObjectName(QStringLiteral("StationTable"));
    QStringList headers;
    for (const char* h : texts::kStationHeaders) headers << qs(h);
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(ColStep, QHeaderView::Stretch);
    // The bar's text is drawn, not laid out: its column is made as wide as
    // the text at its widest, or it is cut.
    const QFontMetrics metrics(table_->font());
    const int barMargins = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, table_) + 12;
    table_->horizontalHeader()->setSectionResizeMode(ColProgress, QHeaderView::Fixed);
    table_->setColumnWidth(ColProgress, metrics.horizontalAdvance(widestProgress()) + barMargins);
    // So that a row fits a 900 px window on one line with room left for the
    // step: the firmware's "before → after", and a scanned label (24 digits)
    // shown by its ends, whole in its tip.
    const auto fixedWidth = [&](int column, const QString& widest) {
        const int header = metrics.horizontalAdvance(table_->horizontalHeaderItem(column)->text());
        table_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Fixed);
        table_->setColumnWidth(column, std::max(header, metrics.horizontalAdvance(widest)) + 14);
    };
    fixedWidth(ColFirmware, QStringLiteral("4.0.2.46 → 4.0.2.47"));
    fixedWidth(ColQr, QStringLiteral("33…1002 ✔"));
    table_->setTextElideMode(Qt::ElideMiddle);
    // One line a unit, so a line's worth of units is seen at once: a long
    // reason is cut at its end, whole in its tip.
    table_->setWordWrap(false);
    table_->setItemDelegateForColumn(ColStep, new ElidedAtTheEnd(table_));
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(
        std::max(metrics.height() + 8, QProgressBar().sizeHint().height() + 4));
    table_->setAccessibleName(qs(texts::kStationTitle));

    message_ = new QLabel(qs(texts::kStationWaiting), this);
    message_->setObjectName(QStringLiteral("StationMessage"));
    QFont big = message_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    message_->setFont(big);

    // The line's counters, large enough to read from a step back: a number
    // two and a half times the table's text over its name.
    auto* counters = new QHBoxLayout;
    const struct {
        const char* name;
        vek::Text caption;
        QColor colour;
    } counterOf[] = {
        {"StationCountPassed", texts::kStationCountPassed, QColor(0x00, 0x80, 0x00)},
        {"StationCountFailed", texts::kStationCountFailed, QColor(0xd0, 0x00, 0x00)},
        {"StationCountInterrupted", texts::kStationCountInterrupted, QColor(0xb0, 0x60, 0x00)},
        {"StationCountUnrecorded", texts::kStationCountUnrecorded, QColor(0x80, 0x00, 0x00)},
    };
    QFont number = table_->font();
    number.setPointSizeF(number.pointSizeF() * 2.5);
    number.setBold(true);
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        auto* box = new QVBoxLayout;
        counts_[i] = new QLabel(QStringLiteral("0"), this);
        counts_[i]->setObjectName(QLatin1String(counterOf[i].name));
        counts_[i]->setFont(number);
        counts_[i]->setAlignment(Qt::AlignCenter);
        QPalette palette = counts_[i]->palette();
        palette.setColor(QPalette::WindowText, counterOf[i].colour);
        counts_[i]->setPalette(palette);
        counts_[i]->setAccessibleName(qs(counterOf[i].caption));
        auto* caption = new QLabel(qs(counterOf[i].caption), this);
        caption->setAlignment(Qt::AlignCenter);
        box->addWidget(counts_[i]);
        box->addWidget(caption);
        counters->addLayout(box, 1);
    }

    recordsLabel_ = new QLabel(this);
    recordsLabel_->setObjectName(QStringLiteral("StationRecords"));
    recordsLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    recordsLabel_->setWordWrap(true);
    // The queue goes on its own every second; this is for the operator who
    // wants it gone before unplugging the machine.
    auto* sendNow = new QPushButton(qs(texts::kStationSendNow), this);
    sendNow->setObjectName(QStringLiteral("B_SendNow"));
    sendNow->setToolTip(qs(texts::kStationSendNowHint));
    sendNow->setAccessibleName(qs(texts::kStationSendNowHint));
    sendNow->setVisible(false);
    connect(sendNow, &QPushButton::clicked, this, [this] {
        if (link_) link_->sendNow();
    });
    auto* recordsLine = new QHBoxLayout;
    recordsLine->addWidget(recordsLabel_, 1);
    recordsLine->addWidget(sendNow);
    sourceLabel_ = new QLabel(this);
    sourceLabel_->setObjectName(QStringLiteral("StationSource"));
    sourceLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sourceLabel_->setWordWrap(true);
    sourceLabel_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(where);
    layout->addLayout(recordsLine);
    layout->addWidget(sourceLabel_);
    layout->addWidget(table_, 1);
    layout->addLayout(counters);
    layout->addWidget(message_);
    const QScreen* screen = QGuiApplication::primaryScreen();
    fitTo(screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800));

    clock_ = new QTimer(this);
    clock_->setInterval(500);
    connect(clock_, &QTimer::timeout, this, &StationWindow::tick);
    connect(configCombo_, &QComboBox::activated, this, [this](int index) {
        if (index < 2) {
            choosePreset(index);
            return;
        }
        const QString path = app::chooseFile(this, false, qs(texts::kStationChooseFile), {}, qs(texts::kStationFileFilter));
        if (path.isEmpty() || !chooseFile(path)) choosePreset(0);
    });
    connect(startButton_, &QPushButton::clicked, this, [this] { station_ ? requestStop() : void(startStation()); });
    connect(databaseCombo_, &QComboBox::activated, this, [this](int index) {
        databaseEdit_->setEnabled(index == 1);
        if (index == 0) {
            chooseDatabase({});
        } else if (databaseEdit_->text().trimmed().isEmpty()) {
            say(qs(texts::kStationDatabaseNoUrl), false);
            databaseEdit_->setFocus();
        } else {
            chooseDatabase(databaseEdit_->text());
        }
    });
    connect(databaseEdit_, &QLineEdit::returnPressed, this, [this] { chooseDatabase(databaseEdit_->text()); });
    connect(recordsButton_, &QPushButton::clicked, this, &StationWindow::openRecords);
    fileWatch_ = new QTimer(this);
    fileWatch_->setInterval(kFileWatchMs);
    connect(fileWatch_, &QTimer::timeout, this, &StationWindow::checkFile);
    qr_ = new QrCapture([this](const QString& digits) { scanned(digits); }, this);
    qApp->installEventFilter(this);
    // Space starts the station: the one thing to do once the configuration is chosen.
    startButton_->setFocus();
    if (link_) connect(link_, &station::RecordsLink::stateChanged, this, &StationWindow::showRecordsState);
    showRecordsState();
}

void StationWindow::showRecordsState() {
    if (!link_) {
        recordsLabel_->setText(qs(texts::kStationNoRecords));
        recordsLabel_->setStyleSheet(kRed);
        return;
    }
    const station::RecordsState& s = link_->state();
    recordsLabel_->setText(station::describe(s));
    if (auto* sendNow = findChild<QPushButton*>(QStringLiteral("B_SendNow"))) {
        sendNow->setVisible(s.shared);
        sendNow->setEnabled(s.open && s.queued > 0);
    }
    // Why the server is away is too long for the line; it is one look away.
    recordsLabel_->setToolTip(s.problem);
    const bool bad = !s.open || !s.storing || (s.shared && !s.connected && s.awaySince.isValid());
    recordsLabel_->setStyleSheet(bad ? kRed : QString());
    if (s.shared && !s.connected && ownLink_ && asksForPassword(s.problem)) askPassword();
}

void StationWindow::openLink() {
    if (ownLink_) {
        disconnect(ownLink_.get(), nullptr, this, nullptr);
        ownLink_->close();
    }
    records::StoreOptions options = base_;
    options.url = databaseUrl_;
    ownLink_ = std::make_unique<station::RecordsLink>(options);
    link_ = ownLink_.get();
    passwordDeclined_ = false;
    connect(link_, &station::RecordsLink::opened, this, [this](bool ok, const QString& error) {
        if (!ok) say(error, true);
    });
    connect(link_, &station::RecordsLink::stateChanged, this, &StationWindow::showRecordsState);
    link_->open();
    showRecordsState();
}

bool StationWindow::chooseDatabase(const QString& url) {
    if (!ownLink_ || station_) {
        if (station_) say(qs(texts::kStationDatabaseWhileRunning), true);
        databaseCombo_->setCurrentIndex(databaseUrl_.isEmpty() ? 0 : 1);
        return false;
    }
    const QString text = url.trimmed();
    QString error;
    if (!text.isEmpty() && !records::parseDatabaseUrl(text, &error)) {
        // Said without the password, and the password leaves the field too:
        // it is asked for when the server wants it, and kept in ~/.pgpass.
        say(error, true);
        databaseEdit_->setText(records::withoutPassword(text));
        databaseCombo_->setCurrentIndex(1);
        databaseEdit_->setEnabled(true);
        return false;
    }
    databaseCombo_->setCurrentIndex(text.isEmpty() ? 0 : 1);
    databaseEdit_->setEnabled(!text.isEmpty());
    if (!text.isEmpty()) databaseEdit_->setText(text);
    QSettings(QCoreApplication::applicationName()).setValue(kDatabaseKey, text);
    if (text == databaseUrl_) return true;
    databaseUrl_ = text;
    say(qs(texts::kStationWaiting), false);
    openLink();
    return true;
}

void StationWindow::setPasswordPrompt(PasswordPrompt prompt) { passwordPrompt() = std::move(prompt); }

void StationWindow::askPassword() {
    if (passwordAsked_ || passwordDeclined_) return;
    // A try that began before the password was kept fails with the old news.
    if (passwordGiven_.isValid() && passwordGiven_.elapsed() < 2 * station::RecordsLink::kSendMs + 500) return;
    QString error;
    const auto url = records::parseDatabaseUrl(databaseUrl_, &error);
    if (!url) return;
    passwordAsked_ = true;
    const QString server = url->display();
    const QString user = pgpassUser(*url);
    if (passwordPrompt()) {
        passwordAnswered(passwordPrompt()(server, user));
        return;
    }
    // Not modal to the loop: the units keep running while it is on view.
    auto* dialog = new QInputDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(qs(texts::kStationPasswordTitle));
    dialog->setLabelText(qs(texts::kStationPasswordAsk).arg(server, user, pgpassPath()));
    dialog->setTextEchoMode(QLineEdit::Password);
    connect(dialog, &QInputDialog::finished, this, [this, dialog](int result) {
        passwordAnswered(result == QDialog::Accepted ? std::optional<QString>(dialog->textValue()) : std::nullopt);
    });
    dialog->open();
}

void StationWindow::passwordAnswered(std::optional<QString> password) {
    passwordAsked_ = false;
    if (!password) {
        passwordDeclined_ = true;
        return;
    }
    QString error;
    const auto url = records::parseDatabaseUrl(databaseUrl_, &error);
    if (!url) return;
    if (!storePgpassPassword(*url, *password, &error)) {
        say(qs(texts::kStationPasswordNotKept).arg(pgpassPath(), error), true);
        return;
    }
    passwordGiven_.start();
    say(qs(texts::kStationPasswordKept).arg(pgpassPath()), false);
}

void StationWindow::openRecords() { openRecordsViewer(this, databaseUrl_); }

StationWindow* StationWindow::withRememberedRecords(QStringList ports) {
    auto* window = new StationWindow(std::move(ports), records::StoreOptions{});
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

void addStationButton(QWidget* parent, const QRect& geometry) {
    auto* button = new QPushButton(vek::translated(texts::kOpenStation), parent);
    button->setObjectName(QStringLiteral("B_Station"));
    button->setToolTip(vek::translated(texts::kOpenStationHint));
    button->setGeometry(geometry);
    QObject::connect(button, &QPushButton::clicked, button, [window = QPointer<StationWindow>()]() mutable {
        if (!window) window = StationWindow::withRememberedRecords();
        window->show();
        window->raise();
        window->activateWindow();
    });
}

StationWindow::~StationWindow() {
    qApp->removeEventFilter(this);
    stopStation();
    // The rows of the units just stopped are answered before the station goes.
    if (ownLink_) ownLink_->close();
    station_.reset();
}

QString StationWindow::message() const { return message_->text(); }

void StationWindow::fitTo(const QRect& available) {
    // What the window decorations take above the client area.
    constexpr int kFrameAllowance = 40;
    const int rowHeight = table_->verticalHeader()->defaultSectionSize();
    const int tableHeight =
        table_->horizontalHeader()->sizeHint().height() + kLineUnits * rowHeight + 2 * table_->frameWidth();
    const int width = std::clamp(available.width() * 3 / 4, std::min(900, available.width()), available.width());
    table_->setMinimumHeight(tableHeight);
    layout()->activate();
    int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : layout()->totalSizeHint().height();
    table_->setMinimumHeight(0);
    // The configuration's line, shown while the station runs, and a second
    // one when its file changes.
    if (!sourceLabel_->isVisible()) height += 2 * sourceLabel_->fontMetrics().height() + layout()->spacing();
    resize(width, std::min(height, available.height() - kFrameAllowance));
    move(available.center() - rect().center());
}

void StationWindow::say(const QString& text, bool warning) {
    message_->setText(text);
    message_->setStyleSheet(warning ? QStringLiteral("color: #d00000;") : QString());
}

void StationWindow::choosePreset(int index) {
    form_ = config::FormModel{};
    index == 1 ? config::applyNorvale(form_) : config::applyDefaults(form_);
    configCombo_->setCurrentIndex(index == 1 ? 1 : 0);
    configLabel_->clear();
    // The names the command line's --preset takes, stored in every run.
    preset_ = index == 1 ? QStringLiteral("norvale") : QStringLiteral("default");
    filePath_.clear();
    fileHash_.clear();
}

bool StationWindow::chooseFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        say(file.errorString(), true);
        return false;
    }
    const QByteArray text = file.readAll();
    auto loaded = config::fromJson(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    if (auto* error = std::get_if<config::FileError>(&loaded)) {
        say(path + QStringLiteral(": ") + QString::fromStdString(config::describe(*error)), true);
        return false;
    }
    // Read once: these bytes are what every unit gets and what the records name.
    form_ = std::get<config::FormModel>(loaded);
    filePath_ = path;
    fileHash_ = QCryptographicHash::hash(text, QCryptographicHash::Sha256);
    configCombo_->setCurrentIndex(2);
    configLabel_->setText(path);
    configLabel_->setToolTip(qs(texts::kStationSourceSha).arg(QString::fromLatin1(fileHash_.toHex())));
    return true;
}

bool StationWindow::startStation() {
    if (station_) return true;
    if (link_ && !link_->state().open) {
        say(qs(texts::kStationRecordsClosed).arg(station::describe(link_->state())), true);
        return false;
    }
    station_ = std::make_unique<station::Station>(form_, ports_, link_);
    station_->setSource(filePath_.isEmpty()
                            ? station::RunSource{preset_, {}}
                            : station::RunSource{QFileInfo(filePath_).fileName(), QString::fromLatin1(fileHash_.toHex())});
    stopping_ = false;
    table_->setRowCount(0);
    rows_.clear();
    for (QLabel* count : counts_) count->setText(QStringLiteral("0"));
    connect(station_.get(), &station::Station::unitAdded, this, &StationWindow::unitAdded);
    connect(station_.get(), &station::Station::unitChanged, this, &StationWindow::showRow);
    connect(station_.get(), &station::Station::summaryChanged, this, [this] {
        const station::Summary& s = station_->summary();
        say(qs(texts::kStationSummary).arg(s.passed).arg(s.failed).arg(s.interrupted).arg(s.unrecorded),
            s.unrecorded > 0);
        const int counted[] = {s.passed, s.failed, s.interrupted, s.unrecorded};
        for (std::size_t i = 0; i < counts_.size(); ++i) counts_[i]->setText(shownLocale().toString(counted[i]));
    });
    connect(station_.get(), &station::Station::finished, this, &StationWindow::stationFinished);
    setIdle(false);
    fileChangeSaid_ = false;
    showSource();
    if (!filePath_.isEmpty()) fileWatch_->start();
    station_->start();
    clock_->start();
    return true;
}

void StationWindow::setIdle(bool idle) {
    configCombo_->setEnabled(idle);
    databaseCombo_->setEnabled(idle && ownLink_);
    databaseEdit_->setEnabled(idle && ownLink_ && databaseCombo_->currentIndex() == 1);
    startButton_->setEnabled(true);
    startButton_->setText(qs(idle ? texts::kStationStart : texts::kStationStop));
}

void StationWindow::showSource() {
    const QString target = station::StationUnit::firmwareTarget();
    if (filePath_.isEmpty()) {
        sourceLabel_->setText(qs(texts::kStationSourcePreset).arg(configCombo_->itemText(preset_ == QLatin1String("norvale") ? 1 : 0), target));
        sourceLabel_->setToolTip({});
    } else {
        const QString sha = QString::fromLatin1(fileHash_.toHex());
        sourceLabel_->setText(
            qs(texts::kStationSourceFile).arg(QFileInfo(filePath_).fileName(), sha.left(kShortSha), target));
        sourceLabel_->setToolTip(filePath_ + u'\n' + qs(texts::kStationSourceSha).arg(sha));
    }
    sourceLabel_->setStyleSheet({});
    sourceLabel_->show();
}

void StationWindow::checkFile() {
    if (fileChangeSaid_ || filePath_.isEmpty()) return;
    QFile file(filePath_);
    // Gone for a moment (an editor saving) is not yet a change.
    if (!file.open(QIODevice::ReadOnly)) return;
    if (QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256) == fileHash_) return;
    fileChangeSaid_ = true;
    fileWatch_->stop();
    sourceLabel_->setText(sourceLabel_->text() + u'\n' +
                          qs(texts::kStationFileChanged)
                              .arg(QFileInfo(filePath_).fileName(), QString::fromLatin1(fileHash_.toHex()).left(kShortSha)));
    sourceLabel_->setStyleSheet(kRed);
}

void StationWindow::requestStop() {
    if (!station_ || stopping_) return;
    const int running = station_->runningUnits();
    // Pressed again while the running units finish: stop at once.
    if (running == 0 || station_->draining()) {
        stopStation();
        return;
    }
    // Closing words it with the window going too.
    const bool closing = closeWhenStopped_;
    LeaveQuestion question;
    question.caption = qs(texts::kStationStopCaption);
    question.situation = qs(texts::kStationLeaveUnits).arg(running);
    question.letFinish = qs(closing ? texts::kStationFinishClose : texts::kStationFinish);
    question.stopNow = qs(closing ? texts::kStationStopUnitsClose : texts::kStationStopUnits);
    question.goOn = qs(texts::kStationGoOn);
    askLeave(question, [self = QPointer<StationWindow>(this)](LeaveAnswer answer) {
        if (self && answer == LeaveAnswer::GoOn) self->closeWhenStopped_ = false;
        // The units may have ended while the question was on view.
        if (!self || !self->station_ || self->stopping_) return;
        const int under = self->station_->runningUnits();
        const QString line = leaveAnswerLine(
            answer, answer == LeaveAnswer::LetFinish ? qs(texts::kStationLeftToFinish).arg(under)
                    : answer == LeaveAnswer::StopNow ? qs(texts::kStationLeftStopped).arg(under)
                                                     : qs(texts::kStationLeftGoingOn));
        // Among the station's lines before what the answer sets going, and on
        // view until the next news.
        self->station_->note(line);
        if (answer == LeaveAnswer::LetFinish) self->drainStation();
        else if (answer == LeaveAnswer::StopNow) self->stopStation();
        self->say(line, answer == LeaveAnswer::StopNow);
    });
}

void StationWindow::drainStation() {
    if (!station_ || stopping_ || station_->draining()) return;
    startButton_->setText(qs(texts::kStationStopNow));
    say(qs(texts::kStationDraining), false);
    station_->drain();
}

void StationWindow::stopStation() {
    if (!station_ || stopping_) return;
    stopping_ = true;
    startButton_->setEnabled(false);
    station_->stop();
}

void StationWindow::stationFinished() {
    stopping_ = true;
    clock_->stop();
    fileWatch_->stop();
    for (station::StationUnit* unit : station_->units()) showRow(unit);
    // Not from inside the station's own signal.
    QTimer::singleShot(0, this, [this] {
        if (!station_) return;
        station_.reset();
        rows_.clear();
        stopping_ = false;
        sourceLabel_->hide();
        setIdle(true);
        if (closeWhenStopped_) {
            closeWhenStopped_ = false;
            close();
        }
    });
}

void StationWindow::unitAdded(station::StationUnit* unit) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    rows_.insert(unit, row);
    for (int c = 0; c < ColumnCount; ++c)
        if (c != ColProgress) table_->setItem(row, c, new QTableWidgetItem);
    auto* bar = new QProgressBar(table_);
    bar->setTextVisible(true);
    bar->setMaximum(1);
    bar->setValue(0);
    table_->setCellWidget(row, ColProgress, bar);
    showRow(unit);
}

void StationWindow::showRow(station::StationUnit* unit) {
    const auto found = rows_.constFind(unit);
    if (found == rows_.constEnd()) return;
    const int row = *found;
    const station::UnitRow& r = unit->row();
    const bool passed = r.verdict == records::Verdict::Passed;
    const bool interrupted = r.verdict == records::Verdict::Interrupted;
    QString verdict;
    if (r.verdict) verdict = qs(passed ? texts::kStationPassed : interrupted ? texts::kStationInterrupted : texts::kStationFailed);
    QString firmware = r.firmwareBefore;
    if (!r.firmwareAfter.isEmpty() && r.firmwareAfter != r.firmwareBefore)
        firmware += QStringLiteral(" → ") + r.firmwareAfter;
    QString step = r.stepText;
    if (!r.reason.isEmpty()) step += QStringLiteral(": ") + r.reason;
    QString qr = r.qrLabel;
    if (r.qrMatch) qr += *r.qrMatch ? QStringLiteral(" ✔") : QStringLiteral(" ✘");
    const QString cells[] = {r.port, r.unitId, firmware, step, {}, verdict,
                             r.elapsedMs > 0 ? elapsedText(r.elapsedMs) : QString(), qr};
    QColor colour;
    if (r.running) colour = kRunningColour;
    else if (r.verdict) colour = passed ? kPassedColour : kFailedColour;
    for (int c = 0; c < ColumnCount; ++c) {
        if (c == ColProgress) continue;
        QTableWidgetItem* item = table_->item(row, c);
        item->setText(cells[c]);
        item->setToolTip(cells[c]);
        item->setBackground(colour.isValid() ? QBrush(colour) : QBrush());
    }
    if (r.qrMatch && !*r.qrMatch) table_->item(row, ColQr)->setForeground(QColor(0xD0, 0, 0));
    auto* bar = static_cast<QProgressBar*>(table_->cellWidget(row, ColProgress));
    bar->setMaximum(std::max(r.maximum, 1));
    bar->setValue(r.running ? std::min(r.position, std::max(r.maximum, 1)) : (passed ? bar->maximum() : 0));
    bar->setFormat(progressFormat(r));
}

void StationWindow::tick() {
    if (!station_) return;
    for (station::StationUnit* unit : station_->units())
        if (unit->running()) showRow(unit);
}

void StationWindow::scanned(const QString& digits) {
    if (!station_ || !station_->scanQr(digits)) {
        say(qs(texts::kStationQrUnknown).arg(digits), true);
        return;
    }
    for (station::StationUnit* unit : station_->units())
        if (unit->idDigits() == digits) say(qs(texts::kStationQrRecorded).arg(digits, unit->row().port), false);
}

bool StationWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    // The first widget of this window that sees a key eats it when it is a
    // label's digit, so no other sees it again on its way up.
    if (!w || w->window() != this) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!QrCapture::takes(key->key(), key->modifiers()) || (key->modifiers() & Qt::AltModifier)) return false;
    qr_->key(key->key(), qr_->timeOf(key));
    return true;  // the table and combo have no use for the label's digits
}

void StationWindow::closeEvent(QCloseEvent* event) {
    // Closing with units under way asks as "Parar estação" does; the window
    // goes once the station has stopped the way the operator chose.
    if (station_ && !stopping_ && station_->runningUnits() > 0 && !station_->draining()) {
        event->ignore();
        closeWhenStopped_ = true;
        requestStop();
        return;
    }
    if (station_ && !stopping_ && station_->draining()) {
        event->ignore();
        closeWhenStopped_ = true;
        return;
    }
    stopStation();
    QWidget::closeEvent(event);
}

}  // namespace vek::app
