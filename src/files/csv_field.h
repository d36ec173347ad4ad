// One field of a delimited text line as spreadsheets write it: quoted when it holds the
// separator, a quote, a line break or blanks at its ends, with quotes inside doubled.
#pragma once

#include <string>
#include <string_view>

namespace korv {

inline std::string CsvField(std::string_view text, char separator) {
    const bool quote =
        text.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos ||
        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

} // namespace korv
