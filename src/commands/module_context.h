// What every module command and the monitor tick work over: the state (the job's own copy when
// the command runner runs it), the person in front of it, the one cable port, and whether the
// person asked the command to stop.
#pragma once

#include "link/ftdi.h"

#include "commands/app_state.h"
#include "commands/ui_seam.h"
#include <atomic>

namespace korv {

struct ModuleContext {
    AppState& state;
    Ui& ui;
    link::TBEXFTDI& port;
    // Read and verify stop between pages once it is set; nothing when no one can cancel.
    const std::atomic<bool>* cancel = nullptr;

    bool CancelAsked() const { return cancel && cancel->load(); }
};

} // namespace korv
