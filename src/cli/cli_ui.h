// The Ui of the module commands when korv-cli runs them: nobody to ask, so questions get the
// answer given on the command line (the password, --yes), and what the window would show is
// written to the streams. Everything else is SilentUi's: no window to serve.
#pragma once

#include "commands/silent_ui.h"

#include <iosfwd>
#include <string>

namespace korv::cli {

class CliUi : public SilentUi {
public:
    CliUi(std::ostream& out, std::ostream& err, bool yes) : out_(out), err_(err), yes_(yes) {}

    int MessageBox(const std::string& text, const std::string& caption, int flags) override;
    // The details follow the text, a line each.
    int MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                              const std::string& details) override;
    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowProgressLabel(const std::string& text) override;

private:
    std::ostream& out_;
    std::ostream& err_;
    bool yes_;
};

} // namespace korv::cli
