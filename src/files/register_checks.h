// What must be fixed before the cards go to a module: the rules over the register (numbers a
// module cannot hold or gives back changed, the same number twice; too many cards is the
// register's own ExceedsModule, which the write's refusal shares) and over the file's own text
// (lines the reader drops or shortens without a word). Each rule returns what it found; wording
// is the caller's.
#pragma once

#include "core/card_register.h"
#include "core/module_card_number.h"
#include "files/line_check.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

// A module stores a card number in 28 bits: the numbers below this one.
inline constexpr long long kModuleNumberLimit = 268435456;
static_assert(kModuleNumberLimit == kMaxModuleCardNumber + 1LL);

enum class CardNumberFault {
    None,
    NotPlainDigits, // a module holds only decimal digits
    TooLarge,       // at or above kModuleNumberLimit
    LeadingZeros,   // the module gives the number back without them
};

CardNumberFault CheckCardNumber(std::string_view numer);

// A card with something to fix, in register order.
struct CardCheck {
    std::string numer;
    CardPosition where;
    std::optional<CardPosition> duplicateOf; // where the same number stands first
    CardNumberFault fault = CardNumberFault::None;
};

// The cards with a duplicate number or a number fault, in register order.
std::vector<CardCheck> CheckCards(const TTablica& tablica);

// Lines of a RUF-KARTYv9 file, in file order (numbers to dial first, then cards).
std::vector<LineCheck> CheckVersion9Lines(std::string_view bytes);
// Lines of a RUF-KARTYv2 (one-zone) file, in file order.
std::vector<LineCheck> CheckVersion2Lines(std::string_view bytes);

} // namespace korv
