// What the main window draws of the register and the file, for the commands that run on the
// window's own thread (the File menu, card editing, the spreadsheet exchange). A job of the
// command runner gets no view: its outcome is put in place and drawn when it has ended.
// korv-cli has no window and draws nothing. Nothing here knows about Qt.
#pragma once

#include "link/zada_settings.h"

#include <string>

namespace korv {

// File menu items whose enabling commands switch.
enum class MenuItem { Open, Append, Save, SaveAs };

class RegisterView {
public:
    virtual ~RegisterView() = default;

    // The grid, the card count and the shown apartment, from the state.
    virtual void RefreshViews() = 0;
    // Sets the apartment box and runs its value-changed rule (shows that apartment again).
    virtual void SetApartment(int apartment) = 0;
    // Runs the apartment box's value-changed rule for the value it holds.
    virtual void ShowCurrentApartment() = 0;
    virtual void SetWindowTitle(const std::string& title) = 0;
    virtual void SetMenuItemEnabled(MenuItem item, bool enabled) = 0;
    // Change and Delete of the card group, which act on the card selected in the list.
    virtual void SetCardButtonsEnabled(bool enabled) = 0;
    // The row selected in the card list (the card's index in the apartment's list), -1 for
    // none.
    virtual int SelectedCardRow() = 0;
    virtual void SetAddButtonCaption(const std::string& caption) = 0;
};

// For a caller with no window: korv-cli, and the tests that look only at the state.
class NoView : public RegisterView {
public:
    void RefreshViews() override {}
    void SetApartment(int) override {}
    void ShowCurrentApartment() override {}
    void SetWindowTitle(const std::string&) override {}
    void SetMenuItemEnabled(MenuItem, bool) override {}
    void SetCardButtonsEnabled(bool) override {}
    int SelectedCardRow() override { return -1; }
    void SetAddButtonCaption(const std::string&) override {}
};

} // namespace korv
