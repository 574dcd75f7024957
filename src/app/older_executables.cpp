#include "app/older_executables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vek::app {

QStringList olderExecutableNames() {
    return {QStringLiteral("VekTool v2.45.B.exe"), QStringLiteral("VekTool v2.46.A.exe"),
            QStringLiteral("VekTool v2.46.B.exe"), QStringLiteral("VekTool v2.45.A.exe")};
}

QStringList removeOlderExecutables(const QString& executablePath) {
    QStringList removed;
    if (executablePath.isEmpty()) return removed;
    const QFileInfo executable(executablePath);
    // A relative path would be read against the current folder, which is
    // anybody's.
    if (!executable.isAbsolute()) return removed;
    const QString self = executable.canonicalFilePath();
    if (self.isEmpty()) return removed;
    const QString folder = QFileInfo(self).canonicalPath();
    if (folder.isEmpty()) return removed;

    const QDir dir(folder);
    for (const QString& name : olderExecutableNames()) {
        const QString path = dir.filePath(name);
        const QFileInfo candidate(path);
        // isFile() follows links, so a link is ruled out first; a shortcut
        // or junction on Windows is a link of its kind too.
        if (candidate.isSymLink() || candidate.isShortcut() || candidate.isJunction()) continue;
        if (!candidate.isFile()) continue;
        const QString real = candidate.canonicalFilePath();
        if (real.isEmpty() || real == self || candidate.canonicalPath() != folder) continue;
        if (QFile::remove(real)) removed << real;
    }
    return removed;
}

}  // namespace vek::app
