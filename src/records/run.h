#pragma once
// One production run of one unit, as the station records it: begun when the
// unit is plugged in, filled in as the unit is identified, updated, configured
// and checked, ended with a verdict.

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "protocol/identification.h"

namespace vek::records {

enum class Verdict { Running, Passed, Failed, Interrupted };

// The reading back of the written configuration, compared with what was sent.
struct Verify {
    enum class Result { NotDone, Match, Mismatch };
    Result result = Result::NotDone;
    std::uint32_t offset = 0;  // first differing byte, for a mismatch

    bool operator==(const Verify&) const = default;
};

// The check values the unit was given with the image it received.
struct ImageCheck {
    std::uint8_t xorValue = 0;
    std::uint32_t sum = 0;

    bool operator==(const ImageCheck&) const = default;
};

// The unit's QR label as scanned, and whether it named the identifier read
// over USB.
struct QrScan {
    QString label{};
    bool match = false;

    bool operator==(const QrScan&) const = default;
};

// A run as stored. Texts are as shown to the technician: the identifier as
// "0BADF00D 12345678 00C0FFEE" (word 3 first), versions as "a.b.c.d". Empty
// texts and absent values are fields not learned (yet).
struct Run {
    QString id{};  // UUID, lower case, no braces
    QDateTime startedAt{};
    QDateTime endedAt{};  // invalid until ended
    QString station{};
    QString port{};
    QString unitId{};
    std::optional<int> unitType{};
    QString firmwareBefore{};
    QString firmwareAfter{};
    QString configJson{};
    std::optional<ImageCheck> imageCheck{};
    Verify verify{};
    std::optional<QrScan> qr{};
    Verdict verdict = Verdict::Running;
    // Why it failed, as a sentence in the recording station's language, for
    // people who read the table without the tool; the tool reads the kind
    // and its values.
    QString failureReason{};
    QString failureKind{};
    QJsonObject failureValues{};
    // The station instance that wrote the run (host, process, a random part).
    QString instance{};
    // A preset's name, or the configuration file's name.
    QString configSource{};
    // The SHA-256 of the configuration file's bytes (hex), for a file.
    QString configSha256{};
    // The firmware version the station brings units to ("a.b.c.d").
    QString firmwareTarget{};
    // The unit's configuration as read before anything was written.
    QByteArray beforeImage{};

    bool operator==(const Run&) const = default;
};

struct RunStart {
    QString port{};
    QString id{};           // empty: the store makes one
    QDateTime startedAt{};  // invalid: now
};

// Fields learned along the way; only those set are written.
struct RunUpdate {
    std::optional<protocol::UnitId> unitId{};
    std::optional<protocol::Version> firmwareBefore{};  // also gives the unit type
    std::optional<protocol::Version> firmwareAfter{};
    std::optional<QString> configJson{};
    std::optional<ImageCheck> imageCheck{};
    std::optional<Verify> verify{};
    std::optional<QrScan> qr{};
};

struct RunEnd {
    Verdict verdict = Verdict::Passed;
    QString failureReason{};
    QString failureKind{};
    QJsonObject failureValues{};
    QDateTime endedAt{};  // invalid: now
};

// Which runs a listing returns; empty or absent fields do not filter.
struct RunFilter {
    QString station{};
    QString unitId{};
    std::optional<Verdict> verdict{};
};

// The stored words: "running", "passed", "failed", "interrupted"; "match",
// "mismatch", "not done".
QString verdictText(Verdict verdict);
std::optional<Verdict> verdictFromText(const QString& text);
QString verifyText(Verify::Result result);
std::optional<Verify::Result> verifyFromText(const QString& text);

QString versionText(const protocol::Version& version);
QString unitIdText(const protocol::UnitId& id);

// Timestamps are stored as UTC ISO 8601 text with milliseconds, one fixed
// width, so that text order is time order in every database.
QString timestampText(const QDateTime& time);
QDateTime timestampFromText(const QString& text);

// For a spreadsheet: a byte order mark, one header line (the stored column
// names) and one line per run, comma-separated, quoted where a field holds a
// comma, a semicolon or a quote; line breaks inside a field become spaces,
// the configuration is compact JSON, and a field starting with = + - @ or a
// tab is prefixed with a quote mark so that it is never taken for a formula.
// Lines end in CRLF.
QString toCsv(const std::vector<Run>& runs);

}  // namespace vek::records
