// What page 0 says about the installer password the program holds.
#pragma once

#include "link/ftdi.h"

#include <string_view>

namespace korv {

enum class PasswordCheck {
    Accepted,        // page 0 holds this password
    Refused,         // page 0 holds another valid password
    NoValidPassword, // page 0 holds no four-digit password (erased memory: FF FF)
    NoAnswer         // page 0 could not be read, try after try
};

// Reads page 0 like any page (three tries, the receive queue emptied before each) and compares
// its password bytes with the first four characters of pass.
PasswordCheck CheckModulePassword(link::TBEXFTDI& port, std::string_view pass);

} // namespace korv
