// The Ui of the module commands when korv-cli runs them: nobody to ask, so questions get the
// answer given on the command line, and what the window would show is written to the streams.
#pragma once

#include "transfer/ui.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace korv::cli {

class CliUi : public Ui {
public:
    CliUi(std::ostream& out, std::ostream& err, bool yes) : out_(out), err_(err), yes_(yes) {}

    // The flags of every message box shown, in order (information 64, error 16, ...).
    const std::vector<int>& shownFlags() const { return shownFlags_; }

    int MessageBox(const std::string& text, const std::string& caption, int flags) override;
    // The details follow the text, a line each.
    int MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                              const std::string& details) override;
    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowProgress(int, int, const std::string&) override {}
    void HideProgress() override {}
    void ProcessEvents() override {}
    std::optional<std::string> AskOpenFileName(const std::string&) override { return {}; }
    std::optional<std::string> AskSaveFileName(const std::string&, const std::string&) override {
        return {};
    }
    int AskZone() override { return 0; }
    void BeginBusy() override {}
    void EndBusy() override {}
    void RefreshViews() override {}
    void SetApartment(int) override {}
    void ShowCurrentApartment() override {}
    void SetWindowTitle(const std::string&) override {}
    void SetMenuItemEnabled(MenuItem, bool) override {}
    void ShowConnection(const ConnectionView&) override {}
    // The password comes from the command line; a refusal is reported, not asked again.
    std::optional<std::string> AskPassword(bool) override { return {}; }
    void SetMonitorRunning(bool) override {}
    void ShowProgressLabel(const std::string& text) override;
    void SetWaitCursor(bool) override {}
    void ShowZadaSettings(const link::ZadaSettings&) override {}
    void SetCardButtonsEnabled(bool) override {}
    TKarta AskCard(const std::optional<TKarta>&, link::TBEXFTDI&) override {
        return TKarta{"-1", false, ""};
    }
    std::pair<int, int> AskRange(int) override { return {-1, -1}; }
    int SelectedCardRow() override { return -1; }
    void ShowCardNotice(bool) override {}
    void SetAddButtonCaption(const std::string&) override {}

private:
    std::ostream& out_;
    std::ostream& err_;
    bool yes_;
    std::vector<int> shownFlags_;
};

} // namespace korv::cli
