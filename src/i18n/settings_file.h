// The settings file: section "ZEL v7", key "Jezyk" (the language index 0..5) and the few other
// keys the program keeps there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korv {

// A settings file KORV makes has the system's line ends; an existing one keeps its own, and a
// line added to it takes the first line end it has.
#ifdef _WIN32
inline constexpr const char* kSettingsLineEnd = "\r\n";
#else
inline constexpr const char* kSettingsLineEnd = "\n";
#endif

// The program's path with "ini" in place of a three-letter extension (korv.exe -> korv.ini),
// or the path plus ".ini" when the name has no such extension (korv -> korv.ini).
std::string SettingsFileName(const std::string& executablePath);

// Where the language goes when the program's folder cannot be written:
// $XDG_CONFIG_HOME/korv/korv.ini, else $HOME/.config/korv/korv.ini; empty when neither is set.
std::string UserSettingsFileName();

// Far above any settings file, and still cheap to hold in memory. A larger file is neither
// read nor written: somebody else's data is in it.
inline constexpr std::uintmax_t kMaxSettingsFileBytes = std::uintmax_t{64} << 20;

// The stored language, or 1 (English) for a missing or unreadable file, a missing section or
// key, a value that is not a whole number, or one outside 0..5.
int ReadLanguage(const std::string& path);

// Any key of [ZEL v7] (VersionServer, ...), found as the language is; nullopt when it is not
// there or the file cannot be read.
std::optional<std::string> ReadSetting(const std::string& path, std::string_view key);

// Makes Jezyk=language hold in [ZEL v7]. When it already does, the file is not touched at all.
// Otherwise only the value's characters change, or the key (or the section) is added as whole
// lines; every other byte stays. False when it cannot: the file cannot be read or written, or
// is larger than kMaxSettingsFileBytes (it is then left as it was).
bool WriteLanguage(const std::string& path, int language);

// Makes key=value hold in [ZEL v7], by the same minimal write as WriteLanguage: nothing when the
// value is already there, else only its characters change or whole lines are added. False when
// it cannot: the file as for WriteLanguage, or a value the reading would not give back whole (a
// line end in it, blanks at its ends).
bool WriteSetting(const std::string& path, std::string_view key, const std::string& value);

struct LanguageSetting {
    int language = 1;
    std::string path; // where later changes are saved; empty when nowhere can be written
};

// Start-up: read the language beside the program and write it back there (which writes
// nothing when the file already holds it). When that file cannot be written, the per-user file
// takes over: it is read (if a previous run left it) and written instead, so the choice survives.
// Never fails; the language always comes back.
LanguageSetting LoadLanguageSetting(const std::string& primaryPath,
                                    const std::string& fallbackPath);

} // namespace korv
