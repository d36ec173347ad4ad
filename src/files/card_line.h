// One line of the [KARTY] section: zone;apartment;numer;B1;opis followed by "=".
#pragma once

#include "core/card_register.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

struct CardLine {
    int zone = 1;      // 1..4
    int apartment = 0; // 0..255
    TKarta karta;
};

// Parses the key of one entry. Lines whose zone or apartment is not an integer in range are
// rejected; the number, flag and description are taken as they stand.
std::optional<CardLine> ParseCardLine(std::string_view key);

// The line as the writer puts it, without the line end.
std::string FormatCardLine(int zone, int apartment, const TKarta& karta);

// The characters of a UTF-8 description that a card line cannot carry, each once in the order
// they first come: "=" (the reader ends the description at the first one) and characters
// Windows-1250 has no byte for (the file would hold "?"). Empty when the description is stored
// and read back as it is. Whatever takes a description from a person or another program asks
// this before the description goes into the register.
std::vector<std::string> DescriptionCharactersNotHeld(std::string_view opis);

} // namespace korv
