#pragma once
// Every message box of the tool goes through here, so that a test can see
// each box and answer it without a person at the screen.

#include <QList>
#include <QMessageBox>
#include <QString>
#include <exception>
#include <functional>

namespace vek::app {

// A standard button shown with words of its own and an object name, so a
// question whose answers are verbs can still be answered by a handler (with
// the standard button) or pressed by name.
struct BoxButton {
    QMessageBox::StandardButton button = QMessageBox::NoButton;
    QString text;
    QString name;
};

struct BoxRequest {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QList<BoxButton> named{};
    // Enter's answer; none: the box's own choice.
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

using BoxHandler = std::function<QMessageBox::StandardButton(const BoxRequest&)>;
using BoxAnswer = std::function<void(QMessageBox::StandardButton)>;

// Shows a modal box and returns at once; `answered` is called with the
// button pressed when the box closes. A box that comes while another is
// open waits until that one is closed; a notice (OK alone, no answer
// awaited) equal to the one open or waiting is dropped. With a handler
// installed the handler answers, at once.
void openBox(const BoxRequest& request, BoxAnswer answered = {});

// Boxes waiting for the open one to close.
int boxesWaiting();

// What the last-resort box says of an error no handler took, in the
// tool's words (a serial failure's own text is the link's, in English).
QString exceptionText(const std::exception& e);

// Installs (or, with an empty handler, removes) the test seam.
void setBoxHandler(BoxHandler handler);

}  // namespace vek::app
