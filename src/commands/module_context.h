// What every module command and the monitor tick work over: the window's state, the person in
// front of it, and the one cable port.
#pragma once

#include "link/ftdi.h"
#include "commands/app_state.h"
#include "commands/ui_seam.h"

namespace korv {

struct ModuleContext {
    AppState& state;
    Ui& ui;
    link::TBEXFTDI& port;
};

} // namespace korv
