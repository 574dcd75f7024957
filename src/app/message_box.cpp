#include "app/message_box.h"

namespace vek::app {

namespace {
BoxHandler& handler() {
    static BoxHandler h;
    return h;
}
}  // namespace

void openBox(const BoxRequest& request, BoxAnswer answered) {
    if (handler()) {
        const QMessageBox::StandardButton button = handler()(request);
        if (answered) answered(button);
        return;
    }
    // No nested event loop: the box lives on its own and reports its answer.
    auto* box = new QMessageBox(request.icon, request.caption, request.text, request.buttons);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    QObject::connect(box, &QMessageBox::finished, box, [box, answered = std::move(answered)](int) {
        if (answered) answered(box->standardButton(box->clickedButton()));
    });
    box->open();
}

void setBoxHandler(BoxHandler h) { handler() = std::move(h); }

}  // namespace vek::app
