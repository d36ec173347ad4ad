#include "files/spreadsheet_encoding.h"

#include "files/code_page_1250.h"

namespace korv {

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

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
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        bytes.remove_prefix(kUtf8Bom.size());
    if (IsUtf8(bytes))
        return std::string(bytes);
    return DecodeWindows1250(bytes);
}

} // namespace korv
