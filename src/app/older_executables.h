#pragma once
// Executables of earlier releases that a technician may have left next to
// this one; they are removed at start-up. The removal is careful because it
// runs unattended on whatever folder the tool was started from: it touches
// nothing but regular files of those names in the folder the running
// executable really lies in.

#include <QString>
#include <QStringList>

namespace vek::app {

// The file names of the earlier releases, in the order they are removed.
QStringList olderExecutableNames();

// Removes the earlier releases from the folder of `executablePath` (an
// absolute path to the running executable, as QCoreApplication gives it):
//  - the folder is the one the executable resolves to, links followed; when
//    the path is empty, relative or does not lead to an existing file,
//    nothing is removed;
//  - only regular files go: a symbolic link of such a name (whatever it
//    points to), a directory or anything else is left alone;
//  - the running executable is never removed, even when it carries one of
//    the names.
// Returns the paths removed, for a log; a file that could not be removed is
// not listed.
QStringList removeOlderExecutables(const QString& executablePath);

}  // namespace vek::app
