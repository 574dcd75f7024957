#include "app/station_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <variant>

#include "app/app_texts.h"
#include "app/glyphs.h"
#include "app/qr_capture.h"
#include "config/config_file.h"
#include "config/config_image.h"
#include "station/station.h"
#include "station/records_link.h"
#include "station/station_texts.h"
#include "unit/language.h"

namespace vek::app {

namespace {


QString qs(const char* text) { return QString::fromUtf8(text); }
QString qs(vek::Text text) { return vek::translated(text); }

const QColor kPassedColour(0xC8, 0xF0, 0xC8);
const QColor kFailedColour(0xF8, 0xC8, 0xC8);
const QColor kRunningColour(0xFF, 0xF4, 0xC0);

QString duration(qint64 seconds) {
    if (seconds < 60) return qs(texts::kSeconds).arg(seconds);
    return qs(texts::kMinutes).arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// The controller's estimate, the one every view shows.
QString progressFormat(const station::UnitRow& r) {
    if (!r.running || r.maximum <= 0) return QStringLiteral("%p%");
    const QLocale pt(QLocale::Portuguese, QLocale::Brazil);
    const QString rate = r.bytesPerSecond >= 0
                             ? qs(station::texts::kRowRate).arg(pt.toString(r.bytesPerSecond / 1000.0, 'f', 1))
                             : qs(station::texts::kRowRateUnknown);
    const QString left =
        r.secondsLeft >= 0 ? qs(texts::kTimeLeft).arg(duration(r.secondsLeft)) : qs(texts::kTimeLeftUnknown);
    return qs(station::texts::kRowProgress).arg(rate, left);
}

QString elapsedText(qint64 ms) {
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

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
    table_->setAccessibleName(qs(texts::kStationTitle));

    message_ = new QLabel(qs(texts::kStationWaiting), this);
    message_->setObjectName(QStringLiteral("StationMessage"));
    QFont big = message_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    message_->setFont(big);

    recordsLabel_ = new QLabel(this);
    recordsLabel_->setObjectName(QStringLiteral("StationRecords"));
    recordsLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(recordsLabel_);
    layout->addWidget(table_, 1);
    layout->addWidget(message_);
    resize(900, 420);

    clock_ = new QTimer(this);
    clock_->setInterval(500);
    connect(clock_, &QTimer::timeout, this, &StationWindow::tick);
    connect(configCombo_, &QComboBox::activated, this, [this](int index) {
        if (index < 2) {
            choosePreset(index);
            return;
        }
        const QString path = QFileDialog::getOpenFileName(this, qs(texts::kStationChooseFile), {}, qs(texts::kStationFileFilter));
        if (path.isEmpty() || !chooseFile(path)) choosePreset(0);
    });
    connect(startButton_, &QPushButton::clicked, this, [this] { running() ? stopStation() : void(startStation()); });
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
        recordsLabel_->setStyleSheet(QStringLiteral("color: #d00000;"));
        return;
    }
    const station::RecordsState& s = link_->state();
    recordsLabel_->setText(station::describe(s));
    const bool bad = !s.open || !s.storing || (s.shared && !s.connected && s.awaySince.isValid());
    recordsLabel_->setStyleSheet(bad ? QStringLiteral("color: #d00000;") : QString());
}

StationWindow* StationWindow::withLocalRecords(QStringList ports) {
    auto link = std::make_unique<station::RecordsLink>(records::StoreOptions{});
    auto* window = new StationWindow(link.get(), std::move(ports));
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(link.get(), &station::RecordsLink::opened, window, [window](bool ok, const QString& error) {
        if (!ok) window->say(error, true);
    });
    link->open();
    window->ownLink_ = std::move(link);
    return window;
}

void addStationButton(QWidget* parent, const QRect& geometry) {
    auto* button = new QPushButton(vek::translated(texts::kOpenStation), parent);
    button->setObjectName(QStringLiteral("B_Station"));
    button->setToolTip(vek::translated(texts::kOpenStationHint));
    button->setGeometry(geometry);
    QObject::connect(button, &QPushButton::clicked, button, [window = QPointer<StationWindow>()]() mutable {
        if (!window) window = StationWindow::withLocalRecords();
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

void StationWindow::say(const QString& text, bool warning) {
    message_->setText(text);
    message_->setStyleSheet(warning ? QStringLiteral("color: #d00000;") : QString());
}

void StationWindow::choosePreset(int index) {
    form_ = config::FormModel{};
    index == 1 ? config::applyNorvale(form_) : config::applyDefaults(form_);
    configCombo_->setCurrentIndex(index == 1 ? 1 : 0);
    configLabel_->clear();
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
    form_ = std::get<config::FormModel>(loaded);
    configCombo_->setCurrentIndex(2);
    configLabel_->setText(path);
    return true;
}

bool StationWindow::startStation() {
    if (station_) return true;
    if (link_ && !link_->state().open) {
        say(qs(texts::kStationRecordsClosed).arg(station::describe(link_->state())), true);
        return false;
    }
    station_ = std::make_unique<station::Station>(form_, ports_, link_);
    stopping_ = false;
    connect(station_.get(), &station::Station::unitAdded, this, &StationWindow::unitAdded);
    connect(station_.get(), &station::Station::unitChanged, this, &StationWindow::showRow);
    connect(station_.get(), &station::Station::summaryChanged, this, [this] {
        const station::Summary& s = station_->summary();
        say(qs(texts::kStationSummary).arg(s.passed).arg(s.failed + s.interrupted), false);
    });
    configCombo_->setEnabled(false);
    startButton_->setText(qs(texts::kStationStop));
    station_->start();
    clock_->start();
    return true;
}

void StationWindow::stopStation() {
    if (!station_ || stopping_) return;
    stopping_ = true;
    clock_->stop();
    auto done = [this] {
        for (station::StationUnit* unit : station_->units()) showRow(unit);
        // Not from inside the station's own signal.
        QTimer::singleShot(0, this, [this] {
            if (!stopping_) return;
            station_.reset();
            rows_.clear();
            stopping_ = false;
            configCombo_->setEnabled(true);
            startButton_->setEnabled(true);
            startButton_->setText(qs(texts::kStationStart));
        });
    };
    connect(station_.get(), &station::Station::finished, this, done);
    startButton_->setEnabled(false);
    station_->stop(qs(station::texts::kStopped));
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
    stopStation();
    QWidget::closeEvent(event);
}

}  // namespace vek::app
