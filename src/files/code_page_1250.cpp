#include "files/code_page_1250.h"

#include <array>
#include <cstdint>

namespace korv {

namespace {

// Characters of bytes 0x80..0xFF.
constexpr std::array<std::uint16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, //
};

constexpr std::uint32_t kTableEnd = 0x2200; // above the highest character of the table

// Byte for each character below kTableEnd; 0 where the code page has none.
const std::array<std::uint8_t, kTableEnd>& EncodeTable() {
    static const auto table = [] {
        std::array<std::uint8_t, kTableEnd> t{};
        for (std::uint32_t c = 0; c < 0x80; ++c)
            t[c] = static_cast<std::uint8_t>(c);
        for (std::uint32_t b = 0; b < kHighHalf.size(); ++b)
            t[kHighHalf[b]] = static_cast<std::uint8_t>(0x80 + b);
        return t;
    }();
    return table;
}

// The byte for character c, or nothing when the code page has none.
bool ByteFor(std::uint32_t c, std::uint8_t& b) {
    b = c < kTableEnd ? EncodeTable()[c] : 0;
    return b != 0 || c == 0;
}

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when it is not valid.
size_t NextCodePoint(std::string_view s, size_t i, std::uint32_t& c) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char lead = b(0);
    size_t n;
    std::uint32_t min;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        n = 2, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        n = 3, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        n = 4, c = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b(k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return n;
}

} // namespace

std::string DecodeWindows1250(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    size_t i = 0;
    while (i < bytes.size()) {
        // Runs of ASCII, nearly the whole of a card file, are copied in one go.
        size_t run = i;
        while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80)
            ++run;
        out.append(bytes.data() + i, run - i);
        if (run == bytes.size())
            break;
        AppendUtf8(out, kHighHalf[static_cast<unsigned char>(bytes[run]) - 0x80]);
        i = run + 1;
    }
    return out;
}

std::string EncodeWindows1250(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        std::uint32_t c = 0;
        const size_t n = NextCodePoint(utf8, i, c);
        if (n == 0) {
            out += '?';
            ++i;
            continue;
        }
        i += n;
        std::uint8_t b = 0;
        out += ByteFor(c, b) ? static_cast<char>(b) : '?';
    }
    return out;
}

std::vector<std::string> CharactersOutsideWindows1250(std::string_view utf8) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < utf8.size()) {
        std::uint32_t c = 0;
        const size_t n = NextCodePoint(utf8, i, c);
        if (n == 0) {
            out.emplace_back("\xEF\xBF\xBD"); // U+FFFD, the replacement character
            ++i;
            continue;
        }
        std::uint8_t b = 0;
        if (!ByteFor(c, b))
            out.emplace_back(utf8.substr(i, n));
        i += n;
    }
    return out;
}

} // namespace korv
