#include "app/message_box.h"

#include <QAbstractButton>
#include <QTimer>
#include <deque>

#include "app/app_texts.h"
#include "link/com_port.h"
#include "text/language.h"

namespace vek::app {

namespace {
BoxHandler& handler() {
    static BoxHandler h;
    return h;
}

// Boxes are shown one at a time: one that comes while another is open waits
// for it, so that nothing the technician must read is covered by the next,
// and the same box twice in a row (a failure seen again on one road) is
// read once.
struct Waiting {
    BoxRequest request;
    BoxAnswer answered;
};
struct Queue {
    QObject* open = nullptr;  // the box on screen
    BoxRequest shown;
    std::deque<Waiting> waiting;
};
Queue& queue() {
    static Queue q;
    return q;
}

bool sameBox(const BoxRequest& a, const BoxRequest& b) {
    return a.text == b.text && a.caption == b.caption && a.icon == b.icon && a.buttons == b.buttons;
}

void showNext();

void show(const BoxRequest& request, BoxAnswer answered) {
    // No nested event loop: the box lives on its own and reports its answer.
    auto* box = new QMessageBox(request.icon, request.caption, request.text, request.buttons);
    queue().open = box;
    queue().shown = request;
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    for (const BoxButton& named : request.named) {
        if (QAbstractButton* button = box->button(named.button)) {
            button->setText(named.text);
            button->setObjectName(named.name);
        }
    }
    if (request.defaultButton != QMessageBox::NoButton) box->setDefaultButton(request.defaultButton);
    const auto gone = [box] {
        if (queue().open != box) return;
        queue().open = nullptr;
        // The next one once this one has gone, not from inside its signal.
        QTimer::singleShot(0, [] { showNext(); });
    };
    QObject::connect(box, &QMessageBox::finished, box, [box, gone, answered = std::move(answered)](int) {
        gone();
        if (answered) answered(box->standardButton(box->clickedButton()));
    });
    // Also a box deleted unanswered (its window gone) lets the next one come.
    QObject::connect(box, &QObject::destroyed, gone);
    box->open();
}

void showNext() {
    if (queue().open || queue().waiting.empty()) return;
    Waiting next = std::move(queue().waiting.front());
    queue().waiting.pop_front();
    show(next.request, std::move(next.answered));
}
}  // namespace

void openBox(const BoxRequest& request, BoxAnswer answered) {
    if (handler()) {
        const QMessageBox::StandardButton button = handler()(request);
        if (answered) answered(button);
        return;
    }
    Queue& q = queue();
    // A notice already on screen or waiting is not said again; a question
    // is always asked, since its answer is awaited.
    if (request.buttons == QMessageBox::Ok && !answered) {
        if (q.open && sameBox(q.shown, request)) return;
        for (const Waiting& w : q.waiting)
            if (sameBox(w.request, request)) return;
    }
    q.waiting.push_back({request, std::move(answered)});
    showNext();
}

int boxesWaiting() { return static_cast<int>(queue().waiting.size()); }

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
