#pragma once
// The production station on the command line: one line per unit event on
// standard error, a summary at the end (with --json, as JSON on standard
// output). The first Ctrl+C (or SIGTERM, or SIGHUP) lets the units in
// progress finish and starts no new one; a second one stops at once.
// And the records: listed, summed up, or exported for a spreadsheet.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "config/form_model.h"

namespace vek::cli {

struct StationArgs {
    config::FormModel form;
    QString preset;     // the preset's name, or
    QString file;       // the configuration file, and
    QByteArray fileBytes;  // the bytes `form` was made from: what every unit gets and the records name
    QStringList ports;  // empty: every USB serial port, and those of VEKTOOL_EXTRA_PORTS
    QString db;         // empty: the local database
    int count = 0;
    bool json = false;
    bool quiet = false;  // errors and warnings only
};

// Runs until `count` runs have ended or until interrupted; returns the exit
// code (0 when every unit passed and was recorded; 130 when stopped at once).
int runStation(const StationArgs& args);

struct RecordsArgs {
    QString db;
    QString since;    // a date or a date-time, exactly
    QString verdict;  // a stored word: passed, failed, interrupted, running
    QString unit;     // the identifier or part of it
    bool csv = false;
    bool json = false;
    bool summary = false;
    bool quiet = false;
};

// Lists the records (or their summary, or a CSV); never changes them.
int listRecords(const RecordsArgs& args);

// Sends what this machine's outbox holds: to `args.db`, or to every server
// it holds rows for. 0 when nothing is left queued.
int syncRecords(const RecordsArgs& args);

}  // namespace vek::cli
