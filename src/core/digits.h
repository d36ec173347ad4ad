// Texts of decimal digits alone: card numbers, numbers to dial, the installer password.
#pragma once

#include <string_view>

namespace korv {

// True when text is one or more of the characters 0..9 and nothing else: no sign, no blank,
// no other script's digits. An empty text holds no number, so it is false; a caller to whom an
// empty text is fine (a box being typed into) says so itself.
constexpr bool AllDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace korv
