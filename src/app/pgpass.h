#pragma once
// The password of a shared records database, kept where libpq looks for it
// by itself (PGPASSFILE, or ~/.pgpass), readable by its owner alone, and
// nowhere else: never in the settings, the address or a message.

#include <QString>

#include "records/database_url.h"

namespace vek::app {

// The file libpq reads: PGPASSFILE when set, ~/.pgpass otherwise
// (%APPDATA%\postgresql\pgpass.conf on Windows).
QString pgpassPath();

// The user libpq connects as for `url`: its own, else PGUSER, else the login name.
QString pgpassUser(const records::DatabaseUrl& url);

// Keeps `password` for host:port:database:user of `url` as the file's first
// line, so it wins over any wildcard line; a line for the same four is
// replaced, every other line is kept as it was. The file is written whole
// (a new file renamed over the old) with mode 0600. False, with `error`
// saying why, when it could not be written.
bool storePgpassPassword(const records::DatabaseUrl& url, const QString& password, QString* error);

// A server error that asks for a password (none given, or a wrong one).
bool asksForPassword(const QString& serverError);

}  // namespace vek::app
