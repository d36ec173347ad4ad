// The current card file: "RUF-KARTYv9", numbers to dial under [STREFA1]..[STREFA4], every
// card under [KARTY]. Windows-1250 on disk, CR LF after every line.
#pragma once

#include "core/card_register.h"
#include "files/file_bytes.h"
#include "files/line_check.h"

#include <string>
#include <string_view>
#include <vector>

namespace korv {

// The whole file as it goes to disk.
std::string CardFileText(const TTablica& tablica);

// Writes the register to path without ever leaving a half-written file there.
FileWriteResult WriteCardFile(const TTablica& tablica, const std::string& path,
                              const WriteFault& fault = {});

struct CardLoadResult {
    bool loaded = false; // false: line 1 is not the magic word and the register is untouched
    int cards = 0;
    std::vector<LineCheck> leftOut; // the card lines dropped (CardLineIgnored), in file order
};

// Replaces the register with the file's numbers to dial and cards. Entries that fail their
// tests are dropped, the card lines among them named in the result; no duplicate or capacity
// test is made.
CardLoadResult LoadCardFile(std::string_view bytes, TTablica& tablica);

// Line 1 read as text (ending at CR or LF) equals the magic word.
bool HasVersion9Magic(std::string_view bytes);

} // namespace korv
