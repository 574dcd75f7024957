#pragma once
// What the window remembers from one run to the next: the last port opened,
// whether the production panel was open and its list, and "Fechar após
// configurar". Kept with QSettings under the application's name.

#include <QList>
#include <QSettings>
#include <QString>

#include "app/production_list.h"

namespace vek::app {

class Settings {
public:
    Settings();

    QString lastPort() const;
    void setLastPort(const QString& port);
    bool productionPanel() const;
    void setProductionPanel(bool shown);
    // "Forçar configuração Norvale" is not kept: ticked behind a hidden
    // panel it would rewrite units at the next start with nothing on view.
    bool closeAfterConfigure() const;
    void setCloseAfterConfigure(bool on);
    // The serial trace changes nothing on a unit; it is kept like a view.
    bool serialTrace() const;
    void setSerialTrace(bool on);
    QList<ProductionEntry> idList() const;
    void setIdList(const QList<ProductionEntry>& entries);

private:
    mutable QSettings settings_;
};

}  // namespace vek::app
