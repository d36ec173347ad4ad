#include "files/integer_text.h"

namespace korv {

namespace {
int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}
} // namespace

std::optional<std::int32_t> ParseInteger(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size())
        return std::nullopt;
    // One past the largest magnitude, so long digit runs stop growing instead of overflowing.
    constexpr std::int64_t limit = std::int64_t{1} << 31;
    std::int64_t value = 0;
    for (; i < s.size(); ++i) {
        const int d = DigitValue(s[i], base);
        if (d < 0)
            return std::nullopt;
        value = value * base + d;
        if (value > limit)
            value = limit + 1;
    }
    if (negative)
        value = -value;
    if (value < -limit || value > limit - 1)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace korv
