#pragma once
// The line under the progress bar: while an operation runs, what it is, how
// far it got, how fast it goes and how long it still takes; afterwards, how
// it ended (green done, red failed with the reason) until the next one.

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include "unit/unit_types.h"

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
    void progress(const unit::Progress& progress);
    // The controller's operationFinished.
    void finished(const unit::Outcome& outcome);
    // An action the controller refused (nothing was sent): why.
    void refused(unit::Kind kind);
    // A new connection: nothing of the old one is still running.
    void connectionOpened();

    State state() const { return state_; }
    // Why an outcome is a failure, in the line's words.
    static QString failureReason(const unit::Outcome& outcome);
    // The whole text; the label may show it shortened.
    QString text() const { return text_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const QString& text, State state);
    QString runningText(const unit::Progress& progress) const;
    void resizeText();

    QLabel* label_;
    State state_ = State::Idle;
    QString text_;
    unit::Operation operation_ = unit::Operation::None;
    QElapsedTimer shown_;
};

}  // namespace vek::app
