#include "cli/cli_ui.h"

#include "cli/text_escape.h"

#include <algorithm>
#include <ostream>
#include <string_view>

namespace korv::cli {

namespace {

// A line of the text at a time, each escaped: a box's own line breaks stay line breaks, while a
// control byte from a file or a device still cannot reach the terminal.
void WriteLines(std::ostream& to, std::string_view text) {
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        to << EscapeText(text.substr(from, end - from)) << '\n';
        from = end + 1;
    }
}

} // namespace

int CliUi::MessageBox(const std::string& text, const std::string&, int flags) {
    const bool question = (flags & 0x0F) == 3 || (flags & 0x0F) == 4;
    if (question)
        return yes_ ? IdYes : IdNo;
    WriteLines((flags & 0xF0) == MbError ? err_ : out_, text);
    return IdOk;
}

int CliUi::MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                                 const std::string& details) {
    const int result = MessageBox(text, caption, flags);
    WriteLines((flags & 0xF0) == MbError ? err_ : out_, details);
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
