// The integer test card files rely on for zones, apartments and numbers to dial.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korv {

// The whole text must be one 32-bit signed integer: optional leading blanks, an optional
// sign, then decimal digits, or hexadecimal digits after "$", "x" or "0x". Nothing may
// follow, and the empty text is not an integer.
std::optional<std::int32_t> ParseInteger(std::string_view text);

} // namespace korv
