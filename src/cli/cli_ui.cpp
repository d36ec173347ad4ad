#include "cli/cli_ui.h"

#include "cli/text_escape.h"

#include <algorithm>
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

int CliUi::MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                                 const std::string& details) {
    const int result = MessageBox(text, caption, flags);
    std::ostream& to = (flags & 0xF0) == MbError ? err_ : out_;
    std::size_t from = 0;
    while (from < details.size()) {
        const std::size_t end = std::min(details.find('\n', from), details.size());
        to << EscapeText(std::string_view(details).substr(from, end - from)) << '\n';
        from = end + 1;
    }
    return result;
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
