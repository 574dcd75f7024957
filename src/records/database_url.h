#pragma once
// The address of the shared records database:
// postgresql://user@host:port/dbname (or postgres://), optionally ?sslmode=...
// It never carries the password: that comes from PGPASSWORD or ~/.pgpass,
// which libpq reads itself when the connection is given none, so a password
// never shows in a command line, a log or a message.

#include <QString>
#include <optional>

namespace vek::records {

struct DatabaseUrl {
    QString user;  // empty: libpq's default (the login name)
    QString host;
    int port = 5432;
    QString database;
    QString sslMode;  // empty: libpq's default

    // "postgresql://user@host:port/dbname", the form every message shows.
    QString display() const;
    // Extra libpq options for the driver, ';'-separated.
    QString connectOptions() const;
};

// The address, or nothing with `error` saying what is wrong. An address with a
// password is refused, and the message shows it without the password.
std::optional<DatabaseUrl> parseDatabaseUrl(const QString& text, QString* error);

// `text` with anything between the user name and the '@' removed, for showing
// an address that could not be parsed.
QString withoutPassword(const QString& text);

// The seconds libpq waits for a connection before giving up; the store is
// driven from the station's event loop and must not hold it longer.
inline constexpr int kConnectTimeoutSeconds = 2;

}  // namespace vek::records
