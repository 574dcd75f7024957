#include "station/station.h"

#include <QFileInfo>
#include <QHostInfo>

#include "link/com_port.h"
#include "records/record_store.h"
#include "station/station_texts.h"

namespace vek::station {

Station::Station(config::FormModel form, QStringList ports, records::RecordStore* store, QObject* parent)
    : QObject(parent), form_(std::move(form)), ports_(std::move(ports)), store_(store),
      host_(store ? store->station() : QHostInfo::localHostName()) {
    watchTimer_.setInterval(kWatchMs);
    connect(&watchTimer_, &QTimer::timeout, this, &Station::watch);
    retryTimer_.setInterval(kRetryMs);
    connect(&retryTimer_, &QTimer::timeout, this, [this] { store_->retry(); });
    lister_ = [] {
        QStringList present;
        try {
            present = link::ComPort::enumComPorts();
        } catch (const link::ComPortError&) {
        }
        // A device path named by hand is listed whether it exists or not;
        // here only one that is there now counts as plugged.
        present.removeIf([](const QString& p) { return p.startsWith(QLatin1Char('/')) && !QFileInfo::exists(p); });
        return present;
    };
}

Station::~Station() {
    for (StationUnit* u : std::as_const(units_)) u->stop(QString::fromUtf8(texts::kStopped));
}

void Station::start() {
    for (const QString& port : std::as_const(ports_)) add(port);
    watch();
    watchTimer_.start();
    if (store_) retryTimer_.start();
}

QList<StationUnit*> Station::units() const {
    QList<StationUnit*> out;
    for (const QString& port : order_) out << units_.value(port);
    return out;
}

StationUnit* Station::add(const QString& port) {
    auto* unit = new StationUnit(port, form_, host_, this);
    unit->setStore(store_);
    units_.insert(port, unit);
    order_ << port;
    connect(unit, &StationUnit::changed, this, [this, unit] { emit unitChanged(unit); });
    connect(unit, &StationUnit::line, this, &Station::line);
    connect(unit, &StationUnit::runEnded, this, &Station::runEnded);
    connect(unit, &StationUnit::unitBegan, this, &Station::unitBegan, Qt::DirectConnection);
    emit unitAdded(unit);
    return unit;
}

void Station::watch() {
    if (stopping_) return;
    QStringList present = lister_();
    // A port given by its device path counts as plugged while the path is there.
    for (const QString& port : std::as_const(ports_))
        if (port.startsWith(QLatin1Char('/')) && QFileInfo::exists(port) && !present.contains(port)) present << port;
    if (ports_.isEmpty())
        for (const QString& port : present)
            if (!units_.contains(port)) add(port);
    for (const QString& port : order_) {
        StationUnit* unit = units_.value(port);
        if (!present.contains(port)) {
            if (unit->isOpen() || unit->awaitingUnplug() || unit->running()) unit->portGone();
            continue;
        }
        if (!unit->isOpen() && !unit->awaitingUnplug()) unit->open();
    }
}

void Station::unitBegan(StationUnit* unit) {
    const std::optional<unit::UnitId> id = unit->liveId();
    if (!id) return;
    for (StationUnit* other : std::as_const(units_)) {
        if (other == unit || other->liveId() != id) continue;
        // Two units cannot be told apart by the records: neither is worked on.
        unit->duplicateOf(other->row().port);
        other->duplicateOf(unit->row().port);
        return;
    }
}

bool Station::scanQr(const QString& digits) {
    for (StationUnit* unit : std::as_const(units_)) {
        if (!unit->idDigits().isEmpty() && unit->idDigits() == digits) {
            unit->setQrLabel(digits);
            return true;
        }
    }
    return false;
}

void Station::runEnded(const records::Run& record) {
    ++ended_;
    if (record.verdict == records::Verdict::Passed) {
        ++summary_.passed;
    } else {
        if (record.verdict == records::Verdict::Interrupted) ++summary_.interrupted;
        else ++summary_.failed;
        summary_.failures << QStringLiteral("%1 %2: %3").arg(record.port, record.unitId, record.failureReason);
    }
    emit summaryChanged();
    if (count_ > 0 && ended_ >= count_ && !stopping_) {
        // Let the last unit's own signals finish before the ports close.
        QTimer::singleShot(0, this, [this] { stop(QString::fromUtf8(texts::kStopped)); });
    }
}

void Station::stop(const QString& reason) {
    if (stopping_) return;
    stopping_ = true;
    watchTimer_.stop();
    retryTimer_.stop();
    for (StationUnit* u : std::as_const(units_)) u->stop(reason);
    emit finished();
}

}  // namespace vek::station
