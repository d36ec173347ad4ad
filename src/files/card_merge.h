// Appending the cards of a file to the register, all or nothing: the first card whose number
// is already registered, or a total above MaxCards, refuses the whole file.
#pragma once

#include "core/card_register.h"
#include "files/line_check.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korv {

// Where each number first stands in register order: the answer FindCard gives, for all
// numbers at once, so a large file is checked without walking the register per card.
class FirstCardIndex {
public:
    explicit FirstCardIndex(const TTablica& tablica);
    std::optional<CardPosition> Find(const std::string& numer) const;

private:
    std::unordered_map<std::string, CardPosition> first_;
};

struct MergeConflict {
    std::string numer;
    CardPosition inFile;     // where the file puts the card
    CardPosition inRegister; // the first registered card with that number
};

struct MergeResult {
    // Not merged at all: line 1 is not the magic word, or a one-zone file has the wrong size.
    bool wrongFile = false;
    std::optional<MergeConflict> conflict;
    bool overCapacity = false; // checked after a conflict too
    int pending = 0;           // cards read before the merge ended
    int added = 0;
    // Lines whose cards the file could not place, up to where reading stopped; they are left
    // out of a merge that adds the rest.
    std::vector<LineCheck> leftOut;

    bool Failed() const { return wrongFile || conflict.has_value() || overCapacity; }
};

// Adds the [KARTY] cards of a current-format file; numbers to dial are never merged. Only the
// register as it stood before the merge is searched, so a number twice in the file is added
// twice.
MergeResult MergeCardFile(std::string_view bytes, TTablica& tablica);

// The capacity test and the all-or-nothing append shared by both formats.
void FinishMerge(MergeResult& r, const std::vector<TDKarta>& pendingCards, TTablica& tablica);

} // namespace korv
