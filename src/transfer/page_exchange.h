// One page over the cable, tried again when the exchange fails: a single glitch on the line
// would otherwise cost the twelve cards of the page. The port empties its receive queue before
// every request, so a late reply to one try is never taken for the next one's.
#pragma once

#include "transfer/module_context.h"

namespace korv {

inline constexpr int kPageTries = 3;

// Runs one exchange until it succeeds, kPageTries times at most: the rule for every request
// whose single failure would otherwise be reported as the module's answer.
template <class Exchange> bool TriedLikeAPage(Exchange exchange) {
    for (int attempt = 0; attempt < kPageTries; ++attempt)
        if (exchange())
            return true;
    return false;
}

// Page pageno into the port's reply buffer. On a ZADA module page 1 also brings the extra
// settings into the state (whenever a request went out, as the port hands them over).
bool ReadModulePage(ModuleContext& ctx, int pageno);
// The page assembled in the port's request buffer, to page pageno.
bool WriteModulePage(ModuleContext& ctx, int pageno);
// The module's card count, asked like a page: -1 only when every try failed. A single lost
// count would otherwise stop a read, or make a verify report counts that differ.
int ReadModuleCount(ModuleContext& ctx);

} // namespace korv
