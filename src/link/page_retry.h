// One exchange over the cable, tried again when it fails: a single glitch on the line would
// otherwise cost the twelve cards of a page, or be reported as the module's answer. The port
// empties its receive queue before every request, so a late reply to one try is never taken
// for the next one's.
#pragma once

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

} // namespace korv
