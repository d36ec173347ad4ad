// korv-cli messages [--lang N]: the catalogue of one language, one slot a line, for
// translators and their scripts. Line format: slot, TAB, the text as a JSON string.
#include "cli/cli_command.h"
#include "cli/json_string.h"
#include "i18n/catalogue.h"

#include <ostream>

namespace korv::cli {

namespace {
bool ParseLanguage(const std::string& s, int& lang) {
    if (s.size() != 1 || s[0] < '0' || s[0] > '5')
        return false;
    lang = s[0] - '0';
    return true;
}
} // namespace

int RunMessages(const Args& args, std::ostream& out, std::ostream& err) {
    int lang = English;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang" && i + 1 < args.size() && ParseLanguage(args[i + 1], lang)) {
            ++i;
            continue;
        }
        if (args[i].rfind("--lang=", 0) == 0 && ParseLanguage(args[i].substr(7), lang))
            continue;
        err << "usage: korv-cli messages [--lang N]   (N: 0 Polish, 1 English, 2 German,"
               " 3 Russian, 4 Czech, 5 Slovak)\n";
        return kExitUsage;
    }
    for (int k = 0; k < kSlotCount; ++k)
        out << k << '\t' << JsonString(CatalogueText(lang, k)) << '\n';
    return kExitDone;
}

} // namespace korv::cli
