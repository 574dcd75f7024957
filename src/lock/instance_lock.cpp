#include "lock/instance_lock.h"

#include <cerrno>
#include <cstring>
#include <utility>

#ifdef _WIN32
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vek::lock {

#ifdef _WIN32

namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string lastError() {
    const DWORD code = GetLastError();
    char buffer[256] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                   buffer, sizeof buffer, nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}

// The locked byte lies far past anything written, so the file's text stays
// readable by others while the lock is held.
OVERLAPPED lockedRange() {
    OVERLAPPED range{};
    range.Offset = 0;
    range.OffsetHigh = 1;
    return range;
}

}  // namespace

InstanceLock::~InstanceLock() { release(false); }

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), path_(std::move(other.path_)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        release(false);
        handle_ = std::exchange(other.handle_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

bool InstanceLock::held() const { return handle_ != nullptr; }

bool InstanceLock::take(const std::string& path, std::string* error) {
    if (held()) {
        *error = "already held";
        return false;
    }
    // No DELETE access: a handle holding it would keep every other program
    // that does not share deletion from even reading the file.
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *error = lastError();
        return false;
    }
    OVERLAPPED range = lockedRange();
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range)) {
        *error = lastError();
        CloseHandle(h);
        return false;
    }
    handle_ = h;
    path_ = path;
    return true;
}

bool InstanceLock::write(const std::string& text) {
    if (!held()) return false;
    HANDLE h = static_cast<HANDLE>(handle_);
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(h, start, nullptr, FILE_BEGIN) || !SetEndOfFile(h)) return false;
    DWORD written = 0;
    return WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

void InstanceLock::release(bool removeFile) {
    if (!held()) return;
    HANDLE h = static_cast<HANDLE>(handle_);
    OVERLAPPED range = lockedRange();
    UnlockFileEx(h, 0, 1, 0, &range);
    CloseHandle(h);
    handle_ = nullptr;
    // Windows removes no file that is open without shared deletion, so it
    // goes just after its lock. Should another station take it in between,
    // it settles an instance already settled: the same rows, the same result.
    if (removeFile) DeleteFileW(wide(path_).c_str());
    path_.clear();
}

Probe probe(const std::string& path) {
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? Probe::Absent : Probe::Held;
    }
    OVERLAPPED range = lockedRange();
    Probe result = Probe::Held;
    if (LockFileEx(h, LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range)) {
        UnlockFileEx(h, 0, 1, 0, &range);
        result = Probe::Free;
    }
    CloseHandle(h);
    return result;
}

long long processId() { return static_cast<long long>(GetCurrentProcessId()); }

#else

InstanceLock::~InstanceLock() { release(false); }

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        release(false);
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

bool InstanceLock::held() const { return fd_ >= 0; }

bool InstanceLock::take(const std::string& path, std::string* error) {
    if (held()) {
        *error = "already held";
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        *error = std::strerror(errno);
        ::close(fd);
        return false;
    }
    // The holder before may have removed the file between our open and our
    // lock: a lock on a file no longer in its folder shows nothing to anyone.
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd, &opened) != 0 || ::stat(path.c_str(), &named) != 0 || opened.st_ino != named.st_ino ||
        opened.st_dev != named.st_dev) {
        *error = std::strerror(ENOENT);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    return true;
}

bool InstanceLock::write(const std::string& text) {
    if (!held()) return false;
    if (::ftruncate(fd_, 0) != 0) return false;
    return ::pwrite(fd_, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

void InstanceLock::release(bool removeFile) {
    if (!held()) return;
    if (removeFile) ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

Probe probe(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? Probe::Absent : Probe::Held;
    Probe result = Probe::Held;
    // A shared lock for the blink of an eye: refused while an instance holds
    // its exclusive one, and gone before the call returns.
    if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
        ::flock(fd, LOCK_UN);
        result = Probe::Free;
    }
    ::close(fd);
    return result;
}

long long processId() { return static_cast<long long>(::getpid()); }

#endif

}  // namespace vek::lock
