#include "unit/backup_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

#include "config/config_file.h"
#include "unit/unit_texts.h"
#include "text/language.h"

namespace vek::unit {

namespace {

const QString kFormat = QStringLiteral("vektool-backup");
constexpr int kVersion = 1;
// Sortable, and a valid file name everywhere.
const QString kNameFormat = QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'");

QString qs(vek::Text text) { return vek::translated(text); }

// Why `path` cannot be made a folder when something already stands on it or
// on one of the folders above it; empty when nothing does.
QString inTheWay(const QString& path) {
    for (QString p = QDir::cleanPath(QDir(path).absolutePath());;) {
        const QFileInfo info(p);
        if (info.isSymLink() && !info.exists()) return qs(texts::kBackupDanglingLink).arg(path, p, info.symLinkTarget());
        if (info.exists() && !info.isDir()) return qs(texts::kBackupNotAFolder).arg(path, p);
        if (info.exists()) return {};
        const QString up = QFileInfo(p).path();
        if (up == p) return {};
        p = up;
    }
}

// A name in `folder` that no file has yet, after `name`.
QString freeName(const QDir& folder, const QString& name) {
    const QString stem = QFileInfo(name).completeBaseName();
    QString path = folder.filePath(name);
    for (int n = 2; QFileInfo(path).exists() || QFileInfo(path).isSymLink(); ++n)
        path = folder.filePath(QStringLiteral("%1-%2.json").arg(stem).arg(n));
    return path;
}

QByteArray imageBytes(const config::Image& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
}

}  // namespace

BackupStore::BackupStore(QString folder) : folder_(std::move(folder)) {}

QString BackupStore::defaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("backups"));
}

QByteArray BackupStore::toJson(const Backup& b) {
    QJsonObject o;
    o[QStringLiteral("format")] = kFormat;
    o[QStringLiteral("version")] = kVersion;
    o[QStringLiteral("unit")] = b.unitDigits;
    o[QStringLiteral("firmware")] = b.firmware;
    o[QStringLiteral("taken_at")] = b.takenAt.toUTC().toString(Qt::ISODateWithMs);
    o[QStringLiteral("image")] = QString::fromLatin1(imageBytes(b.image).toHex());
    if (b.form) {
        const std::string json = config::toJson(*b.form);
        o[QStringLiteral("configuration")] =
            QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    } else {
        o[QStringLiteral("configuration")] = QJsonValue::Null;
    }
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

std::variant<Backup, QString> BackupStore::parse(const QByteArray& text) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return qs(texts::kBackupNotJson);
    const QJsonObject o = doc.object();
    if (o.value(QStringLiteral("format")).toString() != kFormat) return qs(texts::kBackupNotBackup);
    if (o.value(QStringLiteral("version")).toInt() != kVersion) return qs(texts::kBackupVersion);
    const QByteArray image = QByteArray::fromHex(o.value(QStringLiteral("image")).toString().toLatin1());
    Backup b;
    if (image.size() != static_cast<qsizetype>(b.image.size()) ||
        image.toHex() != o.value(QStringLiteral("image")).toString().toLatin1().toLower())
        return qs(texts::kBackupImage).arg(b.image.size());
    std::copy(image.begin(), image.end(), b.image.begin());
    b.unitDigits = o.value(QStringLiteral("unit")).toString();
    b.firmware = o.value(QStringLiteral("firmware")).toString();
    b.takenAt = QDateTime::fromString(o.value(QStringLiteral("taken_at")).toString(), Qt::ISODateWithMs);
    // The bytes are what counts; the decoded form beside them is recomputed
    // rather than trusted.
    config::FormModel form;
    if (config::decode(b.image, form, false) == 0) b.form = form;
    return b;
}

std::variant<Backup, QString> BackupStore::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return qs(texts::kBackupUnreadable).arg(path, file.errorString());
    if (file.size() > kMaxFileBytes) return qs(texts::kBackupTooLarge).arg(path);
    auto parsed = parse(file.read(kMaxFileBytes + 1));
    if (auto* b = std::get_if<Backup>(&parsed)) b->path = path;
    else return QStringLiteral("%1: %2").arg(path, std::get<QString>(parsed));
    return parsed;
}

int BackupListing::setAsideCount() const {
    int n = 0;
    for (const SetAside& s : setAside) n += s.count;
    return n;
}

QString BackupStore::setAsideFolder(const QString& unitDigits) const {
    return QDir(QDir(folder_).filePath(unitDigits.toUpper())).filePath(QString::fromLatin1(kSetAsideFolder));
}

QList<Backup> BackupStore::list(const QString& unitDigits) const { return listing(unitDigits).backups; }

BackupListing BackupStore::listing(const QString& unitDigits) const {
    BackupListing out;
    const QDir root(folder_);
    const QStringList units =
        unitDigits.isEmpty() ? root.entryList(QDir::Dirs | QDir::NoDotAndDotDot) : QStringList{unitDigits.toUpper()};
    for (const QString& unit : units) {
        const QDir dir(root.filePath(unit));
        const QDir aside(setAsideFolder(unit));
        for (const QString& name : dir.entryList({QStringLiteral("*.json")}, QDir::Files)) {
            auto loaded = load(dir.filePath(name));
            if (auto* b = std::get_if<Backup>(&loaded)) {
                out.backups << *b;
                continue;
            }
            // Moved, not deleted: a person may still make something of it.
            const QString from = dir.filePath(name);
            const QString to = QDir().mkpath(aside.path()) ? freeName(aside, name) : QString();
            QFile file(from);
            if (!to.isEmpty() && file.rename(to)) {
                out.movedNow << to;
                continue;
            }
            QString why = to.isEmpty() ? inTheWay(aside.path()) : file.errorString();
            if (why.isEmpty()) why = qs(texts::kBackupNoFolder).arg(aside.path());
            // The load's words begin with the file's path; the reason alone here.
            QString notBackup = std::get<QString>(loaded);
            if (notBackup.startsWith(from + QStringLiteral(": "))) notBackup.remove(0, from.size() + 2);
            out.notMoved << qs(texts::kBackupNotSetAside).arg(from, notBackup, aside.path(), why);
        }
        const QFileInfo asideInfo(aside.path());
        if (!asideInfo.isDir()) continue;
        const int count = static_cast<int>(aside.entryList(QDir::Files | QDir::Hidden | QDir::System).size());
        if (count > 0) out.setAside << SetAside{unit, aside.path(), count};
    }
    std::sort(out.backups.begin(), out.backups.end(),
              [](const Backup& a, const Backup& b) { return a.takenAt > b.takenAt; });
    return out;
}

std::variant<BackupStore::Kept, QString> BackupStore::keep(const Identification& unit, const config::Image& image,
                                                            const QDateTime& now) {
    const QString digits = idDigits(unit.id);
    const BackupListing listed = listing(digits);
    const QList<Backup>& existing = listed.backups;
    for (const Backup& b : existing)
        if (b.image == image) return Kept{b.path, false, listed.movedNow, listed.notMoved};

    Backup b;
    b.unitDigits = digits;
    b.firmware = versionText(unit.version);
    b.takenAt = now.toUTC();
    b.image = image;
    config::FormModel form;
    if (config::decode(image, form, false) == 0) b.form = form;

    const QDir dir(QDir(folder_).filePath(digits));
    if (const QString why = inTheWay(dir.path()); !why.isEmpty()) return why;
    if (!QDir().mkpath(dir.path())) return qs(texts::kBackupNoFolder).arg(dir.path());
    const QString path = freeName(dir, b.takenAt.toString(kNameFormat) + QStringLiteral(".json"));
    // Whole or not at all: a crash mid-write leaves no half backup.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson(b)) < 0 || !file.commit())
        return qs(texts::kBackupNotWritten).arg(path, file.errorString());

    // The newest `limit_` stay (the one just written among them).
    for (int i = limit_ - 1; i < existing.size(); ++i) QFile::remove(existing[i].path);
    return Kept{path, true, listed.movedNow, listed.notMoved};
}

}  // namespace vek::unit
