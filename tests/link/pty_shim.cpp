// Lets the serial library take a pseudo-terminal for a serial port. It looks ports up under
// /sys/class/tty, where pseudo-terminals have no entry, and asks for modem lines, which they do
// not have: the lookups of a /dev/pts name are answered with the console's entry, and the
// modem-line requests on a pseudo-terminal are kept here, so a test can see the RTS line.
#include "pty_shim.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <dlfcn.h>
#include <map>
#include <mutex>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex mutex;
std::map<int, int> modemBits; // by file descriptor
int lastRts = -1;

const char kPtsEntry[] = "/sys/class/tty/pts/";
const char kStandIn[] = "/sys/class/tty/tty";

bool IsPtsEntry(const char* path) {
    return path && std::strncmp(path, kPtsEntry, sizeof kPtsEntry - 1) == 0;
}

bool IsPseudoTerminal(int fd) {
    char link[64];
    char target[256];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    using Readlink = ssize_t (*)(const char*, char*, size_t);
    static auto real = reinterpret_cast<Readlink>(dlsym(RTLD_NEXT, "readlink"));
    const ssize_t n = real(link, target, sizeof target - 1);
    if (n <= 0)
        return false;
    target[n] = '\0';
    return std::strncmp(target, "/dev/pts/", 9) == 0;
}

} // namespace

namespace korv::test {
int PtyShimRts() {
    std::lock_guard lock(mutex);
    return lastRts;
}
} // namespace korv::test

extern "C" {

int __lxstat(int version, const char* path, struct stat* st) {
    using Lxstat = int (*)(int, const char*, struct stat*);
    static auto real = reinterpret_cast<Lxstat>(dlsym(RTLD_NEXT, "__lxstat"));
    return real(version, IsPtsEntry(path) ? kStandIn : path, st);
}

int lstat(const char* path, struct stat* st) noexcept {
    using Lstat = int (*)(const char*, struct stat*);
    static auto real = reinterpret_cast<Lstat>(dlsym(RTLD_NEXT, "lstat"));
    return real(IsPtsEntry(path) ? kStandIn : path, st);
}

ssize_t readlink(const char* path, char* buf, size_t size) noexcept {
    using Readlink = ssize_t (*)(const char*, char*, size_t);
    static auto real = reinterpret_cast<Readlink>(dlsym(RTLD_NEXT, "readlink"));
    return real(IsPtsEntry(path) ? kStandIn : path, buf, size);
}

int ioctl(int fd, unsigned long request, ...) noexcept {
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    using Ioctl = int (*)(int, unsigned long, ...);
    static auto real = reinterpret_cast<Ioctl>(dlsym(RTLD_NEXT, "ioctl"));
    const bool modem =
        request == TIOCMGET || request == TIOCMBIS || request == TIOCMBIC || request == TIOCMSET;
    if (!modem || !IsPseudoTerminal(fd))
        return real(fd, request, arg);
    std::lock_guard lock(mutex);
    int& bits = modemBits[fd];
    const int value = request == TIOCMGET ? 0 : *static_cast<int*>(arg);
    if (request == TIOCMGET)
        *static_cast<int*>(arg) = bits;
    else if (request == TIOCMBIS)
        bits |= value;
    else if (request == TIOCMBIC)
        bits &= ~value;
    else
        bits = value;
    if (request != TIOCMGET && (value & TIOCM_RTS))
        lastRts = (bits & TIOCM_RTS) ? 1 : 0;
    return 0;
}
}
