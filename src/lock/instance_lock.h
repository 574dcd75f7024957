#pragma once
// A station instance shows it is alive by holding an exclusive lock on a
// file of its own. The operating system drops the lock when the process
// ends, however it ends, so a file whose lock nobody holds belongs to an
// instance that is gone.
//
// Two operations matter beside holding: a probe, which tells whether some
// process holds the lock without taking it or touching the file (a reader
// must never change what it looks at), and taking over, which is the same as
// taking: a station that takes the lock of a dead instance's file holds that
// instance's remains, and no other station can take them at the same time.
//
// flock() on POSIX, LockFileEx() on Windows. Both lock per open file, so a
// second holder in the very same process is refused too. Paths are UTF-8.
// Plain C++: the records, the station and the tests of the core share it.

#include <string>

namespace vek::lock {

enum class Probe {
    Held,    // some process holds the lock
    Free,    // the file is there and nobody holds it: its instance is gone
    Absent,  // there is no such file
};

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock of `path` without waiting, creating the file if needed.
    // False, with `error` saying why, when another holder has it or the file
    // cannot be opened; this lock is left as it was then.
    bool take(const std::string& path, std::string* error);
    bool held() const;
    const std::string& path() const { return path_; }

    // Writes `text` in place of the file's contents (for people looking at
    // the folder: the lock is what counts). Needs the lock held.
    bool write(const std::string& text);

    // Lets the lock go; with `removeFile` the file goes too (on POSIX first,
    // while still held; on Windows right after).
    void release(bool removeFile);

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    std::string path_;
};

// Whether some process holds the lock of `path`. Takes nothing that outlives
// the call and writes nothing; in doubt (an error other than a missing file),
// Held.
Probe probe(const std::string& path);

// This process's id, for naming instances.
long long processId();

}  // namespace vek::lock
