#pragma once
// Every message box of the tool goes through here, so that a test can see
// each box and answer it without a person at the screen.

#include <QMessageBox>
#include <QString>
#include <functional>

namespace vek::app {

struct BoxRequest {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

using BoxHandler = std::function<QMessageBox::StandardButton(const BoxRequest&)>;

// Shows a modal box (no owner window) and returns the button pressed. With a
// handler installed the handler answers instead.
QMessageBox::StandardButton showBox(const BoxRequest& request);

// Installs (or, with an empty handler, removes) the test seam.
void setBoxHandler(BoxHandler handler);

}  // namespace vek::app
