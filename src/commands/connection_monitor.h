// The connection monitor: once a second it opens the cable, asks who is there, shows it, checks
// the installer password of a current module, and closes the cable again.
#pragma once

#include "commands/module_context.h"

#include <string>

namespace korv {

// The wait before the RTS line is toggled for a cable whose module said nothing.
inline constexpr std::uint32_t kRtsToggleWaitMs = 100;

// One tick (TimerCheck), run by the command runner like any command. Shows no dialog except
// the password panel, which it opens on every tick while a current module refuses the
// password, until the person cancels it; then the status line says the password was refused
// and the panel waits for AskForThePasswordAgain or another module.
void CheckConnection(ModuleContext& ctx);

// Find reads a card at the module and looks it up: it needs a module that answers and a card in
// the register.
bool FindButtonUsable(const AppState& state);

// A current module refused the password and the person cancelled the panel.
bool PasswordRefusedAndDeclined(const AppState& state);
// The person asked for the password panel (from the password box): the next tick opens it.
void AskForThePasswordAgain(AppState& state);

// LabelPolacz's text: "Connected with module " and the name, or "Module not connected".
std::string ConnectionLabelText(const AppState& state);

} // namespace korv
