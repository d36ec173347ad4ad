#include "files/card_line.h"

#include "files/code_page_1250.h"
#include "files/integer_text.h"

#include <algorithm>

namespace korv {

namespace {
// Takes the text before the next ";" off the front of s; without a ";" the field is empty and
// s stays as it is.
std::string_view TakeField(std::string_view& s) {
    const size_t semi = s.find(';');
    if (semi == std::string_view::npos)
        return {};
    const std::string_view field = s.substr(0, semi);
    s.remove_prefix(semi + 1);
    return field;
}
} // namespace

std::optional<CardLine> ParseCardLine(std::string_view s) {
    CardLine c;
    const auto zone = ParseInteger(TakeField(s));
    if (!zone || !ValidZone(*zone))
        return std::nullopt;
    const auto apartment = ParseInteger(TakeField(s));
    if (!apartment || !ValidApartment(*apartment))
        return std::nullopt;
    c.zone = *zone;
    c.apartment = *apartment;
    c.karta.numer = std::string(TakeField(s));
    c.karta.B1 = TakeField(s) == "1";
    c.karta.opis = std::string(s);
    return c;
}

std::string FormatCardLine(int zone, int apartment, const TKarta& karta) {
    std::string line = std::to_string(zone);
    line += ';';
    line += std::to_string(apartment);
    line += ';';
    line += karta.numer;
    line += karta.B1 ? ";1;" : ";0;";
    // A line break inside a description would cut the card line in two and could even start a
    // section of its own; it goes out as a blank.
    for (const char c : karta.opis)
        line += (c == '\r' || c == '\n') ? ' ' : c;
    line += '=';
    return line;
}

std::vector<std::string> DescriptionCharactersNotHeld(std::string_view opis) {
    std::vector<std::string> found;
    const auto note = [&](std::string c) {
        if (std::find(found.begin(), found.end(), c) == found.end())
            found.push_back(std::move(c));
    };
    // Walked in one pass so the characters come in the order they were typed.
    size_t from = 0;
    while (from <= opis.size()) {
        const size_t eq = std::min(opis.find('=', from), opis.size());
        for (std::string& c : CharactersOutsideWindows1250(opis.substr(from, eq - from)))
            note(std::move(c));
        if (eq == opis.size())
            break;
        note("=");
        from = eq + 1;
    }
    return found;
}

} // namespace korv
