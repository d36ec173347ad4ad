#include "commands/version_check.h"

#include "i18n/catalogue.h"
#include "i18n/settings_file.h"

namespace korv {

std::string VersionCheckUrl(std::string base, int language) {
    if (base.empty() || base.back() != '/')
        base += '/';
    return base +
           "update/chkupdate.php?ver_nmb=74&prog=ZEL7&lang=" + (language == Polish ? "pl" : "en");
}

std::string VersionServer(const std::string& settingsPath) {
    // Read by the same rules as the language, so a BOM or a large file hides nothing here.
    if (const auto value = ReadSetting(settingsPath, "VersionServer"); value && !value->empty())
        return *value;
    return kDefaultVersionServer;
}

} // namespace korv
