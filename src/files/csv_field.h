// One field of a delimited text line as spreadsheets write it: quoted when it holds the
// separator, a quote, a line break or blanks or tabs at its ends (readers trim those), with
// quotes inside doubled.
#pragma once

#include <string>
#include <string_view>

namespace korv {

inline std::string CsvField(std::string_view text, char separator) {
    const auto trimmed = [](char c) { return c == ' ' || c == '\t'; };
    const bool quote =
        text.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos ||
        (!text.empty() && (trimmed(text.front()) || trimmed(text.back())));
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
