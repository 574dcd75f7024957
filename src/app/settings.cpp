#include "app/settings.h"

#include <QCoreApplication>

namespace vek::app {

namespace {

const QString kLastPort = QStringLiteral("connection/lastPort");
const QString kPanel = QStringLiteral("production/panelShown");
const QString kIds = QStringLiteral("production/ids");
// Written by earlier releases; removed when seen, never read.
const QString kNorvale = QStringLiteral("options/norvale");
const QString kAutoClose = QStringLiteral("options/closeAfterConfigure");
const QString kSerialTrace = QStringLiteral("options/serialTrace");

}  // namespace

// Under the application's name alone: ~/.config/VekTool.conf, or the
// registry key Software\VekTool.
Settings::Settings() : settings_(QCoreApplication::applicationName()) { settings_.remove(kNorvale); }

QString Settings::lastPort() const { return settings_.value(kLastPort).toString(); }
void Settings::setLastPort(const QString& port) { settings_.setValue(kLastPort, port); }
bool Settings::productionPanel() const { return settings_.value(kPanel, false).toBool(); }
void Settings::setProductionPanel(bool shown) { settings_.setValue(kPanel, shown); }
bool Settings::closeAfterConfigure() const { return settings_.value(kAutoClose, false).toBool(); }

void Settings::setCloseAfterConfigure(bool on) { settings_.setValue(kAutoClose, on); }
bool Settings::serialTrace() const { return settings_.value(kSerialTrace, false).toBool(); }
void Settings::setSerialTrace(bool on) { settings_.setValue(kSerialTrace, on); }

QList<ProductionEntry> Settings::idList() const {
    QList<ProductionEntry> entries;
    QSettings& s = settings_;
    const int n = s.beginReadArray(kIds);
    for (int i = 0; i < n; ++i) {
        s.setArrayIndex(i);
        ProductionEntry e;
        e.digits = s.value(QStringLiteral("id")).toString();
        e.listed = s.value(QStringLiteral("time")).toDateTime();
        e.verdict = s.value(QStringLiteral("qr")).toString();
        // A hand-edited or damaged entry is left out rather than shown wrong.
        if (e.digits.size() == 24) entries.append(e);
    }
    s.endArray();
    return entries;
}

void Settings::setIdList(const QList<ProductionEntry>& entries) {
    settings_.remove(kIds);
    settings_.beginWriteArray(kIds, static_cast<int>(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        settings_.setArrayIndex(i);
        settings_.setValue(QStringLiteral("id"), entries[i].digits);
        settings_.setValue(QStringLiteral("time"), entries[i].listed);
        settings_.setValue(QStringLiteral("qr"), entries[i].verdict);
    }
    settings_.endArray();
}

}  // namespace vek::app
