// The start-up removal of earlier releases, on real files in a temporary
// folder: what goes, and everything that must stay.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/older_executables.h"

using vek::app::olderExecutableNames;
using vek::app::removeOlderExecutables;

namespace {

const QString kRunning = QStringLiteral("VekTool v2.47.A.exe");

void makeFile(const QString& path, const QByteArray& content = "MZ") {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(content);
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class OlderExecutables : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }
    QString at(const QString& rel) const { return QDir(tmp.path()).filePath(rel); }
    QString mkdir(const QString& rel) const {
        EXPECT_TRUE(QDir(tmp.path()).mkpath(rel));
        return QFileInfo(at(rel)).canonicalFilePath();
    }
    // Every earlier release as a regular file in `dir`.
    void fillWithOlder(const QString& dir) const {
        for (const QString& n : olderExecutableNames()) makeFile(QDir(dir).filePath(n));
    }
    QTemporaryDir tmp;
};

QStringList olderIn(const QString& dir) {
    QStringList paths;
    for (const QString& n : olderExecutableNames()) paths << QDir(dir).filePath(n);
    return paths;
}

}  // namespace

TEST_F(OlderExecutables, RemovesEveryEarlierReleaseAndNothingElse) {
    const QString dir = mkdir("tool");
    fillWithOlder(dir);
    makeFile(QDir(dir).filePath(kRunning));
    makeFile(QDir(dir).filePath("VekTool v2.44.A.exe"));
    makeFile(QDir(dir).filePath("vektool v2.45.a.exe.bak"));

    EXPECT_EQ(removeOlderExecutables(QDir(dir).filePath(kRunning)), olderIn(dir));
    for (const QString& p : olderIn(dir)) EXPECT_FALSE(QFileInfo::exists(p)) << p.toStdString();
    EXPECT_EQ(QDir(dir).entryList(QDir::Files, QDir::Name),
              (QStringList{"VekTool v2.44.A.exe", kRunning, "vektool v2.45.a.exe.bak"}));
    // Nothing left to remove the second time.
    EXPECT_TRUE(removeOlderExecutables(QDir(dir).filePath(kRunning)).isEmpty());
}

TEST_F(OlderExecutables, NeverRemovesTheRunningExecutable) {
    // Renamed to an earlier release's name, reached directly, through a
    // linked folder, and through a link of another name.
    const QString real = mkdir("real");
    fillWithOlder(real);
    const QString self = QDir(real).filePath("VekTool v2.46.A.exe");
    makeFile(self, "the running one");
    ASSERT_TRUE(QFile::link(real, at("linked")));
    ASSERT_TRUE(QFile::link(self, at("VekTool.exe")));

    struct Case {
        const char* name;
        QString executablePath;
    };
    for (const Case& c : {Case{"directly", self}, Case{"through a linked folder", at("linked/VekTool v2.46.A.exe")},
                          Case{"through a link to it", at("VekTool.exe")}}) {
        SCOPED_TRACE(c.name);
        fillWithOlder(real);
        makeFile(self, "the running one");
        const QStringList removed = removeOlderExecutables(c.executablePath);
        // The others go, from the folder the executable really lies in.
        QStringList others = olderIn(real);
        others.removeAll(self);
        EXPECT_EQ(removed, others);
        EXPECT_EQ(contentOf(self), "the running one");
    }
    // The folder holding the link to the executable is not its folder.
    fillWithOlder(tmp.path());
    removeOlderExecutables(at("VekTool.exe"));
    for (const QString& p : olderIn(tmp.path())) EXPECT_TRUE(QFileInfo::exists(p)) << p.toStdString();
}

TEST_F(OlderExecutables, LeavesLinksDirectoriesAndWhatTheyPointAt) {
    const QString dir = mkdir("tool");
    const QString elsewhere = mkdir("elsewhere");
    makeFile(QDir(dir).filePath(kRunning));
    const QStringList names = olderExecutableNames();
    // A link to a precious file, a dangling link, a directory, a regular file.
    makeFile(QDir(elsewhere).filePath("precious.exe"), "precious");
    ASSERT_TRUE(QFile::link(QDir(elsewhere).filePath("precious.exe"), QDir(dir).filePath(names[0])));
    ASSERT_TRUE(QFile::link(QDir(elsewhere).filePath("gone.exe"), QDir(dir).filePath(names[1])));
    ASSERT_TRUE(QDir(dir).mkdir(names[2]));
    makeFile(QDir(QDir(dir).filePath(names[2])).filePath("inside.txt"));
    makeFile(QDir(dir).filePath(names[3]));

    EXPECT_EQ(removeOlderExecutables(QDir(dir).filePath(kRunning)), QStringList{QDir(dir).filePath(names[3])});
    EXPECT_TRUE(QFileInfo(QDir(dir).filePath(names[0])).isSymLink());
    EXPECT_EQ(contentOf(QDir(elsewhere).filePath("precious.exe")), "precious");
    EXPECT_TRUE(QFileInfo(QDir(dir).filePath(names[1])).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(QDir(QDir(dir).filePath(names[2])).filePath("inside.txt")));
}

TEST_F(OlderExecutables, AnUnknownFolderRemovesNothing) {
    // The earlier releases lie in the current folder, where a careless
    // removal would look when the executable's folder is unknown.
    const QString cwd = mkdir("cwd");
    fillWithOlder(cwd);
    makeFile(QDir(cwd).filePath(kRunning));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(cwd));
    const QStringList paths{QString(), kRunning, QStringLiteral("./") + kRunning,
                            at("no-such-folder/") + kRunning, QDir(cwd).filePath("not-there.exe")};
    for (const QString& p : paths) EXPECT_TRUE(removeOlderExecutables(p).isEmpty()) << p.toStdString();
    QDir::setCurrent(before);
    for (const QString& p : olderIn(cwd)) EXPECT_TRUE(QFileInfo::exists(p)) << p.toStdString();
}
