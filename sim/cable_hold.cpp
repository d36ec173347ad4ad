#include "sim/cable_hold.h"

#ifdef _WIN32
#include "core/utf8_path.h"

#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace korv::sim {

#ifdef _WIN32

namespace {

// Windows locks are mandatory for the bytes they cover: a lock on the text would stop every
// other process from reading the configuration. One byte far past any end a 1 MiB file can
// have is locked instead.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

OVERLAPPED LockPlace() {
    OVERLAPPED place{};
    place.Offset = 0;
    place.OffsetHigh = kLockOffsetHigh;
    return place;
}

} // namespace

CableHold::Outcome CableHold::Take(const std::string& path, std::string& error) {
    Release();
    HANDLE file = CreateFileW(Utf8Path(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = "cannot open it to hold the cable (Windows error " +
                std::to_string(GetLastError()) + ")";
        return Outcome::Failed;
    }
    OVERLAPPED place = LockPlace();
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place)) {
        const DWORD code = GetLastError();
        CloseHandle(file);
        if (code == ERROR_LOCK_VIOLATION)
            return Outcome::HeldElsewhere;
        error = "cannot lock it to hold the cable (Windows error " + std::to_string(code) + ")";
        return Outcome::Failed;
    }
    handle_ = file;
    return Outcome::Taken;
}

void CableHold::Release() {
    if (!handle_)
        return;
    OVERLAPPED place = LockPlace();
    UnlockFileEx(handle_, 0, 1, 0, &place);
    CloseHandle(handle_);
    handle_ = nullptr;
}

bool CableHold::Held() const {
    return handle_ != nullptr;
}

#else

CableHold::Outcome CableHold::Take(const std::string& path, std::string& error) {
    Release();
    // Read-only is enough for flock, so the configuration may sit in a folder we cannot write;
    // non-blocking, so a FIFO put in its place cannot hang the program that loaded us.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = std::string("cannot open it to hold the cable: ") + std::strerror(errno);
        return Outcome::Failed;
    }
    int result;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int code = errno;
        ::close(fd);
        if (code == EWOULDBLOCK)
            return Outcome::HeldElsewhere;
        error = std::string("cannot lock it to hold the cable: ") + std::strerror(code);
        return Outcome::Failed;
    }
    fd_ = fd;
    return Outcome::Taken;
}

void CableHold::Release() {
    if (fd_ < 0)
        return;
    // Unlocked before the close: a child forked meanwhile shares the descriptor, and the lock
    // would otherwise stay with it.
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

bool CableHold::Held() const {
    return fd_ >= 0;
}

#endif

} // namespace korv::sim
