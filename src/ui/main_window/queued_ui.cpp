#include "ui/main_window/queued_ui.h"

#include "ui/main_window/ui_bridge.h"

namespace korv::ui {

QueuedUi::QueuedUi(std::shared_ptr<UiBridge> bridge, Ui& windowUi, const AppState& jobState,
                   AppState& windowState)
    : bridge_(std::move(bridge)), windowUi_(windowUi), jobState_(jobState),
      windowState_(windowState) {}

int QueuedUi::MessageBox(const std::string& text, const std::string& caption, int flags) {
    return bridge_->Ask<int>([=, &ui = windowUi_] { return ui.MessageBox(text, caption, flags); },
                             IdCancel);
}

int QueuedUi::MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                                    const std::string& details) {
    return bridge_->Ask<int>(
        [=, &ui = windowUi_] { return ui.MessageBoxWithDetails(text, caption, flags, details); },
        IdCancel);
}

void QueuedUi::ShowMessage(const std::string& text) {
    // The job goes on once the person has read it, as it would next to a modal notice.
    bridge_->Ask<int>(
        [=, &ui = windowUi_] {
            ui.ShowMessage(text);
            return 0;
        },
        0);
}

void QueuedUi::ShowError(const std::string& text) {
    bridge_->Ask<int>(
        [=, &ui = windowUi_] {
            ui.ShowError(text);
            return 0;
        },
        0);
}

void QueuedUi::ShowProgress(int position, int maximum, const std::string& label) {
    bridge_->Post([=, &ui = windowUi_] { ui.ShowProgress(position, maximum, label); });
}

void QueuedUi::HideProgress() {
    bridge_->Post([&ui = windowUi_] { ui.HideProgress(); });
}

std::optional<std::string> QueuedUi::AskOpenFileName(const std::string& filter) {
    return bridge_->Ask<std::optional<std::string>>(
        [=, &ui = windowUi_] { return ui.AskOpenFileName(filter); }, std::nullopt);
}

std::optional<std::string> QueuedUi::AskSaveFileName(const std::string& filter,
                                                     const std::string& defaultExtension) {
    return bridge_->Ask<std::optional<std::string>>(
        [=, &ui = windowUi_] { return ui.AskSaveFileName(filter, defaultExtension); },
        std::nullopt);
}

int QueuedUi::AskZone() {
    return bridge_->Ask<int>([&ui = windowUi_] { return ui.AskZone(); }, 0);
}

void QueuedUi::ShowConnection(const ConnectionView& view) {
    // What the row says (the module's name, the password box) comes from the job's state as it
    // is now; the window keeps it, so a redraw before the job ends says the same.
    const ConnectionFindings findings = jobState_.connection;
    bridge_->Post([=, &ui = windowUi_, &state = windowState_] {
        state.connection = findings;
        ui.ShowConnection(view);
    });
}

std::optional<std::string> QueuedUi::AskPassword(bool change) {
    return bridge_->Ask<std::optional<std::string>>(
        [=, &ui = windowUi_] { return ui.AskPassword(change); }, std::nullopt);
}

void QueuedUi::ShowProgressLabel(const std::string& text) {
    bridge_->Post([=, &ui = windowUi_] { ui.ShowProgressLabel(text); });
}

void QueuedUi::SetWaitCursor(bool waiting) {
    bridge_->Post([=, &ui = windowUi_] { ui.SetWaitCursor(waiting); });
}

TKarta QueuedUi::AskCard(const std::optional<TKarta>& card) {
    return bridge_->Ask<TKarta>([=, &ui = windowUi_] { return ui.AskCard(card); },
                                TKarta{"-1", false, ""});
}

std::pair<int, int> QueuedUi::AskRange(int start) {
    return bridge_->Ask<std::pair<int, int>>([=, &ui = windowUi_] { return ui.AskRange(start); },
                                             {-1, -1});
}

void QueuedUi::ShowCardNotice(bool show) {
    bridge_->Post([=, &ui = windowUi_] { ui.ShowCardNotice(show); });
}

} // namespace korv::ui
