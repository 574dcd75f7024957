#include "app_fixture.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QThread>

#include "app/qr_capture.h"
#include "link/com_port.h"

namespace vek::testing {

bool waitFor(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

void pump(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

void AppTest::SetUp() {
    home = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(home->isValid());
    qputenv("XDG_DATA_HOME", home->filePath("data").toLocal8Bit());
    for (QSettings::Format f : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(f, QSettings::UserScope, home->filePath("config"));
    // The update check must not reach out: a loopback port nothing listens on.
    qputenv("VEKTOOL_UPDATE_BASE", "http://127.0.0.1:9");
    qputenv("VEKTOOL_EXTRA_PORTS", "");
    // The machine's own serial ports are not part of any test.
    link::ComPort::setSystemPortLister([] { return QStringList(); });
    app::setBoxHandler([this](const app::BoxRequest& r) {
        boxes.push_back(r);
        return boxAnswer;
    });
}

QString AppTest::dataFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void AppTest::TearDown() {
    window_.reset();
    if (unit) unit->stop();
    unit.reset();
    app::setBoxHandler({});
    link::ComPort::setSystemPortLister({});
}

sim::PtyHost& AppTest::startUnit(const sim::Identity& identity, const std::function<void(sim::UnitSim&)>& setup) {
    unit = std::make_unique<sim::PtyHost>(identity);
    if (setup) unit->withUnit([&](sim::UnitSim& u) {
        setup(u);
        return 0;
    });
    unit->start();
    qputenv("VEKTOOL_EXTRA_PORTS", unit->devicePath().c_str());
    return *unit;
}

app::MainWindow& AppTest::makeWindow() {
    window_ = std::make_unique<app::MainWindow>();
    window_->show();
    window_->activateWindow();
    // The start-up clean-up runs once, 10 ms after creation.
    EXPECT_TRUE(waitFor([this] { return !window_->findChild<QTimer*>(QStringLiteral("Timer5"))->isActive(); }));
    return *window_;
}

void AppTest::pressConnect() { widget<QToolButton>("ButtonVCP")->click(); }

void AppTest::reconnect() {
    pressConnect();
    ASSERT_TRUE(disconnectedState());
    ASSERT_TRUE(waitFor([this] { return !unit->toolConnected(); }));
    pressConnect();
    ASSERT_TRUE(connectedState());
}

void AppTest::connectUnit() {
    auto* combo = widget<QComboBox>("ComboBox1");
    const int i = combo->findData(QString::fromStdString(unit->devicePath()));
    ASSERT_GE(i, 0) << "the unit's port is not listed";
    combo->setCurrentIndex(i);
    pressConnect();
    ASSERT_TRUE(connectedState()) << log().toStdString();
}

bool AppTest::lastLineRed() const {
    const QTextBlock last = widget<QTextEdit>("Log")->document()->lastBlock();
    const QTextBlock::iterator it = last.begin();
    return !it.atEnd() && it.fragment().charFormat().foreground().color() == QColor(0xFF, 0, 0);
}

bool AppTest::connectedState() const {
    return window_->controller().isOpen() && widget<QToolButton>("ButtonVCP")->isChecked() &&
           !widget<QComboBox>("ComboBox1")->isEnabled() && !widget<QPushButton>("B_RemConfig")->isEnabled();
}

bool AppTest::disconnectedState() const {
    return !window_->controller().isOpen() && !widget<QToolButton>("ButtonVCP")->isChecked() &&
           !widget<QPushButton>("B_SetConfig")->isEnabled() && widget<QPushButton>("B_RemConfig")->isEnabled();
}

namespace {
Qt::Key keyFor(QChar c) { return static_cast<Qt::Key>(c.toUpper().unicode()); }
}  // namespace

void AppTest::typeByHand(const QString& text) {
    constexpr int kPause = app::QrCapture::kBurstGapMs + 15;
    for (QChar c : text) {
        pump(kPause);
        key(keyFor(c), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, c, kPause);
    }
    // The last key is held back a moment while it might still begin a scan.
    auto* capture = window_->findChild<app::QrCapture*>();
    ASSERT_TRUE(waitFor([&] { return !capture->holding(); }));
}

void AppTest::typeAsScanner(const QString& text) {
    // A scan comes well after whatever was typed before it, then fast.
    int after = 1000;
    for (QChar c : text) {
        key(keyFor(c), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, c, after);
        after = 5;
    }
}

void AppTest::key(Qt::Key k, Qt::KeyboardModifiers modifiers, const QString& text, int afterMs) {
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != window_.get()) target = window_.get();
    // Stamped as the window system stamps keys: the window tells a scan
    // from typing by these times, not by how busy the test machine is.
    keyClock_ += static_cast<quint64>(afterMs);
    QKeyEvent press(QEvent::KeyPress, k, modifiers, text);
    press.setTimestamp(keyClock_);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, k, modifiers, text);
    release.setTimestamp(keyClock_);
    QApplication::sendEvent(target, &release);
}

}  // namespace vek::testing
