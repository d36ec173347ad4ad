#include "i18n/settings_file.h"

#include "files/file_bytes.h"

#include "core/ini_document.h"
#include "core/utf8_path.h"
#include "i18n/catalogue.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace korv {

namespace {

constexpr const char* kSection = "ZEL v7";
constexpr const char* kKey = "Jezyk";
// A settings file holds one line that matters; anything this large is not ours to parse.
constexpr std::uintmax_t kMaxSettingsBytes = 1 << 20;

std::optional<std::string> ReadSmallFile(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(Utf8Path(path), ec);
    if (ec || size > kMaxSettingsBytes)
        return std::nullopt;
    std::ifstream in(Utf8Path(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::optional<int> WholeNumber(const std::string& s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    if (i == s.size())
        return std::nullopt;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return std::nullopt;
        v = v * 10 + (s[i] - '0');
        if (v > 2147483648LL)
            return std::nullopt;
    }
    v = negative ? -v : v;
    if (v > 2147483647LL)
        return std::nullopt;
    return static_cast<int>(v);
}

} // namespace

std::string SettingsFileName(const std::string& executablePath) {
    const std::filesystem::path p = Utf8Path(executablePath);
    const std::string name = PathUtf8(p.filename());
    if (name.size() > 4 && name[name.size() - 4] == '.')
        return executablePath.substr(0, executablePath.size() - 3) + "ini";
    return executablePath + ".ini";
}

std::string UserSettingsFileName() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::string(xdg) + "/korv/korv.ini";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config/korv/korv.ini";
    return {};
}

int ReadLanguage(const std::string& path) {
    const auto text = ReadSmallFile(path);
    if (!text)
        return English;
    const auto value = IniDocument::Parse(*text).Value(kSection, kKey);
    if (!value)
        return English;
    const auto n = WholeNumber(*value);
    if (!n || *n < 0 || *n > 5)
        return English;
    return *n;
}

bool WriteLanguage(const std::string& path, int language) {
    if (path.empty())
        return false;
    IniDocument doc;
    std::string eol = kSettingsLineEnd;
    if (const auto text = ReadSmallFile(path)) {
        doc = IniDocument::Parse(*text);
        // Somebody's file keeps its own line ends.
        if (text->find("\r\n") != std::string::npos)
            eol = "\r\n";
        else if (text->find('\n') != std::string::npos)
            eol = "\n";
    }
    doc.SetValue(kSection, kKey, std::to_string(language));
    // Saved as a card file is: a full disk or a failure halfway leaves the old file whole.
    return WriteFileAtomically(path, doc.Serialize(eol)).ok;
}

LanguageSetting LoadLanguageSetting(const std::string& primaryPath,
                                    const std::string& fallbackPath) {
    LanguageSetting s;
    s.language = ReadLanguage(primaryPath);
    if (WriteLanguage(primaryPath, s.language)) {
        s.path = primaryPath;
        return s;
    }
    if (fallbackPath.empty())
        return s;
    std::error_code ec;
    if (std::filesystem::exists(Utf8Path(fallbackPath), ec))
        s.language = ReadLanguage(fallbackPath);
    std::filesystem::create_directories(Utf8Path(fallbackPath).parent_path(), ec);
    if (WriteLanguage(fallbackPath, s.language))
        s.path = fallbackPath;
    return s;
}

} // namespace korv
