#pragma once
// The real window, offscreen, with a simulated unit on a real pty.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>
#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "app/message_box.h"
#include "pty_host.h"

namespace vek::testing {

// Waits on the event loop until `done` holds or `ms` pass.
bool waitFor(const std::function<bool()>& done, int ms = 5000);
// Lets the event loop run for `ms`.
void pump(int ms);

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a simulated unit; `setup` runs on it before it is served.
    sim::PtyHost& startUnit(const sim::Identity& identity = {},
                            const std::function<void(sim::UnitSim&)>& setup = {});
    // Creates the window with the unit's port (if any) among the extra ports.
    app::MainWindow& makeWindow();
    // Selects the unit's port and presses the connect button.
    void connectUnit();
    void pressConnect();
    // Closes the port and opens it again once the unit has seen it closed,
    // as a technician's two presses would be.
    void reconnect();

    template <class T>
    T* widget(const char* name) const {
        T* w = window_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString log() const { return widget<QTextEdit>("Log")->toPlainText(); }
    bool logHas(const QString& text) const { return log().contains(text); }
    bool waitLog(const QString& text, int ms = 5000) {
        return waitFor([&] { return logHas(text); }, ms);
    }
    // Whether the Log's last line is in the warning colour.
    bool lastLineRed() const;
    bool connectedState() const;
    bool disconnectedState() const;
    // Sends a key the way the keyboard would: to the focused widget, stamped
    // `afterMs` after the previous key.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {},
             int afterMs = 5);
    // Types `text` into the focused widget at a person's pace (a pause past
    // the scanner's gap before each key), and waits until it has arrived.
    void typeByHand(const QString& text);
    // Types `text` as a scanner does: every key at once.
    void typeAsScanner(const QString& text);

    // Settings and the daily log of this test alone, never the developer's.
    std::unique_ptr<QTemporaryDir> home;
    QString dataFolder() const;

    std::vector<app::BoxRequest> boxes;
    QMessageBox::StandardButton boxAnswer = QMessageBox::Ok;
    std::unique_ptr<sim::PtyHost> unit;
    std::unique_ptr<app::MainWindow> window_;
    quint64 keyClock_ = 1000;
};

}  // namespace vek::testing
