#include "app/message_box.h"

#include "app/app_texts.h"
#include "link/com_port.h"

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

QString exceptionText(const std::exception& e) {
    using namespace texts;
    const auto* port = dynamic_cast<const link::ComPortError*>(&e);
    if (!port) return QString::fromUtf8(kUnexpectedError).arg(QString::fromLocal8Bit(e.what()));
    QString what;
    switch (port->code()) {
        case link::CE_OpenFailed: what = QString::fromUtf8(kSerialOpenFailed); break;
        case link::CE_WriteFailed: what = QString::fromUtf8(kSerialWriteFailed); break;
        case link::CE_ReadFailed: what = QString::fromUtf8(kSerialReadFailed); break;
        case link::CE_PurgeFailed:
        case link::CE_SetStateFailed:
        case link::CE_TimeoutsFailed:
        case link::CE_SetupComFailed:
        case link::CE_ClearComFailed: what = QString::fromUtf8(kSerialSetupFailed); break;
        default: what = QString::fromUtf8(kSerialOther).arg(port->code());
    }
    QString text = QString::fromUtf8(kSerialFailure).arg(what);
    if (!port->systemText().isEmpty()) text += QString::fromUtf8(kSystemSays).arg(port->systemText());
    return text;
}

}  // namespace vek::app
