#pragma once
// The ports the technician picks from, kept current: each entry shows the
// port's name and what the system knows of the device (description, USB
// vendor:product); the name itself, which opens the port, is the entry's
// data. While the list can be used, it looks again every kRefreshMs and
// follows plugs and unplugs without moving the technician's choice; a single
// port that appears is chosen for them.

#include <QList>
#include <QObject>
#include <QString>

#include "link/com_port.h"
#include "link/port_info.h"

class QTimer;

namespace vek::app {

class PortComboBox;

class PortList : public QObject {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 500;

    PortList(PortComboBox* combo, QObject* parent);

    // Lists the ports anew and selects entry 0 (start-up, drop-down). A
    // failing list leaves the entries as they are and says false.
    bool fill();
    // Lists the ports anew, keeping the selection (see above).
    void refresh();
    // Refreshing runs only while the list can be used (not while connected).
    void setWatching(bool on);
    bool watching() const;

    // The selected entry's port name; empty with no selection.
    QString selectedPort() const;
    // Selects the entry for `port`; false when it is not listed.
    bool select(const QString& port);

    static QString entryText(const link::PortInfo& port);

private:
    void show(const QList<link::PortInfo>& ports);

    PortComboBox* combo_;
    QTimer* timer_;
    QList<link::PortInfo> listed_;
    QString stamp_;  // the port list's mark when it was last listed
};

}  // namespace vek::app
