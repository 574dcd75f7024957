#include "app/message_box.h"

namespace vek::app {

namespace {
BoxHandler& handler() {
    static BoxHandler h;
    return h;
}
}  // namespace

QMessageBox::StandardButton showBox(const BoxRequest& request) {
    if (handler()) return handler()(request);
    QMessageBox box(request.icon, request.caption, request.text, request.buttons);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void setBoxHandler(BoxHandler h) { handler() = std::move(h); }

}  // namespace vek::app
