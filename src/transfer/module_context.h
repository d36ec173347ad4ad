// What every module command and the monitor tick work over: the window's state, the person in
// front of it, and the one cable port.
#pragma once

#include "link/ftdi.h"
#include "transfer/app_state.h"
#include "transfer/ui.h"

namespace korv {

struct ModuleContext {
    AppState& state;
    Ui& ui;
    link::TBEXFTDI& port;
};

} // namespace korv
