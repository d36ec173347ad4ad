// The Ui seam over the main window and Qt's dialogs.
#pragma once

#include "commands/file_commands.h"
#include "commands/register_view.h"
#include "commands/ui_seam.h"
#include "ui/dialogs/file_dialogs.h"

#include <QString>

namespace korv::ui {

class TMain;

class QtUi : public Ui, public RegisterView {
public:
    explicit QtUi(TMain& window);

    // Replaces how file names are asked for (window tests answer directly).
    void SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

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

    // RegisterView: what the window draws for the commands that run on its thread.
    void RefreshViews() override;
    void SetApartment(int apartment) override;
    void ShowCurrentApartment() override;
    void SetWindowTitle(const std::string& title) override;
    void SetMenuItemEnabled(MenuItem item, bool enabled) override;
    void SetCardButtonsEnabled(bool enabled) override;
    int SelectedCardRow() override;
    void SetAddButtonCaption(const std::string& caption) override;

private:
    TMain& window_;
    FileChooser chooser_;
    FileFolder folder_;
};

} // namespace korv::ui
