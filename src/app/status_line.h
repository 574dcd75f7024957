#pragma once
// The line under the progress bar: while an operation runs, what it is, how
// far it got, how fast it goes and how long it still takes; afterwards, how
// it ended (green done, red failed with the reason) until the next one.

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include "session/view.h"

class QLabel;

namespace vek::app {

class StatusLine : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Running, Done, Failed };

    // Redrawing on every block would cost a transfer more than the line is
    // worth: while running, the text changes at most this often.
    static constexpr int kRefreshMs = 100;

    explicit StatusLine(QLabel* label, QObject* parent = nullptr);

    // The controller's progressChanged.
    void progress(int position, int maximum, session::Operation operation);
    // The controller's operationFinished; `verified` says whether a write
    // was read back.
    void finished(const session::Finished& outcome, bool verified);
    // A new connection: nothing of the old one is still running.
    void connectionOpened();

    State state() const { return state_; }
    // The whole text; the label may show it shortened.
    QString text() const { return text_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const QString& text, State state);
    QString runningText(int position, int maximum) const;
    void resizeText();

    QLabel* label_;
    State state_ = State::Idle;
    QString text_;
    session::Operation operation_ = session::Operation::None;
    QElapsedTimer started_;
    QElapsedTimer shown_;
    int firstPosition_ = 0;
};

}  // namespace vek::app
