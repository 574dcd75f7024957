#pragma once
// What the system knows of each serial port: its name, device path,
// description and USB vendor:product id, plus the device paths named in
// VEKTOOL_EXTRA_PORTS (ptys never show up in the system's list).

#include <QList>
#include <QString>
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
};

// Sorted by name without regard to case.
QList<PortInfo> describePorts();

}  // namespace vek::link
