// Appending a card file to the register, as Add file and korv-cli merge both do: recognise the
// file, ask the zone of a one-zone file, merge all or nothing, and say what to tell the person.
// The window shows the notices; korv-cli prints them.
#pragma once

#include "core/card_register.h"
#include "files/card_file_kind.h"
#include "files/file_bytes.h"
#include "files/line_check.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korv {

struct AppendNotice {
    bool box = false;    // a message box (with caption and flags), else a plain notice
    std::string text;    // may hold CR LF line breaks
    std::string caption; // boxes only
    int flags = 0;       // boxes only
};

struct AppendOutcome {
    bool cardFile = false;      // recognised (else a "Wrong file" notice)
    bool zoneCancelled = false; // a one-zone file whose zone question was cancelled
    bool merged = false;        // the merge ran; the register may or may not have changed
    bool refused = false;       // a conflict or more cards than a module holds: nothing added
    std::vector<AppendNotice> notices;
    // The file's lines whose cards a merge that went through left out; empty when nothing
    // was added, since then the notices say why.
    std::vector<LineCheck> leftOut;
};

// The "Wrong file" notice for a file of this size recognised as kind, in the given language:
// "!" after it for a file that is no card file, "_v2!" for a one-zone file of a size that
// format never has; nothing for a file that can be loaded.
std::optional<std::string> WrongFileNotice(CardFileKind kind, std::uint64_t size, int language);

// askZone: 1..4 for a one-zone file, 0 to cancel; asked only for such a file of the right size.
// Notices are in the given language.
AppendOutcome AppendCardFile(const FileBytes& file, TTablica& tablica, int language,
                             const std::function<int()>& askZone);

} // namespace korv
