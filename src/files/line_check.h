// A line of a card file the reader drops or shortens, by its number and what happens to it.
// The loaders hand back the lines whose cards they left out; korv-cli check finds the rest.
#pragma once

#include <string>

namespace korv {

enum class LineFault {
    DialNumberIgnored,       // [STREFAn] line without apartment 0..255 and a number
    CardLineIgnored,         // [KARTY] line without zone 1..4 and apartment 0..255
    DescriptionHoldsEquals,  // the text after "=" is lost
    DescriptionEndsInBlanks, // the blanks are lost
    NotACardNumber,          // a one-zone file's field the reader passes over
    MoreThanSixFields,       // a one-zone file's line: only the first five are read
    CardsPastApartment255,   // a one-zone file's line after line 257 that holds cards
};

struct LineCheck {
    int line = 0; // 1-based
    LineFault fault = LineFault::DialNumberIgnored;
    std::string subject; // the card number, or the field's text (UTF-8); empty when none
};

} // namespace korv
