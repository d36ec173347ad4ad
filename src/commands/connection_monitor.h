// The connection monitor: once a second it opens the cable, asks who is there, shows it, checks
// the installer password of a current module, and closes the cable again.
#pragma once

#include "commands/module_context.h"

#include <string>

namespace korv {

// The wait before the RTS line is toggled for a cable whose module said nothing.
inline constexpr std::uint32_t kRtsToggleWaitMs = 100;

// One tick (TimerCheck). Does nothing while a command or another tick holds the cable. Shows
// no dialog except the password panel, which it opens on every tick while a current module
// refuses the password.
void TimerCheckTimer(ModuleContext& ctx);

// LabelPolacz's text: "Connected with module " and the name, or "Module not connected".
std::string ConnectionLabelText(const AppState& state);

} // namespace korv
