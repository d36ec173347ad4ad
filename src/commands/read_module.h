// Read: the module's cards replace the register's (Panel1b / Label1b "Read").
#pragma once

#include "commands/module_context.h"
#include "commands/transfer_session.h"

#include <vector>

namespace korv {

// A record inside the module's count that holds no card (a zone code outside 1..4): what a
// write cut short or a damaged memory leaves behind.
struct RecordPlace {
    int page = 0;
    int record = 1; // 1..12
};

struct ReadOutcome {
    bool ran = false;             // the module answered as the kind the monitor found
    int moduleCount = -1;         // the count the module reported, -1 when it did not
    bool countTooLarge = false;   // above what a module holds; only the first 6144 were taken
    std::vector<int> failedPages; // their cards are missing from the register
    int stoppedAt = -1;           // the page where the module stopped answering, or -1
    std::vector<RecordPlace> recordsWithoutCard;
    bool cancelled = false;        // the person stopped it; the register is as it was
    bool partialDeclined = false;  // pages failed and the person kept the register as it was
    bool registerReplaced = false; // the register now holds what was read
    // The register now holds every card the module reported.
    bool Complete() const {
        return ran && moduleCount >= 0 && !countTooLarge && failedPages.empty() && stoppedAt < 0 &&
               recordsWithoutCard.empty();
    }
};

// ReadModule. The cards are read into a register aside that keeps the numbers to dial, and
// it replaces the register at the end. A failed page is skipped; when pages failed, one
// question says how many cards came and which pages failed, and only a Yes keeps what was
// read (AppState::partialRead then guards the next Save). A
// module that stops answering, or records inside its count that hold no card, leave the
// register as it was: such a read would hide that cards are missing behind a plausible list.
// NeedSave stays. On a ZADA module the window's extra settings take the module's. A cancel
// stops it before the next page and leaves the register and the settings as they were.
ReadOutcome ReadModule(ModuleContext& ctx);

// The pages that hold count cards (count at most MaxCards), with the read's page loop, into read,
// whose cards the caller emptied; inside a transfer session. Records inside the count that hold
// no card are added to recordsWithoutCard. On a ZADA module page 1 also brings the module's
// extra settings into the state. Shared by Read and the backup a write takes first.
PageLoopResult ReadCardPages(ModuleContext& ctx, int count, TTablica& read,
                             std::vector<RecordPlace>& recordsWithoutCard,
                             const ProgressPart& part = {});

// "page P record R, ..." for the report, the first few and the number of them all.
std::string RecordPlacesText(const std::vector<RecordPlace>& places, int language);

} // namespace korv
