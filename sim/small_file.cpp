#include "sim/small_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korv::sim {

std::optional<std::string> ReadSmallRegularFile(const std::string& path, std::string& error,
                                                std::size_t limit) {
    // Non-blocking, so that opening a FIFO nobody writes to returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::optional<std::string> data;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = std::strerror(errno);
    } else if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? "is a folder, not a file" : "is not a regular file";
    } else if (static_cast<unsigned long long>(st.st_size) > limit) {
        error = "is larger than " + std::to_string(limit) + " bytes";
    } else {
        std::string text;
        char buffer[8192];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                error = std::strerror(errno);
                break;
            }
            if (n == 0) {
                data = std::move(text);
                break;
            }
            text.append(buffer, static_cast<std::size_t>(n));
            // The file may grow while it is read.
            if (text.size() > limit) {
                error = "is larger than " + std::to_string(limit) + " bytes";
                break;
            }
        }
    }
    ::close(fd);
    return data;
}

} // namespace korv::sim
