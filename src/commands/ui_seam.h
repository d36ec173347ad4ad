// What a command needs from the person in front of it: messages, questions, progress. The
// window implements it with widgets, korv-cli by printing, tests with a scripted fake that
// records what was shown and answers what was asked. What the window draws of the register
// is apart, in register_view.h: a command run as a job of the command runner never draws, the
// window does when the job's outcome is in place. Nothing here knows about Qt.
#pragma once

#include "commands/connection_view.h"
#include "core/card_register.h"

#include <optional>
#include <string>
#include <utility>

namespace korv {

// Message-box flags and results keep the Windows values that callers compare against.
enum MessageBoxFlags : int {
    MbError = 16,          // OK, error icon
    MbYesNoCancel = 35,    // Yes, No, Cancel; question icon
    MbWarning = 48,        // OK, warning icon
    MbInformation = 64,    // OK, information icon
    MbYesNoDefaultNo = 292 // Yes, No; question icon; No is the default
};
enum MessageBoxResult : int { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

class Ui {
public:
    virtual ~Ui() = default;

    // Modal message box; an empty caption shows the application title. Returns a
    // MessageBoxResult.
    virtual int MessageBox(const std::string& text, const std::string& caption, int flags) = 0;
    // The same box with lines of details the person may unfold (which cards differ).
    virtual int MessageBoxWithDetails(const std::string& text, const std::string& caption,
                                      int flags, const std::string& details) = 0;
    // Plain notice under the application title with one OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // The general error report for input/output failures: what failed and the system's reason.
    virtual void ShowError(const std::string& text) = 0;

    // The progress bar and its text; ProgressDisplay (progress.h) computes what to show.
    virtual void ShowProgress(int position, int maximum, const std::string& label) = 0;
    virtual void HideProgress() = 0;

    // Questions. An empty optional means the person cancelled.
    virtual std::optional<std::string> AskOpenFileName(const std::string& filter) = 0;
    virtual std::optional<std::string> AskSaveFileName(const std::string& filter,
                                                       const std::string& defaultExtension) = 0;
    // The zone chooser for one-zone card files: 1..4, or 0 when cancelled.
    virtual int AskZone() = 0;

    // Draws the connection monitor's row at once: cable box, connection label (from the
    // state's ConnectionMessage and ModuleName), the module controls, the information panel.
    virtual void ShowConnection(const ConnectionView& view) = 0;
    // The password panel, modal: change mode to write a new password into the module, entry
    // mode when the module refused the one the program holds. The digits confirmed (0 to 4,
    // not yet padded), or nothing when cancelled.
    virtual std::optional<std::string> AskPassword(bool change) = 0;
    // The progress label alone, without the bar, repainted at once (long single exchanges).
    virtual void ShowProgressLabel(const std::string& text) = 0;
    // The hourglass over the window while a long exchange blocks it.
    virtual void SetWaitCursor(bool waiting) = 0;
    // The card parameters dialog (TFormParametryKarty): a new card (DodajKarte) when card is
    // empty, else changes to it (ZmienKarte). Its Read asks the window's command runner for
    // the card at the module's reader; the dialog never touches the cable. A result whose
    // numer is "-1" means no card.
    virtual TKarta AskCard(const std::optional<TKarta>& card) = 0;
    // The range dialog (TFormZakres::PodajZakres), both boxes starting at start: from and to,
    // both -1 when cancelled.
    virtual std::pair<int, int> AskRange(int start) = 0;
    // The notice "Close in the card..." over the window while Find waits for a card, painted at
    // once; false takes it away.
    virtual void ShowCardNotice(bool show) = 0;
};

} // namespace korv
