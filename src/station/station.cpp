#include "station/station.h"

#include <QFileInfo>
#include <QHostInfo>

#include "link/com_port.h"
#include "link/port_info.h"
#include "station/records_link.h"
#include "station/station_texts.h"
#include "text/language.h"

namespace vek::station {

Station::Station(config::FormModel form, QStringList ports, RecordsLink* link, QObject* parent)
    : QObject(parent), form_(std::move(form)), ports_(std::move(ports)), link_(link),
      host_(link ? link->station() : QHostInfo::localHostName()) {
    watchTimer_.setInterval(kWatchMs);
    connect(&watchTimer_, &QTimer::timeout, this, &Station::watch);
    if (link_) connect(link_, &RecordsLink::stateChanged, this, &Station::storageChanged);
    lister_ = [] {
        // A unit is a USB serial device: ports the system builds in (ttyS0
        // and the like) are never watched unless named with the ports list.
        // VEKTOOL_EXTRA_PORTS names more (a simulator's pty).
        const QStringList extra = qEnvironmentVariable("VEKTOOL_EXTRA_PORTS").split(u':', Qt::SkipEmptyParts);
        QStringList present;
        try {
            for (const link::PortInfo& p : link::describePorts())
                if (!p.usbId().isEmpty() || extra.contains(p.name) || extra.contains(p.path)) present << p.name;
        } catch (const link::ComPortError&) {
        }
        // A device path named by hand is listed whether it exists or not;
        // here only one that is there now counts as plugged.
        present.removeIf([](const QString& p) { return p.startsWith(QLatin1Char('/')) && !QFileInfo::exists(p); });
        return present;
    };
}

Station::~Station() {
    for (StationUnit* u : std::as_const(units_)) u->stop();
}

void Station::start() {
    for (const QString& port : std::as_const(ports_)) add(port);
    watch();
    watchTimer_.start();
}

int Station::runningUnits() const {
    int n = 0;
    for (StationUnit* u : std::as_const(units_)) n += u->running() ? 1 : 0;
    return n;
}

void Station::storageChanged() {
    const bool held = !link_->state().storing;
    if (held == held_) return;
    held_ = held;
    emit line(vek::translated(held ? texts::kHeld : texts::kResumed));
    if (!held_ && !draining_ && !stopping_)
        for (StationUnit* u : std::as_const(units_)) u->release();
}

void Station::drain() {
    if (draining_ || stopping_) return;
    draining_ = true;
    emit line(vek::translated(texts::kDraining).arg(runningUnits()));
    checkFinished();
}

QList<StationUnit*> Station::units() const {
    QList<StationUnit*> out;
    for (const QString& port : order_) out << units_.value(port);
    return out;
}

StationUnit* Station::add(const QString& port) {
    auto* unit = new StationUnit(port, form_, host_, this);
    unit->setLink(link_);
    unit->setSource(source_);
    unit->setMayStart([this] { return !held_ && !draining_ && !stopping_; });
    units_.insert(port, unit);
    order_ << port;
    connect(unit, &StationUnit::changed, this, [this, unit] { emit unitChanged(unit); });
    connect(unit, &StationUnit::line, this, &Station::line);
    connect(unit, &StationUnit::runEnded, this, &Station::runEnded);
    connect(unit, &StationUnit::runUnrecorded, this, &Station::runUnrecorded);
    connect(unit, &StationUnit::unitBegan, this, &Station::unitBegan, Qt::DirectConnection);
    emit unitAdded(unit);
    return unit;
}

void Station::watch() {
    if (stopping_ || draining_) return;
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

namespace {

// A unit is known by its identifier; one never identified, by its run.
QString unitKey(const records::Run& run) { return run.unitId.isEmpty() ? run.port + u'#' + run.id : run.unitId; }

}  // namespace

void Station::recount() {
    Summary s;
    for (const Last& last : std::as_const(lastRun_)) {
        if (!last.recorded) {
            ++s.unrecorded;
            continue;
        }
        switch (last.run.verdict) {
            case records::Verdict::Passed: ++s.passed; continue;
            case records::Verdict::Interrupted: ++s.interrupted; break;
            default: ++s.failed; break;
        }
        s.failures << Summary::Failure{last.run.port, last.run.unitId,
                                       {last.run.failureKind, last.run.failureValues}, last.run.failureReason};
    }
    summary_ = s;
    emit summaryChanged();
}

void Station::runEnded(const records::Run& record) {
    const QString key = unitKey(record);
    const auto it = lastRun_.constFind(key);
    const bool late = it != lastRun_.cend() && !it->recorded && it->run.id == record.id;
    // A run stored late takes its place back, unless the unit has run again since.
    if (it == lastRun_.cend() || it->run.id == record.id || it->run.startedAt <= record.startedAt)
        lastRun_.insert(key, Last{record, true});
    if (!late) ++ended_;
    recount();
    if (count_ > 0 && ended_ >= count_ && !stopping_) {
        // Let the last unit's own signals finish before the ports close.
        QTimer::singleShot(0, this, [this] { stop(); });
    }
    checkFinished();
}

void Station::runUnrecorded(const records::Run& record) {
    lastRun_.insert(unitKey(record), Last{record, false});
    ++ended_;
    recount();
    if (count_ > 0 && ended_ >= count_ && !stopping_)
        QTimer::singleShot(0, this, [this] { stop(); });
    checkFinished();
}

void Station::checkFinished() {
    if (finished_) return;
    if (draining_ && !stopping_) {
        if (runningUnits() > 0) return;
        stop();
        return;
    }
    if (!stopping_) return;
    for (StationUnit* u : std::as_const(units_))
        if (!u->settled()) return;
    finished_ = true;
    emit finished();
}

void Station::stop() {
    if (stopping_) return;
    stopping_ = true;
    watchTimer_.stop();
    for (StationUnit* u : std::as_const(units_)) u->stop();
    checkFinished();
}

}  // namespace vek::station
