// Paths are UTF-8 text everywhere in the program. std::filesystem reads a plain std::string in
// the system's code page on Windows, which cannot spell every name; these convert explicitly.
#pragma once

#include <filesystem>
#include <string>

namespace korv {

inline std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::filesystem::path(reinterpret_cast<const char8_t*>(utf8.c_str()));
}

inline std::string PathUtf8(const std::filesystem::path& path) {
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

} // namespace korv
