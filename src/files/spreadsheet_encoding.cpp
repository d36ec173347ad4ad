#include "files/spreadsheet_encoding.h"

#include "files/code_page_1250.h"

namespace korv {

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Excel's "Unicode text" save. A lone surrogate or an odd last byte becomes U+FFFD.
std::string DecodeUtf16(std::string_view bytes, bool littleEndian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return littleEndian ? (b << 8 | a) : (a << 8 | b);
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
    if (i < bytes.size())
        AppendUtf8(out, 0xFFFD);
    return out;
}

bool Continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}
} // namespace

bool IsUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0; // overlong
            else if (c == 0xED)
                high = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90; // overlong
            else if (c == 0xF4)
                high = 0x8F; // past U+10FFFF
        } else {
            return false;
        }
        if (i + length > n || p[i + 1] < low || p[i + 1] > high)
            return false;
        for (std::size_t k = 2; k < length; ++k)
            if (!Continuation(p[i + k]))
                return false;
        i += length;
    }
    return true;
}

std::string SpreadsheetTextUtf8(std::string_view bytes) {
    for (const bool little : {true, false})
        if (bytes.substr(0, 2) == (little ? kUtf16LeBom : kUtf16BeBom))
            return DecodeUtf16(bytes.substr(2), little);
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        bytes.remove_prefix(kUtf8Bom.size());
    if (IsUtf8(bytes))
        return std::string(bytes);
    return DecodeWindows1250(bytes);
}

} // namespace korv
