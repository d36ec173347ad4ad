// The frame every module command runs in, and the page loop of read, write and verify.
#pragma once

#include "transfer/module_context.h"

#include <functional>
#include <vector>

namespace korv {

enum class SessionCommand { Read, Write, Verify, Reset, Password };

// Busy mode, the cable opened, the module asked who it is: the body runs only when the answer
// is the kind the monitor found. A wrong answer shows message 168 (nothing for the password
// write); a cable that does not open ends it silently. The cable is closed and busy mode left
// on every way out. Nothing at all happens while another command or a monitor tick holds the
// cable (a click that arrives while a tick lets events run). True when the body ran.
bool TransferSession(ModuleContext& ctx, SessionCommand command, const std::function<void()>& body);

// Pages 0..lastPage, one progress step and one round of window events after each page, whether
// it succeeded or not; the progress label shows message progressMessage and the percentage from
// 0. Returns the pages whose exchange failed. With lastPage -1 no page runs (the display still
// shows and ends when showWhenEmpty).
std::vector<int> RunPageLoop(ModuleContext& ctx, int lastPage, int progressMessage,
                             const std::function<bool(int)>& page, bool showWhenEmpty = false);

} // namespace korv
