// The numbers a module can store for a card. A module record keeps 28 bits of the number, so a
// larger or negative number would come back as a different card and open someone else's door;
// such a card must be refused before anything is written, never silently truncated.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korv {

// Largest card number a module record holds (28 bits).
inline constexpr std::uint32_t kMaxModuleCardNumber = 0x0FFFFFFF; // 268435455

// The card's number as the module stores it, or nothing when the text is not plain decimal
// digits or the value does not fit 28 bits. Leading zeros are allowed; the module gives the
// number back without them.
inline std::optional<std::uint32_t> ModuleCardNumber(std::string_view numer) {
    if (numer.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : numer) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > kMaxModuleCardNumber)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace korv
