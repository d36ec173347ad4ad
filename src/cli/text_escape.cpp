#include "cli/text_escape.h"

#include <cstdint>

namespace korv::cli {

namespace {

void AppendHex(std::string& out, std::uint8_t byte) {
    static const char digits[] = "0123456789ABCDEF";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0x0F];
}

// Length of the well-formed UTF-8 sequence at the start of s (RFC 3629: no overlong forms,
// no surrogates, nothing above U+10FFFF), or 0.
std::size_t Utf8Length(std::string_view s) {
    const auto b = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
    const auto cont = [&](std::size_t i) { return i < s.size() && (b(i) & 0xC0) == 0x80; };
    const std::uint8_t lead = b(0);
    if (lead >= 0xC2 && lead <= 0xDF)
        return cont(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!cont(1) || !cont(2))
            return 0;
        if ((lead == 0xE0 && b(1) < 0xA0) || (lead == 0xED && b(1) > 0x9F))
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3))
            return 0;
        if ((lead == 0xF0 && b(1) < 0x90) || (lead == 0xF4 && b(1) > 0x8F))
            return 0;
        return 4;
    }
    return 0;
}

} // namespace

std::string EscapeText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<std::uint8_t>(bytes[i]);
        if (c < 0x80) {
            switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (c < 0x20 || c == 0x7F)
                    AppendHex(out, c);
                else
                    out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        const std::size_t n = Utf8Length(bytes.substr(i));
        // U+0080..U+009F are C2 80..C2 9F; a terminal may act on them as it does on ESC.
        const bool c1 = n == 2 && c == 0xC2 && static_cast<std::uint8_t>(bytes[i + 1]) <= 0x9F;
        if (n == 0 || c1) {
            const std::size_t count = n == 0 ? 1 : n;
            for (std::size_t k = 0; k < count; ++k)
                AppendHex(out, static_cast<std::uint8_t>(bytes[i + k]));
            i += count;
        } else {
            out.append(bytes.substr(i, n));
            i += n;
        }
    }
    return out;
}

} // namespace korv::cli
