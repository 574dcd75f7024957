#pragma once
// One unit's run at the station, as it is recorded: begun when the unit
// identifies itself, completed when the run ends.

#include <QDateTime>
#include <QString>
#include <optional>

namespace vek::station {

struct RunRecord {
    QString runId;  // unique, made when the run begins
    QDateTime startedAt, endedAt;  // UTC
    QString stationHost, port;
    QString unitId;  // the three words as shown
    int unitType = 0;
    QString firmwareBefore, firmwareAfter;  // a.b.c.d
    QString configJson;
    int checkXor = 0;
    qint64 checkSum = 0;
    QString verify;  // match / mismatch at N / not done
    QString qrLabel;
    std::optional<bool> qrMatch;
    QString verdict;  // running / passed / failed / interrupted
    QString reason;
};

// Where runs are written. Every call is one complete write; a recorder that
// cannot reach its database keeps the record and sends it later.
class Recorder {
public:
    virtual ~Recorder() = default;
    virtual void begin(const RunRecord& run) = 0;
    virtual void update(const RunRecord& run) = 0;
    virtual void end(const RunRecord& run) = 0;
};

}  // namespace vek::station
