#include "sim/small_file.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include "core/utf8_path.h"

#include <filesystem>
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace korv::sim {

#ifdef _WIN32

std::optional<std::string> ReadSmallRegularFile(const std::string& path, std::string& error,
                                                std::size_t limit) {
    namespace fs = std::filesystem;
    const fs::path file = Utf8Path(path);
    std::error_code ec;
    const auto status = fs::status(file, ec);
    if (ec) {
        error = ec.message();
        return std::nullopt;
    }
    if (!fs::is_regular_file(status)) {
        error = fs::is_directory(status) ? "is a folder, not a file" : "is not a regular file";
        return std::nullopt;
    }
    if (fs::file_size(file, ec) > limit) {
        error = "is larger than " + std::to_string(limit) + " bytes";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        error = "cannot be read";
        return std::nullopt;
    }
    if (text.size() > limit) {
        error = "is larger than " + std::to_string(limit) + " bytes";
        return std::nullopt;
    }
    return text;
}

#else

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

#endif

} // namespace korv::sim
