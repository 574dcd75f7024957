#pragma once
// The records schema, created and versioned by the tool itself. The same SQL
// runs on SQLite and PostgreSQL: text, integer and bigint columns only, and
// timestamps as fixed-width UTC text.
//
// Version 1: the `runs` table, with the verify result as one text ("match",
// "mismatch at offset N", "not done").
// Version 2: the verify result split into a word and an offset, the QR label
// and its match, and an index on the start time for listings.
// Version 3: the station instance owning a run, where the configuration came
// from (preset name or file name, and the SHA-256 of the file's bytes), the
// firmware version the station brings units to, the unit's configuration as
// read before the write (hex of its bytes), and an index on the unit.
// Version 4: why a run failed as a kind and its values (JSON), beside the
// sentence; the sentences already stored are read into kinds on the way.

#include <QString>

class QSqlDatabase;

namespace vek::records {

inline constexpr int kSchemaVersion = 4;

enum class SchemaCheck {
    Ready,
    Refused,  // newer than this tool's, or a `runs` table with no version: nothing written
    Failed,   // the database did not answer or a statement failed: rolled back
};

// Brings `db` to kSchemaVersion in one transaction: creates the schema on a
// database without it, migrates an older one, refuses a newer one or one that
// is not ours. `where` names the database in messages; unless Ready, `error`
// says why.
SchemaCheck ensureSchema(QSqlDatabase& db, const QString& where, QString* error);

}  // namespace vek::records
