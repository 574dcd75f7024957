#pragma once
// Ctrl+C (SIGINT), SIGTERM and SIGHUP in two steps, for the commands that
// change a unit and for the station: the first asks, the second insists. A firmware update cut half-way
// leaves a unit in its loader, so a single keystroke never does that; the
// job decides what each step means and says it.

#include <QObject>
#include <QTimer>

namespace vek::cli {

class Interrupts : public QObject {
    Q_OBJECT
public:
    explicit Interrupts(QObject* parent = nullptr);
    // Puts the default handling back: a later Ctrl+C ends the process.
    ~Interrupts() override;

signals:
    void first();
    void second();

private:
    void poll();

    QTimer poll_;
    int seen_ = 0;
};

}  // namespace vek::cli
