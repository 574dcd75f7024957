// The backups folder on a real file system: files that are no backup are
// set aside (never deleted, never pruned, never counted), a folder that
// cannot be made says why, and the command line's listing says what was
// set aside.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>
#include <variant>

#include "cli_run.h"
#include "unit/backup_store.h"

namespace vek::testing {
namespace {

unit::Identification unitA() {
    unit::Identification id;
    id.mode = 1;
    id.id = {0x00C0FFEE, 0x12345678, 0x0BADF00D};
    id.version = {4, 0, 2, 47};
    return id;
}

config::Image imageNo(std::uint8_t n) {
    config::Image image{};
    image.fill(n);
    return image;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class BackupStoreTest : public ::testing::Test {
protected:
    QString root() const { return dir.filePath("backups"); }
    QString unitFolder() const { return QDir(root()).filePath(unit::idDigits(unitA().id)); }
    QString aside() const { return QDir(unitFolder()).filePath("set-aside"); }
    QStringList files(const QString& folder) const { return QDir(folder).entryList(QDir::Files, QDir::Name); }

    unit::BackupStore::Kept keep(unit::BackupStore& store, std::uint8_t n, int second) {
        auto kept = store.keep(unitA(), imageNo(n), QDateTime(QDate(2026, 3, 1), QTime(8, 0, second), Qt::UTC));
        EXPECT_TRUE(std::holds_alternative<unit::BackupStore::Kept>(kept)) << std::get<QString>(kept).toStdString();
        return std::holds_alternative<unit::BackupStore::Kept>(kept) ? std::get<unit::BackupStore::Kept>(kept)
                                                                     : unit::BackupStore::Kept{};
    }

    QTemporaryDir dir;
};

TEST_F(BackupStoreTest, FilesThatAreNoBackupAreSetAsideNeverPrunedAndNeverCounted) {
    unit::BackupStore store(root());
    store.setLimit(3);
    keep(store, 1, 1);
    // Broken in the ways a folder meets: not JSON, another document, a
    // backup cut short; and one whose name is taken in the set-aside folder.
    const QByteArray notJson = "{ \"format\": \"vektool-backup\", ";
    const QByteArray other = R"({"format": "something else"})";
    QByteArray cut = read(QDir(unitFolder()).filePath(files(unitFolder())[0]));
    cut.chop(40);
    ASSERT_TRUE(write(QDir(unitFolder()).filePath("a.json"), notJson));
    ASSERT_TRUE(write(QDir(unitFolder()).filePath("b.json"), other));
    ASSERT_TRUE(write(QDir(unitFolder()).filePath("c.json"), cut));
    ASSERT_TRUE(QDir().mkpath(aside()));
    ASSERT_TRUE(write(QDir(aside()).filePath("a.json"), "an earlier one"));

    const unit::BackupListing listed = store.listing(unit::idDigits(unitA().id));
    ASSERT_EQ(listed.backups.size(), 1);
    EXPECT_TRUE(listed.notMoved.isEmpty()) << listed.notMoved.join('\n').toStdString();
    EXPECT_EQ(listed.movedNow.size(), 3);
    ASSERT_EQ(listed.setAside.size(), 1);
    EXPECT_EQ(listed.setAside[0].folder, aside());
    EXPECT_EQ(listed.setAside[0].count, 4);
    EXPECT_EQ(listed.setAsideCount(), 4);
    // Moved whole, under their own names or beside the one already there.
    EXPECT_EQ(files(aside()), QStringList({"a-2.json", "a.json", "b.json", "c.json"}));
    EXPECT_EQ(read(QDir(aside()).filePath("a-2.json")), notJson);
    EXPECT_EQ(read(QDir(aside()).filePath("a.json")), "an earlier one");
    EXPECT_EQ(read(QDir(aside()).filePath("c.json")), cut);
    EXPECT_EQ(files(unitFolder()).size(), 1);
    // Listing again moves nothing and still says how many lie aside; so does
    // the listing of every unit.
    EXPECT_TRUE(store.listing(unit::idDigits(unitA().id)).movedNow.isEmpty());
    EXPECT_EQ(store.listing().setAsideCount(), 4);
    EXPECT_EQ(store.list().size(), 1);

    // Keeping sets aside too, and the limit counts backups only: three kept,
    // the oldest pruned, the set-aside files untouched.
    ASSERT_TRUE(write(QDir(unitFolder()).filePath("d.json"), "garbage"));
    const unit::BackupStore::Kept second = keep(store, 2, 2);
    EXPECT_EQ(second.movedNow, QStringList({QDir(aside()).filePath("d.json")}));
    keep(store, 3, 3);
    keep(store, 4, 4);
    const QList<unit::Backup> backups = store.list(unit::idDigits(unitA().id));
    ASSERT_EQ(backups.size(), 3);
    EXPECT_EQ(backups.back().image, imageNo(2)) << "the oldest went";
    EXPECT_EQ(files(unitFolder()).size(), 3);
    EXPECT_EQ(files(aside()).size(), 5);
}

TEST_F(BackupStoreTest, AFileThatCannotBeSetAsideIsSaidAndTheCopyIsStillKept) {
    unit::BackupStore store(root());
    ASSERT_TRUE(QDir().mkpath(unitFolder()));
    ASSERT_TRUE(write(QDir(unitFolder()).filePath("broken.json"), "not json"));
    ASSERT_TRUE(write(aside(), "a plain file where the folder goes"));

    const unit::BackupStore::Kept kept = keep(store, 7, 0);
    EXPECT_TRUE(kept.fresh);
    ASSERT_EQ(kept.notMoved.size(), 1);
    EXPECT_TRUE(kept.notMoved[0].contains(QDir(unitFolder()).filePath("broken.json"))) << kept.notMoved[0].toStdString();
    EXPECT_TRUE(kept.notMoved[0].contains(QString::fromUtf8("não é um documento JSON"))) << kept.notMoved[0].toStdString();
    EXPECT_TRUE(kept.notMoved[0].contains(QString::fromUtf8("é um arquivo, não uma pasta"))) << kept.notMoved[0].toStdString();
    EXPECT_EQ(read(QDir(unitFolder()).filePath("broken.json")), "not json") << "left where it was";
    EXPECT_EQ(store.list(unit::idDigits(unitA().id)).size(), 1);
}

TEST_F(BackupStoreTest, KeepSaysWhyWhenTheFolderIsAFileOrADanglingLink) {
    struct Case {
        const char* what;
        std::function<bool()> spoil;
        QString said;  // in what keep() answers
    };
    const Case cases[] = {
        {"the backups folder is a plain file", [this] { return write(root(), "x"); },
         QString::fromUtf8("%1 é um arquivo, não uma pasta").arg(root())},
        {"the unit's folder is a link to nothing",
         [this] { return QDir().mkpath(root()) && QFile::link(dir.filePath("gone"), unitFolder()); },
         QString::fromUtf8("%1 é um link para %2, que não existe").arg(unitFolder(), dir.filePath("gone"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir.path()));
        QFile::remove(root());
        ASSERT_TRUE(c.spoil());
        unit::BackupStore store(root());
        const auto kept = store.keep(unitA(), imageNo(1));
        ASSERT_TRUE(std::holds_alternative<QString>(kept));
        const QString why = std::get<QString>(kept);
        EXPECT_TRUE(why.contains(unitFolder())) << why.toStdString();
        EXPECT_TRUE(why.contains(c.said)) << why.toStdString();
        EXPECT_TRUE(store.list().isEmpty());
    }
}

// The command line's listing says what lies aside, in words beside the list
// and as data in --json.
TEST_F(BackupStoreTest, TheCommandLineListingSaysHowManyAreSetAside) {
    const QString data = dir.filePath("data");
    unit::BackupStore store(QDir(data).filePath("VekTool/backups"));
    const QString folder = QDir(store.folder()).filePath(unit::idDigits(unitA().id));
    keep(store, 1, 1);
    ASSERT_TRUE(write(QDir(folder).filePath("x.json"), "garbage"));
    ASSERT_TRUE(write(QDir(folder).filePath("y.json"), "{}"));

    const CliRun listed = runCli({"backups"}, cliEnvironment(data));
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out.count('\n'), 1) << listed.out.toStdString();
    const QString asideFolder = QDir(folder).filePath("set-aside");
    EXPECT_TRUE(listed.err.contains(QString::fromUtf8("2 arquivo(s) posto(s) de lado em %1").arg(asideFolder)))
        << listed.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(asideFolder).filePath("x.json")));

    const CliRun json = runCli({"backups", "--json"}, cliEnvironment(data));
    const QJsonArray aside = QJsonDocument::fromJson(json.out.toUtf8()).object()["setAside"].toArray();
    ASSERT_EQ(aside.size(), 1) << json.out.toStdString();
    EXPECT_EQ(aside[0].toObject()["files"].toInt(), 2);
    EXPECT_EQ(aside[0].toObject()["folder"].toString(), asideFolder);
    EXPECT_EQ(aside[0].toObject()["unit"].toString(), unit::idDigits(unitA().id));
}

}  // namespace
}  // namespace vek::testing
