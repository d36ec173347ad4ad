// A fresh folder under the system's temporary folder, removed with everything in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace korv::test {

class TempFolder {
public:
    TempFolder() {
#ifdef _WIN32
        // No mkdtemp here: a random name, made only when nobody has it.
        std::random_device random;
        for (int attempt = 0;; ++attempt) {
            path_ = std::filesystem::temp_directory_path() /
                    ("korv-" + std::to_string(random() % 100000000u));
            if (std::filesystem::create_directory(path_))
                break;
            if (attempt == 100)
                std::abort();
        }
#else
        std::string pattern = (std::filesystem::temp_directory_path() / "korv-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path_ = pattern;
#endif
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const std::string& name) const {
        return (path_ / name).string();
    }
    const std::filesystem::path& Path() const {
        return path_;
    }

    // Names in the folder, to see that nothing was left behind.
    int EntryCount() const {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(path_),
                                              std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace korv::test
