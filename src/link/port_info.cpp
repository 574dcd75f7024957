#include "link/port_info.h"

#include <QSerialPortInfo>
#include <algorithm>

#include "link/com_port.h"

namespace vek::link {

QString PortInfo::usbId() const {
    if (!vendorId || !productId) return {};
    return QStringLiteral("%1:%2").arg(*vendorId, 4, 16, QLatin1Char('0')).arg(*productId, 4, 16, QLatin1Char('0'));
}

namespace {

std::function<QList<PortInfo>()>& describer() {
    static std::function<QList<PortInfo>()> d;
    return d;
}

}  // namespace

void setPortDescriber(std::function<QList<PortInfo>()> d) { describer() = std::move(d); }

QString portListStamp() {
    if (!describer()) return ComPort::portListStamp();
    QStringList parts;
    for (const PortInfo& p : describer()()) parts << QStringList{p.name, p.path, p.description, p.usbId()}.join('\t');
    parts << qEnvironmentVariable("VEKTOOL_EXTRA_PORTS");
    return parts.join(QLatin1Char('\n'));
}

QList<PortInfo> describePorts() {
    QList<PortInfo> out;
    if (describer()) {
        out = describer()();
        for (const QString& path : qEnvironmentVariable("VEKTOOL_EXTRA_PORTS").split(':', Qt::SkipEmptyParts)) {
            if (std::any_of(out.begin(), out.end(), [&](const PortInfo& p) { return p.name == path; })) continue;
            PortInfo p;
            p.name = p.path = path;
            out << p;
        }
        std::sort(out.begin(), out.end(), [](const PortInfo& a, const PortInfo& b) {
            return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
        });
        return out;
    }
    // Asked once: each asking costs the system a walk through its devices.
    const QList<QSerialPortInfo> system = QSerialPortInfo::availablePorts();
    // The same list the window shows: the system's names plus the extra paths.
    for (const QString& name : ComPort::enumComPorts(system)) {
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
