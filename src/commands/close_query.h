// What happens when the main window is about to close: unsent changes may go to the module.
#pragma once

#include "commands/module_context.h"

namespace korv {

// FormCloseQuery: true when the window may close. With a module answering and changes not yet
// written, asks (message 130): Yes writes them first (and says 178 when the module refused
// the password), No gives them up, Cancel keeps the window. Never while a command or a tick
// holds the cable: closing then would pull the window from under it.
bool FormCloseQuery(ModuleContext& ctx);

} // namespace korv
