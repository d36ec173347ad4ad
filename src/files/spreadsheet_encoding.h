// Spreadsheets come as their program saved them: UTF-8 with or without a byte-order mark, or
// the Central European code page of an older "CSV" save. Everything inside is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace korv {

// The whole text is well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsUtf8(std::string_view bytes);

// The text as UTF-8: a leading byte-order mark dropped, and bytes that are not UTF-8 read as
// Windows-1250 (a file is one or the other, so one wrong byte decides for the whole file). A
// UTF-16 byte-order mark (Excel's "Unicode text") reads the rest as UTF-16.
std::string SpreadsheetTextUtf8(std::string_view bytes);

} // namespace korv
