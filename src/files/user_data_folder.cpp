#include "files/user_data_folder.h"

#include "core/utf8_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace korv {

std::optional<std::string> UserDataFolder() {
#ifdef _WIN32
    // The wide variable: the narrow one is in the system's code page and cannot spell every
    // user name.
    if (const wchar_t* local = _wgetenv(L"LOCALAPPDATA"); local && *local)
        return PathIn(PathUtf8(std::filesystem::path(local)), "korv");
    return std::nullopt;
#else
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::string(xdg) + "/korv";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.local/share/korv";
    return std::nullopt;
#endif
}

std::string PathIn(const std::string& folder, const std::string& name) {
    return PathUtf8((Utf8Path(folder) / Utf8Path(name)).make_preferred());
}

bool MakeFolders(const std::string& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(Utf8Path(folder), ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    return true;
}

} // namespace korv
