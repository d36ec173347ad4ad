// The Ui a job of the command runner talks to from its own thread. What it shows reaches the
// window's thread as a queued call; a question (a message box, the password panel) is asked
// there while the job waits for the answer. A job draws nothing of the register: the window
// does when the job has ended and its outcome is in place.
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
    void ShowConnection(const ConnectionView& view) override;
    std::optional<std::string> AskPassword(bool change) override;
    void ShowProgressLabel(const std::string& text) override;
    void SetWaitCursor(bool waiting) override;
    TKarta AskCard(const std::optional<TKarta>& card) override;
    std::pair<int, int> AskRange(int start) override;
    void ShowCardNotice(bool show) override;

private:
    std::shared_ptr<UiBridge> bridge_;
    Ui& windowUi_;
    const AppState& jobState_;
    AppState& windowState_;
};

} // namespace korv::ui
