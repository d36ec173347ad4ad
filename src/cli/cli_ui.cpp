#include "cli/cli_ui.h"

#include "cli/text_escape.h"

#include <ostream>

namespace korv::cli {

int CliUi::MessageBox(const std::string& text, const std::string&, int flags) {
    shownFlags_.push_back(flags);
    const bool question = (flags & 0x0F) == 3 || (flags & 0x0F) == 4;
    if (question)
        return yes_ ? IdYes : IdNo;
    ((flags & 0xF0) == MbError ? err_ : out_) << EscapeText(text) << '\n';
    return IdOk;
}

void CliUi::ShowMessage(const std::string& text) {
    err_ << "korv-cli module: " << EscapeText(text) << '\n';
}

void CliUi::ShowError(const std::string& text) {
    err_ << "korv-cli module: " << EscapeText(text) << '\n';
}

void CliUi::ShowProgressLabel(const std::string& text) {
    if (!text.empty())
        err_ << EscapeText(text) << '\n';
}

} // namespace korv::cli
