// The older one-zone card file: "RUF-KARTYv2", then one line per apartment 0..255 with up to
// six card numbers separated by ";". Only read, never written.
#pragma once

#include "core/card_register.h"
#include "files/card_merge.h"
#include "files/line_check.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace korv {

inline constexpr std::uint64_t kOldCardFileMinSize = 3328;
inline constexpr std::uint64_t kOldCardFileMaxSize = 15568;

inline constexpr bool OldCardFileSizeAccepted(std::uint64_t size) {
    return size >= kOldCardFileMinSize && size <= kOldCardFileMaxSize;
}

struct OldCardLines {
    std::vector<TDKarta> cards;
    std::vector<LineCheck> leftOut; // lines after 257 that hold cards (CardsPastApartment255)
};

// The cards of lines 2..257 (line 1 is skipped), for the given zone, in file order. Numbers
// come back in plain decimal whatever form the file used. Later lines are never read as
// cards; those that hold any are named.
OldCardLines ReadOldCardLines(std::string_view bytes, int zone);

struct OldLoadResult {
    bool wrongSize = false; // the register is untouched
    int cards = 0;
    std::vector<LineCheck> leftOut; // as ReadOldCardLines names them
};

// Replaces the register (numbers to dial too) with the file's cards in the given zone; the
// program itself always uses zone 1.
OldLoadResult LoadOldCardFile(std::string_view bytes, TTablica& tablica, int zone = 1);

// Adds the file's cards to the zone the person chose. The size must have been checked before
// the zone was asked; it is checked again here so the routine is safe on its own.
MergeResult MergeOldCardFile(std::string_view bytes, TTablica& tablica, int zone);

} // namespace korv
