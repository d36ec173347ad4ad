// Where the program keeps what it makes for the person rather than for a building: module
// backups and the journal of module work. $XDG_DATA_HOME/korv (~/.local/share/korv without it)
// on Linux, the local application-data folder's korv on Windows.
#pragma once

#include <optional>
#include <string>

namespace korv {

// The folder as UTF-8; none when the environment names no home at all.
std::optional<std::string> UserDataFolder();

// name inside folder, with the system's own separators throughout (backslashes on Windows),
// as the person would type the path there.
std::string PathIn(const std::string& folder, const std::string& name);

// Creates folder and the folders above it that are missing; error gets the system's reason.
bool MakeFolders(const std::string& folder, std::string& error);

} // namespace korv
