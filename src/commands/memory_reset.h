// The memory reset that keeps the installer password, made safe against one lost, late or
// refused reply: the module must never be left erased with FF FF where its password was, since
// it would then refuse every password and lock the installer out.
#pragma once

#include "commands/module_context.h"

namespace korv {

enum class ResetResult {
    NotRun,          // not asked for, or no module of the monitor's kind answered
    Done,            // erased, page 0 holds the kept password (and a ZADA page 1 its defaults)
    NotDone,         // the module's memory is as it was
    PasswordNotKept, // erased, but page 0 could not be written: no valid password now
    SettingsNotKept, // erased with its password, but a ZADA module's page 1 not written
    Unknown          // the reset went unconfirmed and the module could not be read afterwards
};

// Inside a transfer session: page 0 read and remembered, the reset request, then page 0 written
// around the kept password and, on a ZADA module, page 1 with the factory settings. Every page
// exchange is tried like any page. A reset the module did not confirm is followed by a look at
// page 0: unchanged means it was not reset, changed means it was and the pages are written.
ResetResult ResetKeepingPassword(ModuleContext& ctx);

} // namespace korv
