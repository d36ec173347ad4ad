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

constexpr char kNotRegularFile[] = "Not a regular file";

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

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
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

namespace {

// Where a save lands: the path with every symbolic link followed, also a dangling one (whose
// target the save then creates), and what is there now.
struct Target {
    std::string path;
    bool exists = false;
    struct stat st {};
    int error = 0; // a loop of links, or a link that cannot be read
};

Target ResolveTarget(const std::string& path) {
    Target t;
    t.path = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(t.path.c_str(), &st) != 0) {
            if (errno != ENOENT)
                t.error = errno;
            return t;
        }
        if (!S_ISLNK(st.st_mode)) {
            t.exists = true;
            t.st = st;
            return t;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(t.path.c_str(), link.data(), link.size());
        if (n < 0) {
            t.error = errno;
            return t;
        }
        link.resize(static_cast<size_t>(n));
        t.path = (!link.empty() && link[0] == '/') ? link : FolderOf(t.path) + "/" + link;
    }
    t.error = ELOOP;
    return t;
}

bool MayWrite(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// A folder that holds the new name is flushed too, so the rename survives a power cut. Not
// every file system can flush a folder; the file itself is already on disk then.
void SyncFolder(const std::string& folder) {
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

// Writes all bytes at the file's start; a fault stops it as a full disk would.
int WriteAll(int fd, std::string_view bytes, const WriteFault& fault) {
    size_t written = 0;
    while (written < bytes.size()) {
        size_t chunk = bytes.size() - written;
        if (fault.failAfterBytes) {
            if (written >= *fault.failAfterBytes)
                return ENOSPC;
            chunk = std::min(chunk, *fault.failAfterBytes - written);
        }
        const ssize_t n = ::pwrite(fd, bytes.data() + written, chunk, static_cast<off_t>(written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<size_t>(n);
    }
    return 0;
}

// The file keeps its owner, group, links and mode: its own bytes are replaced. Room is taken
// first, so a full disk is found before the old contents change.
FileWriteResult WriteInPlace(const Target& t, std::string_view bytes, const WriteFault& fault) {
    FileWriteResult r;
    Fd fd(::open(t.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd.get() < 0) {
        r.error = Reason(errno);
        return r;
    }
    struct stat now {};
    if (::fstat(fd.get(), &now) != 0 || !S_ISREG(now.st_mode)) {
        r.error = kNotRegularFile;
        return r;
    }
    if (fault.failAfterBytes && *fault.failAfterBytes < bytes.size()) {
        r.error = Reason(ENOSPC);
        return r;
    }
    if (!bytes.empty()) {
        const int err = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(bytes.size()));
        // Some file systems cannot reserve room; the write below still reports a full disk.
        if (err != 0 && err != EOPNOTSUPP && err != EINVAL) {
            r.error = Reason(err);
            return r;
        }
    }
    if (const int err = WriteAll(fd.get(), bytes, fault)) {
        r.error = Reason(err);
        return r;
    }
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd.get()) != 0) {
        r.error = Reason(errno);
        return r;
    }
    if (::close(fd.release()) != 0) {
        r.error = Reason(errno);
        return r;
    }
    r.ok = true;
    return r;
}

} // namespace

FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    const WriteFault& fault) {
    FileWriteResult r;
    if (path.empty()) {
        r.error = Reason(ENOENT);
        return r;
    }
    const Target target = ResolveTarget(path);
    if (target.error) {
        r.error = Reason(target.error);
        return r;
    }
    // Only a plain file is ever replaced: never a device, a pipe, a socket or a folder.
    if (target.exists && S_ISDIR(target.st.st_mode)) {
        r.error = Reason(EISDIR);
        return r;
    }
    if (target.exists && !S_ISREG(target.st.st_mode)) {
        r.error = kNotRegularFile;
        return r;
    }
    if (target.exists && !MayWrite(target.path)) {
        r.error = Reason(EACCES);
        return r;
    }
    const std::string folder = FolderOf(target.path);

    // A short temporary name, so that names up to the system's limit can be saved.
    std::string temp = folder + "/.korv-XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        // A file we may write in a folder we may not: write it where it is.
        if (target.exists && (errno == EACCES || errno == EPERM || errno == EROFS))
            return WriteInPlace(target, bytes, fault);
        r.error = Reason(errno);
        return r;
    }
    struct stat tempSt {};
    ::fstat(fd.get(), &tempSt);
    // Renaming over the file must not change what its owner sees: owner, group, the other
    // names a hard link gives it. When it would, the file's own bytes are replaced instead.
    if (target.exists && (target.st.st_uid != tempSt.st_uid || target.st.st_gid != tempSt.st_gid ||
                          target.st.st_nlink != 1)) {
        ::close(fd.release());
        ::unlink(temp.c_str());
        return WriteInPlace(target, bytes, fault);
    }
    const auto fail = [&](int err) {
        ::close(fd.release());
        ::unlink(temp.c_str());
        r.error = Reason(err);
        return r;
    };
    // mkstemp makes the file private; give it the mode the old file had, or a new file gets.
    if (::fchmod(fd.get(), target.exists ? (target.st.st_mode & 07777) : NewFileMode()) != 0)
        return fail(errno);
    if (const int err = WriteAll(fd.get(), bytes, fault))
        return fail(err);
    if (::fsync(fd.get()) != 0)
        return fail(errno);
    if (::close(fd.release()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        r.error = Reason(err);
        return r;
    }
    if (fault.failRename || ::rename(temp.c_str(), target.path.c_str()) != 0) {
        const int err = fault.failRename ? EIO : errno;
        ::unlink(temp.c_str());
        r.error = Reason(err);
        return r;
    }
    SyncFolder(folder);
    r.ok = true;
    return r;
}

std::string MissingFileText() {
    return Reason(ENOENT);
}

std::string DiskFullText() {
    return Reason(ENOSPC);
}

} // namespace korv
