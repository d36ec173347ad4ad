// Read: the module's cards replace the register's (Panel1b / Label1b "Read").
#pragma once

#include "transfer/module_context.h"

#include <vector>

namespace korv {

struct ReadOutcome {
    bool ran = false;             // the module answered as the kind the monitor found
    int moduleCount = -1;         // the count the module reported, -1 when it did not
    bool countTooLarge = false;   // above what a module holds; only the first 6144 were taken
    std::vector<int> failedPages; // their cards are missing from the register
    // The register now holds every card the module reported.
    bool Complete() const {
        return ran && moduleCount >= 0 && !countTooLarge && failedPages.empty();
    }
};

// Button1Click. The register is emptied only once the module said how many cards it holds;
// the numbers to dial and NeedSave stay. A failed page is named (message 165) and skipped. On
// a ZADA module the window's extra settings take the module's.
ReadOutcome Button1Click(ModuleContext& ctx);

} // namespace korv
