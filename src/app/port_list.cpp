#include "app/port_list.h"

#include <QAbstractItemView>
#include <QTimer>

#include "app/app_texts.h"
#include "app/port_combo_box.h"
#include "text/language.h"

namespace vek::app {

PortList::PortList(PortComboBox* combo, QObject* parent) : QObject(parent), combo_(combo), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("PortList"));
    timer_->setObjectName(QStringLiteral("portRefresh"));
    timer_->setInterval(kRefreshMs);
    connect(timer_, &QTimer::timeout, this, &PortList::refresh);
    connect(combo_, &QComboBox::currentIndexChanged, this, [this] { combo_->setToolTip(combo_->currentText()); });
}

QString PortList::entryText(const link::PortInfo& port) {
    QString text = port.name;
    if (!port.description.isEmpty() && port.description != port.name)
        text = vek::translated(texts::kPortWithDescription).arg(text, port.description);
    if (const QString usb = port.usbId(); !usb.isEmpty()) text = vek::translated(texts::kPortUsbIds).arg(text, usb);
    return text;
}

void PortList::show(const QList<link::PortInfo>& ports) {
    listed_ = ports;
    combo_->clear();
    for (const link::PortInfo& port : ports) combo_->addItem(entryText(port), port.name);
    combo_->fitToNames();
}

bool PortList::fill() {
    try {
        // Marked before listing: a change in between is seen next time.
        const QString stamp = link::portListStamp();
        show(link::describePorts());
        stamp_ = stamp;
    } catch (const link::ComPortError&) {
        // The list and the selection stay as they were.
        return false;
    }
    combo_->setCurrentIndex(listed_.isEmpty() ? -1 : 0);
    return true;
}

void PortList::refresh() {
    // Never under the technician's eyes or hands: not while the list is open
    // or cannot be used.
    if (!combo_->isEnabled() || combo_->view()->isVisible()) return;
    const QString stamp = link::portListStamp();
    if (stamp == stamp_) return;
    stamp_ = stamp;
    QList<link::PortInfo> ports;
    try {
        ports = link::describePorts();
    } catch (const link::ComPortError&) {
        return;
    }
    if (ports == listed_) return;

    QStringList appeared;
    for (const link::PortInfo& port : ports) {
        const bool known = std::any_of(listed_.begin(), listed_.end(),
                                       [&](const link::PortInfo& p) { return p.name == port.name; });
        if (!known) appeared << port.name;
    }
    const QString selected = selectedPort();
    const QSignalBlocker quiet(combo_);
    show(ports);
    // A single new port is most likely the unit just plugged in.
    if (appeared.size() == 1) {
        select(appeared.front());
    } else if (!select(selected)) {
        // The chosen port went away: choose nothing rather than another port.
        combo_->setCurrentIndex(-1);
    }
    combo_->setToolTip(combo_->currentText());
}

void PortList::setWatching(bool on) {
    if (on == timer_->isActive()) return;
    if (on) {
        timer_->start();
        refresh();
    } else {
        timer_->stop();
    }
}

bool PortList::watching() const { return timer_->isActive(); }

QString PortList::selectedPort() const {
    return combo_->currentIndex() < 0 ? QString() : combo_->currentData().toString();
}

bool PortList::select(const QString& port) {
    if (port.isEmpty()) return false;
    const int i = combo_->findData(port);
    if (i < 0) return false;
    combo_->setCurrentIndex(i);
    return true;
}

}  // namespace vek::app
