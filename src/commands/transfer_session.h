// The frame every module command runs in, and the page loop of read, write and verify.
#pragma once

#include "commands/module_context.h"

#include <functional>
#include <string>
#include <vector>

namespace korv {

enum class SessionCommand { Read, Write, Verify, Reset, Password };

// The cable opened, the module asked who it is: the body runs only when the answer is the kind
// the monitor found, and only when the module accepted the installer password (or, for the
// password write, holds none). One lost or garbled answer is asked again, like a page, so a
// glitch is not taken for another module. A wrong answer shows message 168 (nothing for the
// password write); a cable that does not open ends it silently. The cable is closed on every
// way out. The command runner sees to it that nothing else holds the cable meanwhile. True
// when the body ran.
bool TransferSession(ModuleContext& ctx, SessionCommand command, const std::function<void()>& body);

// The password gate of TransferSession, for a front end that says why before it starts. The
// module checks no password itself: the program does, here. A module whose memory is erased
// takes a password and nothing else.
bool PasswordLetsThrough(const AppState& state, SessionCommand command);

// Pages in a row that failed every try after which the module counts as gone.
inline constexpr int kPagesBeforeGivingUp = 3;

struct PageLoopResult {
    std::vector<int> failed; // pages whose exchange failed, in order
    int stoppedAt = -1;      // the first page of the run that made the loop give up, or -1
    bool cancelled = false;  // the person stopped the command before the next page
    bool Stopped() const { return stoppedAt >= 0; }
};

// Where a page loop's progress sits when it is one part of a command: the steps of the parts
// before it, the steps of all parts, and the label when it is not the command's message.
struct ProgressPart {
    int before = 0;
    int total = -1; // -1: the loop is the whole command
    std::string label;
};

// Pages 0..lastPage, one progress step after each page (the window, on its own thread, paints it),
// whether it succeeded or not; the progress label shows message progressMessage and the percentage
// from 0. A failed page is named with pageErrorText and its number once it is clear the module
// still answers (not at all with an empty pageErrorText: the caller says it once, at the end);
// after kPagesBeforeGivingUp failed pages in a row the loop stops without naming them, since a
// module that went quiet would otherwise cost minutes and a message for every page. With lastPage
// -1 no page runs (the display still shows and ends when showWhenEmpty). A cancel asked through the
// context stops the loop before the next page, unnamed failures and all.
PageLoopResult RunPageLoop(ModuleContext& ctx, int lastPage, int progressMessage,
                           const std::string& pageErrorText, const std::function<bool(int)>& page,
                           bool showWhenEmpty = false, const ProgressPart& part = {});

// "The module stopped answering at page N." in the current language, with more when given.
std::string StoppedAnsweringText(int page, const std::string& more = {});

} // namespace korv
