// A Ui with nobody in front of it: it shows nothing, every question is cancelled (message
// boxes answer OK, No or Cancel). korv-cli and the
// benchmarks start from it and override what they report or answer.
#pragma once

#include "commands/ui_seam.h"

namespace korv {

class SilentUi : public Ui {
public:
    int MessageBox(const std::string&, const std::string&, int flags) override {
        if ((flags & 0x0F) == 3)
            return IdCancel;
        return (flags & 0x0F) == 4 ? IdNo : IdOk;
    }
    int MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                              const std::string&) override {
        return MessageBox(text, caption, flags);
    }
    void ShowMessage(const std::string&) override {}
    void ShowError(const std::string&) override {}
    void ShowProgress(int, int, const std::string&) override {}
    void HideProgress() override {}
    std::optional<std::string> AskOpenFileName(const std::string&) override { return {}; }
    std::optional<std::string> AskSaveFileName(const std::string&, const std::string&) override {
        return {};
    }
    int AskZone() override { return 0; }
    void ShowConnection(const ConnectionView&) override {}
    std::optional<std::string> AskPassword(bool) override { return {}; }
    void ShowProgressLabel(const std::string&) override {}
    void SetWaitCursor(bool) override {}
    TKarta AskCard(const std::optional<TKarta>&) override { return TKarta{"-1", false, ""}; }
    std::pair<int, int> AskRange(int) override { return {-1, -1}; }
    void ShowCardNotice(bool) override {}
};

} // namespace korv
