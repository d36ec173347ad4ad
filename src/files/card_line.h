// One line of the [KARTY] section: zone;apartment;numer;B1;opis followed by "=".
#pragma once

#include "core/card_register.h"

#include <optional>
#include <string>
#include <string_view>

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

} // namespace korv
