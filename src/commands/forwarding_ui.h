// A Ui that passes every call on to another: the base for a Ui that watches what a command
// says without changing what the person sees.
#pragma once

#include "commands/ui_seam.h"

namespace korv {

class ForwardingUi : public Ui {
public:
    explicit ForwardingUi(Ui& inner) : inner_(inner) {}

    int MessageBox(const std::string& text, const std::string& caption, int flags) override {
        return inner_.MessageBox(text, caption, flags);
    }
    int MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                              const std::string& details) override {
        return inner_.MessageBoxWithDetails(text, caption, flags, details);
    }
    void ShowMessage(const std::string& text) override { inner_.ShowMessage(text); }
    void ShowError(const std::string& text) override { inner_.ShowError(text); }
    void ShowProgress(int position, int maximum, const std::string& label) override {
        inner_.ShowProgress(position, maximum, label);
    }
    void HideProgress() override { inner_.HideProgress(); }
    std::optional<std::string> AskOpenFileName(const std::string& filter) override {
        return inner_.AskOpenFileName(filter);
    }
    std::optional<std::string> AskSaveFileName(const std::string& filter,
                                               const std::string& defaultExtension) override {
        return inner_.AskSaveFileName(filter, defaultExtension);
    }
    int AskZone() override { return inner_.AskZone(); }
    void ShowConnection(const ConnectionView& view) override { inner_.ShowConnection(view); }
    std::optional<std::string> AskPassword(bool change) override {
        return inner_.AskPassword(change);
    }
    void ShowProgressLabel(const std::string& text) override { inner_.ShowProgressLabel(text); }
    void SetWaitCursor(bool waiting) override { inner_.SetWaitCursor(waiting); }
    TKarta AskCard(const std::optional<TKarta>& card) override { return inner_.AskCard(card); }
    std::pair<int, int> AskRange(int start) override { return inner_.AskRange(start); }
    void ShowCardNotice(bool show) override { inner_.ShowCardNotice(show); }

private:
    Ui& inner_;
};

} // namespace korv
