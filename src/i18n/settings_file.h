// The settings file: section "ZEL v7", key "Jezyk", the language index 0..5.
#pragma once

#include <string>

namespace korv {

// A settings file KORV makes has the system's line ends; an existing one keeps its own.
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

// The stored language, or 1 (English) for a missing or unreadable file, a missing section or
// key, a value that is not a whole number, or one outside 0..5.
int ReadLanguage(const std::string& path);

// Writes Jezyk=language into [ZEL v7], keeping the rest of the file. False when it cannot.
bool WriteLanguage(const std::string& path, int language);

struct LanguageSetting {
    int language = 1;
    std::string path; // where later changes are saved; empty when nowhere can be written
};

// Start-up: read the language beside the program and write it back there. When that folder
// cannot be written, the per-user file takes over: it is read (if a previous run left it)
// and written instead, so the choice survives. Never fails; the language always comes back.
LanguageSetting LoadLanguageSetting(const std::string& primaryPath,
                                    const std::string& fallbackPath);

} // namespace korv
