#pragma once
// What the system knows of each serial port: its name, device path,
// description and USB vendor:product id, plus the device paths named in
// VEKTOOL_EXTRA_PORTS (ptys never show up in the system's list).

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace vek::link {

struct PortInfo {
    QString name;         // what the port list shows and open() takes
    QString path;         // the device path
    QString description;  // empty where the system says nothing
    QString manufacturer;
    std::optional<quint16> vendorId, productId;

    // "1234:abcd", or empty when the port is not on USB.
    QString usbId() const;

    friend bool operator==(const PortInfo&, const PortInfo&) = default;
};

// Sorted by name without regard to case.
QList<PortInfo> describePorts();

// A cheap mark of what describePorts() would say: while it stays the same,
// so does the list (see ComPort::portListStamp).
QString portListStamp();

// Replaces what the system says of its ports (tests on machines whose ports
// are unknown); the extra paths are added as always. An empty function
// restores the system's word.
void setPortDescriber(std::function<QList<PortInfo>()> describer);

}  // namespace vek::link
