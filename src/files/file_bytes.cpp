#include "files/file_bytes.h"

#include "files/card_file_kind.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace korv {

namespace {

std::string Reason(int err) {
    return std::strerror(err);
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// Writing through a symbolic link must change the file it points to, not replace the link.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileBytes ReadCardFileBytes(const std::string& path) {
    FileBytes r;
    // Without O_NONBLOCK a named pipe picked in the open dialog would wait for a writer forever;
    // its size of 0 then refuses it like any empty file.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        r.error = Reason(errno);
        return r;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        r.error = Reason(errno);
        return r;
    }
    r.size = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    if (!CardFileSizeAccepted(r.size)) {
        r.ok = true;
        return r;
    }
    r.bytes.resize(r.size);
    size_t got = 0;
    while (got < r.bytes.size()) {
        const ssize_t n = ::read(fd.get(), r.bytes.data() + got, r.bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            r.error = Reason(errno);
            r.bytes.clear();
            return r;
        }
        if (n == 0)
            break; // shrank since it was opened: take what is there
        got += static_cast<size_t>(n);
    }
    r.bytes.resize(got);
    r.size = got;
    r.ok = true;
    return r;
}

FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    const WriteFault& fault) {
    FileWriteResult r;
    if (path.empty()) {
        r.error = Reason(ENOENT);
        return r;
    }
    const std::string target = ResolveTarget(path);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode)) {
        r.error = Reason(EISDIR);
        return r;
    }

    std::string temp = FolderOf(target) + "/." + BaseName(target) + ".XXXXXX";
    Fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0) {
        r.error = Reason(errno);
        return r;
    }
    const auto fail = [&](int err) {
        ::close(fd.release());
        ::unlink(temp.c_str());
        r.error = Reason(err);
        return r;
    };
    // mkstemp makes the file private; give it the mode the old file had, or a new file gets.
    if (::fchmod(fd.get(), existed ? (old.st_mode & 07777) : NewFileMode()) != 0)
        return fail(errno);

    size_t written = 0;
    while (written < bytes.size()) {
        size_t chunk = bytes.size() - written;
        if (fault.failAfterBytes) {
            if (written >= *fault.failAfterBytes)
                return fail(ENOSPC);
            chunk = std::min(chunk, *fault.failAfterBytes - written);
        }
        const ssize_t n = ::write(fd.get(), bytes.data() + written, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        written += static_cast<size_t>(n);
    }
    if (fault.failAfterBytes && written > *fault.failAfterBytes)
        return fail(ENOSPC);
    if (::fsync(fd.get()) != 0)
        return fail(errno);
    if (::close(fd.release()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        r.error = Reason(err);
        return r;
    }
    if (fault.failRename || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = fault.failRename ? EIO : errno;
        ::unlink(temp.c_str());
        r.error = Reason(err);
        return r;
    }
    r.ok = true;
    return r;
}

} // namespace korv
