#pragma once
// A run as a row of the `runs` table: the columns in one fixed order, shared by
// every statement that reads or writes whole rows and by the CSV export.

#include <QStringList>
#include <QVariantList>

#include "records/run.h"

namespace vek::records {

// Column names in table order.
const QStringList& runColumns();
// "id, started_at, ...", for a SELECT or an INSERT.
QString runColumnList();

// The row's values in column order; absent fields and empty texts are typed
// NULLs.
QVariantList runValues(const Run& run);

// The run a row holds; nothing when a stored word (verdict, verify result) or
// a timestamp is not one this tool writes.
std::optional<Run> runFromValues(const QVariantList& values);

}  // namespace vek::records
