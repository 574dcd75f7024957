#pragma once
// The production station on the command line: one line per unit event on
// standard error, a summary at the end; Ctrl+C ends it cleanly.

#include <QString>
#include <QStringList>

#include "config/form_model.h"

namespace vek::cli {

struct StationArgs {
    config::FormModel form;
    QStringList ports;  // empty: every port
    QString db;         // empty: the local database
    int count = 0;
};

// Runs until `count` runs have ended or until interrupted; returns the exit
// code (0 when every run passed).
int runStation(const StationArgs& args);

// Lists (or exports as CSV) the records since `since` (ISO date, may be empty).
int listRecords(const QString& db, const QString& since, bool csv);

}  // namespace vek::cli
