// The address of the version-check page the version panel shows.
#pragma once

#include <string>

namespace korv {

// Where the version-check page lives unless the settings file says otherwise
// ([ZEL v7] VersionServer=...). No such server is run for this build: without one the panel
// says that the page could not be loaded.
inline constexpr char kDefaultVersionServer[] = "http://updates.korv.invalid/";

// The page for the language: Polish asks for the Polish page, every other language the English
// one. 74 names the program's version to the server and stays fixed.
std::string VersionCheckUrl(std::string base, int language);

// The server's base address from the settings file's [ZEL v7] section, or the default.
std::string VersionServer(const std::string& settingsPath);

} // namespace korv
