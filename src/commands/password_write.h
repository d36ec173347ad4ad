// The installer password written into the module's page 0, with the answer to "what does the
// module hold now" even when its confirmation was lost.
#pragma once

#include "commands/module_context.h"

#include <string_view>

namespace korv {

enum class PasswordWriteResult {
    NotRun,   // no module of the monitor's kind answered
    Saved,    // the module holds the new password
    NotSaved, // the module still holds the password it had
    Unknown   // unconfirmed, and page 0 could not be read back
};

// Inside a transfer session: page 0 read, its bytes 0..61 kept and the new password's two
// packed-BCD bytes put after them, the page written like any page. When no try was confirmed,
// page 0 is read back: a module that took the write without saying so holds the new password.
PasswordWriteResult WritePassword(ModuleContext& ctx, std::string_view password);

} // namespace korv
