// A Ui for benchmarks: shows nothing, answers Yes to questions, and counts the notices and
// warnings a command gave, so a run that went wrong does not pass for a fast one.
#pragma once

#include "commands/silent_ui.h"

namespace korv::bench {

class QuietUi : public SilentUi {
public:
    int notices = 0;  // plain notices (failed pages, refusals)
    int warnings = 0; // warning and error boxes

    int MessageBox(const std::string&, const std::string&, int flags) override {
        if (flags == MbWarning || flags == MbError)
            ++warnings;
        return (flags & 0x0F) ? IdYes : IdOk;
    }
    void ShowMessage(const std::string&) override { ++notices; }
    void ShowError(const std::string&) override { ++notices; }
};

} // namespace korv::bench
