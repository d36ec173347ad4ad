// Verify: does the module hold the register's cards (Panel3b / Label3b "Verify").
#pragma once

#include "commands/module_context.h"
#include "core/card_register.h"
#include "link/frame_checks.h"

#include <string>
#include <vector>

namespace korv {

// A card on one side only. A module record that holds no card keeps its zone code as zone.
struct CardDifference {
    int zone = 0;
    int apartment = 0;
    std::string numer;
    bool B1 = false;
    bool onlyInModule = true; // false: the module lacks a card the program holds
};

struct VerifyOutcome {
    bool ran = false;     // the module answered as the kind the monitor found
    int moduleCount = -1; // -1 when the module did not report it
    bool countsDiffer = false;
    bool countTooLarge = false; // the module reports more cards than it holds
    int errors = 0;             // module records without their card in the program
    int unchecked = 0;          // cards on pages that could not be read
    std::vector<int> failedPages;
    int stoppedAt = -1;     // the page where the module stopped answering, or -1
    bool cancelled = false; // the person stopped it before every card was checked
    // Module records without a match, then (when every card could be checked) the program's
    // cards the module lacks.
    std::vector<CardDifference> differences;
    bool Matches() const {
        return ran && !cancelled && !countsDiffer && errors == 0 && unchecked == 0;
    }
};

// The program holds the card of record r of the page reply in buf_out: same zone, apartment,
// number text and B1. Another card of the same number but another B1 does not count.
bool CardRecordMatches(const link::PortBuffer& buf_out, int r, const TTablica& tablica);

// "1 card" or "n cards" in the current language.
std::string DifferenceCountText(int n);

// One line of the differences, in the language.
std::string DifferenceLine(const CardDifference& d, int language);

// VerifyModule. Counts first; when they agree every page within the count is read and every
// record looked up. Never reports success while cards went unchecked. Neither the register
// nor NeedSave changes; a ZADA module's extra settings come into the window as in a read.
VerifyOutcome VerifyModule(ModuleContext& ctx);

} // namespace korv
