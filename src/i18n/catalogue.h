// The message catalogue: 6 languages x 231 numbered texts, UTF-8, whitespace exact.
#pragma once

#include <string>

namespace korv {

inline constexpr int kLanguageCount = 6;
inline constexpr int kSlotCount = 231;

enum Language { Polish = 0, English = 1, German = 2, Russian = 3, Czech = 4, Slovak = 5 };

// Generated at build time from data/catalogue.json.
extern const char* const kCatalogueData[kLanguageCount][kSlotCount];

// Text of one slot in one language; empty for a slot or language out of range.
std::string CatalogueText(int language, int slot);

// The current language of the process (0..5), English until the settings say otherwise.
int LanguageIndex();
void SetLanguageIndex(int language);

// Text of slot n in the current language.
std::string MessageText(int n);

} // namespace korv
