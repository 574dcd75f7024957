#pragma once
// The one question asked before units are left mid-change: closing either
// window, Ctrl+Q, "Parar estação". Three verbs, each with what it does to
// the unit or units, so nobody stops a firmware update by answering "Não".

#include <QString>
#include <QTime>
#include <functional>

namespace vek::app {

enum class LeaveAnswer { LetFinish, StopNow, GoOn };

struct LeaveQuestion {
    QString caption;
    QString situation;  // what runs now
    // What each answer does to the unit or units.
    QString letFinish;
    QString stopNow;
    QString goOn;
};

// The buttons' object names, for whoever presses them without a person.
inline constexpr char kLetFinishButton[] = "B_LetFinish";
inline constexpr char kStopNowButton[] = "B_StopNow";
inline constexpr char kGoOnButton[] = "B_GoOn";

// Opens the question and returns at once (no nested event loop); `answered`
// is called when it closes. Escape, or closing the box, goes on working.
void askLeave(const LeaveQuestion& question, std::function<void(LeaveAnswer)> answered);

// The answer's button words.
QString leaveVerb(LeaveAnswer answer);
// "06:41:07 — Parar agora: <what it did>", for the Log or the station's lines.
QString leaveAnswerLine(LeaveAnswer answer, const QString& what, const QTime& at = QTime::currentTime());

}  // namespace vek::app
