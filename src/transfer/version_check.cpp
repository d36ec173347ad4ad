#include "transfer/version_check.h"

#include "core/ini_document.h"
#include "i18n/catalogue.h"

#include <fstream>
#include <sstream>

namespace korv {

std::string VersionCheckUrl(std::string base, int language) {
    if (base.empty() || base.back() != '/')
        base += '/';
    return base +
           "update/chkupdate.php?ver_nmb=74&prog=ZEL7&lang=" + (language == Polish ? "pl" : "en");
}

std::string VersionServer(const std::string& settingsPath) {
    std::ifstream in(settingsPath, std::ios::binary);
    std::ostringstream text;
    // The settings file is small; anything that is not, is not ours to read here.
    if (in && (text << in.rdbuf()) && text.str().size() <= 1024 * 1024) {
        const IniDocument doc = IniDocument::Parse(text.str());
        if (const auto value = doc.Value("ZEL v7", "VersionServer"); value && !value->empty())
            return *value;
    }
    return kDefaultVersionServer;
}

} // namespace korv
