#include "app/message_box.h"

#include <QAbstractButton>

#include "app/app_texts.h"
#include "link/com_port.h"
#include "unit/language.h"

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
    for (const BoxButton& named : request.named) {
        if (QAbstractButton* button = box->button(named.button)) {
            button->setText(named.text);
            button->setObjectName(named.name);
        }
    }
    if (request.defaultButton != QMessageBox::NoButton) box->setDefaultButton(request.defaultButton);
    QObject::connect(box, &QMessageBox::finished, box, [box, answered = std::move(answered)](int) {
        if (answered) answered(box->standardButton(box->clickedButton()));
    });
    box->open();
}

void setBoxHandler(BoxHandler h) { handler() = std::move(h); }

QString exceptionText(const std::exception& e) {
    using namespace texts;
    const auto* port = dynamic_cast<const link::ComPortError*>(&e);
    if (!port) return vek::translated(kUnexpectedError).arg(QString::fromLocal8Bit(e.what()));
    QString what;
    switch (port->code()) {
        case link::CE_OpenFailed: what = vek::translated(kSerialOpenFailed); break;
        case link::CE_WriteFailed: what = vek::translated(kSerialWriteFailed); break;
        case link::CE_ReadFailed: what = vek::translated(kSerialReadFailed); break;
        case link::CE_PurgeFailed:
        case link::CE_SetStateFailed:
        case link::CE_TimeoutsFailed:
        case link::CE_SetupComFailed:
        case link::CE_ClearComFailed: what = vek::translated(kSerialSetupFailed); break;
        default: what = vek::translated(kSerialOther).arg(port->code());
    }
    QString text = vek::translated(kSerialFailure).arg(what);
    if (!port->systemText().isEmpty()) text += vek::translated(kSystemSays).arg(port->systemText());
    return text;
}

}  // namespace vek::app
