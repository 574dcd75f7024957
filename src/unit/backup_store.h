#pragma once
// What units held before the tool changed them, one file per distinct
// content, per unit: <data folder>/backups/<24 digits>/<UTC time>.json.
// A backup keeps the unit's 2,032 bytes as they were (an invalid or
// never-written image most of all, since that is what a preset is about to
// replace) and, when they decode, the configuration beside them in the
// configuration file's own format.
//
// A file in a unit's folder that does not load as a backup is moved (never
// deleted) into <unit>/set-aside/ whenever that folder is listed or kept
// into: it is not a copy anybody can restore, yet it may be the only trace
// of one. Set-aside files are never pruned and never count toward the limit.

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>
#include <variant>

#include "unit/unit_types.h"

namespace vek::unit {

struct Backup {
    QString path;
    QString unitDigits;  // the 24 digits of the unit it came from
    QString firmware;    // "4.0.2.47"
    QDateTime takenAt;   // UTC
    config::Image image{};
    // The configuration the image holds, when it is a valid one.
    std::optional<config::FormModel> form;
};

// A unit's set-aside folder and how many files it holds.
struct SetAside {
    QString unitDigits;
    QString folder;
    int count = 0;
};

struct BackupListing {
    QList<Backup> backups;  // newest first
    // Every listed unit's set-aside folder that holds files, this listing's
    // moves included.
    QList<SetAside> setAside;
    // Files this listing moved aside: where they are now.
    QStringList movedNow;
    // Files that are no backup and could not be moved aside: why, each.
    QStringList notMoved;
    int setAsideCount() const;
};

class BackupStore {
public:
    // Under a unit's folder: where files that are no backup go.
    static constexpr char kSetAsideFolder[] = "set-aside";

    // A unit's folder keeps this many, the newest.
    static constexpr int kDefaultLimit = 50;
    // A backup is a few kilobytes; a file far larger is no backup.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    explicit BackupStore(QString folder = defaultFolder());
    static QString defaultFolder();
    QString folder() const { return folder_; }
    void setLimit(int perUnit) { limit_ = perUnit > 0 ? perUnit : kDefaultLimit; }

    struct Kept {
        QString path;
        bool fresh = false;  // false: the same content was kept already
        // Files of the unit's folder set aside on the way, and those that
        // could not be (why, each): said, never a reason not to keep.
        QStringList movedNow{};
        QStringList notMoved{};
    };
    // Keeps `image` for `unit` unless that unit has a backup with the same
    // bytes; drops the oldest beyond the limit. The error's words otherwise.
    std::variant<Kept, QString> keep(const Identification& unit, const config::Image& image,
                                     const QDateTime& now = QDateTime::currentDateTimeUtc());
    // Newest first; every unit's when `unitDigits` is empty. Files that are
    // not backups are set aside and not listed.
    QList<Backup> list(const QString& unitDigits = {}) const;
    // The same, with what is set aside and what could not be.
    BackupListing listing(const QString& unitDigits = {}) const;
    // Where `unitDigits`'s files that are no backup go.
    QString setAsideFolder(const QString& unitDigits) const;

    // The file's bytes as a backup, or why they are not one.
    static std::variant<Backup, QString> parse(const QByteArray& text);
    static std::variant<Backup, QString> load(const QString& path);
    static QByteArray toJson(const Backup& backup);

private:
    QString folder_;
    int limit_ = kDefaultLimit;
};

}  // namespace vek::unit
