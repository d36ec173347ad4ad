#include "i18n/catalogue.h"

#include <atomic>

namespace korv {

namespace {
// Chosen on the window's thread, read by the command runner's jobs as they word their reports.
std::atomic<int> gLanguageIndex{English};
}

std::string CatalogueText(int language, int slot) {
    if (language < 0 || language >= kLanguageCount || slot < 0 || slot >= kSlotCount)
        return {};
    return std::string(kCatalogueData[language][slot]);
}

int LanguageIndex() {
    return gLanguageIndex;
}

void SetLanguageIndex(int language) {
    if (language >= 0 && language < kLanguageCount)
        gLanguageIndex = language;
}

std::string MessageText(int n) {
    return CatalogueText(gLanguageIndex, n);
}

} // namespace korv
