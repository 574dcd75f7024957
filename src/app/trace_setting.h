#pragma once
// "Registrar tráfego serial": while ticked, every frame on every port of the
// window (and of its station) goes to a file of its own in the data folder's
// trace/ folder, one file each time the trace is turned on or the window
// starts with it on. The Log says where the file is and when it ends.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace vek::link {
class SerialTrace;
}

namespace vek::app {

class Settings;

class TraceSetting : public QObject {
    Q_OBJECT
public:
    using LogLine = std::function<void(const QString& line, bool warning)>;

    // Adds the ticked entry to `menu` and starts the trace when the setting
    // is on.
    TraceSetting(QMenu* menu, Settings& settings, LogLine log, QObject* parent);
    ~TraceSetting() override;

    QAction* action() const { return action_; }
    // The file being written, or empty.
    QString path() const;

private:
    void setOn(bool on);

    Settings& settings_;
    LogLine log_;
    QAction* action_ = nullptr;
    std::unique_ptr<link::SerialTrace> trace_;
};

}  // namespace vek::app
