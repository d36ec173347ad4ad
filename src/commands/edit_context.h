// What a command that runs on the window's own thread works over: the File menu, card editing
// and the spreadsheet exchange. Beside the state and the person it has the window's view, since
// it changes what the window shows at once; a module command runs as a job over a
// ModuleContext instead, and draws nothing.
#pragma once

#include "commands/app_state.h"
#include "commands/register_view.h"
#include "commands/ui_seam.h"

namespace korv {

struct EditContext {
    AppState& state;
    Ui& ui;
    RegisterView& view;
};

} // namespace korv
