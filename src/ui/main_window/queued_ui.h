// The Ui a job of the command runner talks to from its own thread. What it shows reaches the
// window's thread as a queued call; a question (a message box, the password panel) is asked
// there while the job waits for the answer. The window redraws the register itself when the
// job has ended and its outcome is in place, so the job's redraw requests are not passed on.
#pragma once

#include "commands/app_state.h"
#include "commands/ui_seam.h"

#include <memory>

namespace korv::ui {

class UiBridge;

class QueuedUi : public Ui {
public:
    // windowUi is used on the window's thread only; jobState is the job's own state, whose
    // connection findings go with every ShowConnection; windowState receives them.
    QueuedUi(std::shared_ptr<UiBridge> bridge, Ui& windowUi, const AppState& jobState,
             AppState& windowState);

    int MessageBox(const std::string& text, const std::string& caption, int flags) override;
    int MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                              const std::string& details) override;
    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowProgress(int position, int maximum, const std::string& label) override;
    void HideProgress() override;
    std::optional<std::string> AskOpenFileName(const std::string& filter) override;
    std::optional<std::string> AskSaveFileName(const std::string& filter,
                                               const std::string& defaultExtension) override;
    int AskZone() override;
    void RefreshViews() override {}
    void SetApartment(int) override {}
    void ShowCurrentApartment() override {}
    void SetWindowTitle(const std::string& title) override;
    void SetMenuItemEnabled(MenuItem item, bool enabled) override;
    void ShowConnection(const ConnectionView& view) override;
    std::optional<std::string> AskPassword(bool change) override;
    void ShowProgressLabel(const std::string& text) override;
    void SetWaitCursor(bool waiting) override;
    void ShowZadaSettings(const link::ZadaSettings& zada) override;
    void SetCardButtonsEnabled(bool) override {}
    // Card editing runs on the window's thread, never in a job.
    TKarta AskCard(const std::optional<TKarta>&) override { return TKarta{"-1", false, ""}; }
    std::pair<int, int> AskRange(int) override { return {-1, -1}; }
    int SelectedCardRow() override { return -1; }
    void ShowCardNotice(bool show) override;
    void SetAddButtonCaption(const std::string& caption) override;

private:
    std::shared_ptr<UiBridge> bridge_;
    Ui& windowUi_;
    const AppState& jobState_;
    AppState& windowState_;
};

} // namespace korv::ui
