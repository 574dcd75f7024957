#include "link/port_info.h"

#include <QSerialPortInfo>
#include <algorithm>

#include "link/com_port.h"

namespace vek::link {

QString PortInfo::usbId() const {
    if (!vendorId || !productId) return {};
    return QStringLiteral("%1:%2").arg(*vendorId, 4, 16, QLatin1Char('0')).arg(*productId, 4, 16, QLatin1Char('0'));
}

QList<PortInfo> describePorts() {
    QList<PortInfo> out;
    const QList<QSerialPortInfo> system = QSerialPortInfo::availablePorts();
    // The same list the window shows: the system's names plus the extra paths.
    for (const QString& name : ComPort::enumComPorts()) {
        PortInfo p;
        p.name = name;
        p.path = name;
        const auto known = std::find_if(system.begin(), system.end(), [&](const QSerialPortInfo& i) {
            return i.portName() == name || i.systemLocation() == name;
        });
        if (known != system.end()) {
            p.path = known->systemLocation();
            p.description = known->description();
            p.manufacturer = known->manufacturer();
            if (known->hasVendorIdentifier()) p.vendorId = known->vendorIdentifier();
            if (known->hasProductIdentifier()) p.productId = known->productIdentifier();
        }
        out << p;
    }
    return out;
}

}  // namespace vek::link
