// Loading a file of either format the way Open does, for callers without a window.
#pragma once

#include "core/card_register.h"
#include "files/card_file_kind.h"
#include "files/line_check.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace korv {

struct OpenResult {
    CardFileKind kind = CardFileKind::NotCardFile;
    bool loaded = false;       // the register was replaced
    bool wrongOldSize = false; // a one-zone file of a size that format never has
    int cards = 0;
    std::vector<LineCheck> leftOut; // lines whose cards the load left out, in file order
};

// Recognises the file by its size and first line and replaces the register with it; a
// one-zone file's cards go to oldFileZone. Anything refused leaves the register untouched.
OpenResult LoadAnyCardFile(std::uint64_t size, std::string_view bytes, TTablica& tablica,
                           int oldFileZone = 1);

} // namespace korv
