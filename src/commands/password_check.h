// What page 0 says about the installer password the program holds.
#pragma once

#include "link/ftdi.h"

#include <cstdint>
#include <string_view>

namespace korv {

enum class PasswordCheck {
    Accepted,        // page 0 holds this password
    Refused,         // page 0 holds another valid password
    NoValidPassword, // page 0 holds no four-digit password (erased memory: FF FF)
    NoAnswer         // page 0 could not be read, try after try
};

// Two page bytes are a four-digit password: packed BCD, every nibble 0..9. An erased module
// holds FF FF there, which no password the panel takes can match.
bool IsPasswordBytes(std::uint8_t digits12, std::uint8_t digits34);

// Reads page 0 like any page (three tries, the receive queue emptied before each) and compares
// its password bytes with the first four characters of pass.
PasswordCheck CheckModulePassword(link::TBEXFTDI& port, std::string_view pass);

} // namespace korv
