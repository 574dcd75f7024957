#include "app/leave_question.h"

#include "app/leave_texts.h"
#include "app/message_box.h"
#include "text/language.h"

namespace vek::app {

namespace {

QString qs(vek::Text text) { return vek::translated(text); }

// A handler answers with the standard button behind each verb.
constexpr QMessageBox::StandardButton kLetFinish = QMessageBox::Yes;
constexpr QMessageBox::StandardButton kStopNow = QMessageBox::Abort;
constexpr QMessageBox::StandardButton kGoOn = QMessageBox::Cancel;

}  // namespace

QString leaveVerb(LeaveAnswer answer) {
    switch (answer) {
        case LeaveAnswer::LetFinish: return qs(texts::kLeaveLetFinish);
        case LeaveAnswer::StopNow: return qs(texts::kLeaveStopNow);
        case LeaveAnswer::GoOn: break;
    }
    return qs(texts::kLeaveGoOn);
}

QString leaveAnswerLine(LeaveAnswer answer, const QString& what, const QTime& at) {
    return qs(texts::kLeaveAnswered).arg(at.toString(QStringLiteral("HH:mm:ss")), leaveVerb(answer), what);
}

void askLeave(const LeaveQuestion& question, std::function<void(LeaveAnswer)> answered) {
    BoxRequest request;
    request.caption = question.caption;
    request.text = qs(texts::kLeaveQuestion).arg(question.situation, question.letFinish, question.stopNow, question.goOn);
    request.icon = QMessageBox::Question;
    request.buttons = kLetFinish | kStopNow | kGoOn;
    request.named = {{kLetFinish, leaveVerb(LeaveAnswer::LetFinish), QString::fromLatin1(kLetFinishButton)},
                     {kStopNow, leaveVerb(LeaveAnswer::StopNow), QString::fromLatin1(kStopNowButton)},
                     {kGoOn, leaveVerb(LeaveAnswer::GoOn), QString::fromLatin1(kGoOnButton)}};
    // Enter, like Escape, changes nothing for the unit.
    request.defaultButton = kGoOn;
    openBox(request, [answered = std::move(answered)](QMessageBox::StandardButton button) {
        if (!answered) return;
        if (button == kLetFinish) answered(LeaveAnswer::LetFinish);
        else if (button == kStopNow) answered(LeaveAnswer::StopNow);
        else answered(LeaveAnswer::GoOn);
    });
}

}  // namespace vek::app
