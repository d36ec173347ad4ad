// A Ui for benchmarks: shows nothing, answers Yes to questions, and counts the notices and
// warnings a command gave, so a run that went wrong does not pass for a fast one.
#pragma once

#include "transfer/ui.h"

namespace korv::bench {

class QuietUi : public Ui {
public:
    int notices = 0;  // plain notices (failed pages, refusals)
    int warnings = 0; // warning and error boxes

    int MessageBox(const std::string&, const std::string&, int flags) override {
        if (flags == MbWarning || flags == MbError)
            ++warnings;
        return (flags & 0x0F) ? IdYes : IdOk;
    }
    int MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                              const std::string&) override {
        return MessageBox(text, caption, flags);
    }
    void ShowMessage(const std::string&) override { ++notices; }
    void ShowError(const std::string&) override { ++notices; }
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
    std::optional<std::string> AskPassword(bool) override { return {}; }
    void SetMonitorRunning(bool) override {}
    void ShowProgressLabel(const std::string&) override {}
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
};

} // namespace korv::bench
