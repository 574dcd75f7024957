#pragma once
// A failure as it travels past the session: the stable name of its kind and
// its values under stable keys, and nothing in words. It is the same whether
// it comes from a road that just ended or from a record stored at another
// station in another language, so every view and every reader of the
// records put it into the same words, in their own language.

#include <QJsonObject>
#include <QString>
#include <optional>

#include "session/outcome.h"

namespace vek::words {

struct Failure {
    // A session kind's name ("port-lost"), or one of the station's own
    // ("duplicate-id"), or "other" for a reason kept only as a sentence.
    QString kind;
    QJsonObject values;

    bool empty() const { return kind.isEmpty(); }
    friend bool operator==(const Failure& a, const Failure& b) { return a.kind == b.kind && a.values == b.values; }
};

// The keys of the values, as records and --json carry them.
namespace key {
inline constexpr const char* kPort = "port";
inline constexpr const char* kOperation = "operation";  // firmware, write, read, verify
inline constexpr const char* kNacks = "nacks";
inline constexpr const char* kCode10 = "code10";
inline constexpr const char* kCode15 = "code15";
inline constexpr const char* kCode20 = "code20";
inline constexpr const char* kType = "type";
inline constexpr const char* kVersion = "version";
inline constexpr const char* kReturned = "returned";
inline constexpr const char* kUnit = "unit";
inline constexpr const char* kOffset = "offset";
inline constexpr const char* kWrote = "wrote";
inline constexpr const char* kRead = "read";
inline constexpr const char* kField = "field";
inline constexpr const char* kValue = "value";
inline constexpr const char* kMin = "min";
inline constexpr const char* kMax = "max";
inline constexpr const char* kUnitOfMeasure = "measure";
inline constexpr const char* kWhere = "where";
inline constexpr const char* kWhy = "why";
inline constexpr const char* kOtherPort = "otherPort";
inline constexpr const char* kText = "text";
inline constexpr const char* kBy = "by";  // interrupted: who stopped it
}  // namespace key

// The station's own kinds, beside the session's.
inline constexpr const char* kDuplicateId = "duplicate-id";
// A reason kept only as a sentence (records from before kinds were kept).
inline constexpr const char* kOther = "other";
// The station could not store the run's first row: nothing was sent.
inline constexpr const char* kNotRecorded = "not-recorded";
// Who interrupted a run: the station's operator, or nobody (its station
// stopped and the run was found running later).
inline constexpr const char* kByOperator = "operator";
inline constexpr const char* kByStationGone = "station-gone";

// The kind and values of a road that ended badly; empty for one that ended
// well. `port` goes with it when the view knows it.
Failure failureOf(const session::Outcome& outcome, const QString& port = {});

// A kind's stable name ("port-lost"), as a QString.
QString kindKey(session::Kind kind);
// "firmware", "write", "read", "verify"; empty for none.
QString operationKey(session::Operation operation);
std::optional<session::Kind> kindNamed(const QString& name);

// The values as one compact JSON object ("{}" when there are none), and back.
QString valuesJson(const QJsonObject& values);
QJsonObject valuesFromJson(const QString& json);

}  // namespace vek::words
