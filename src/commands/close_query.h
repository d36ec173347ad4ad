// What happens when the main window is about to close: unsent changes may go to the module.
#pragma once

#include "commands/edit_context.h"
#include "commands/module_context.h"

namespace korv {

enum class CloseAnswer {
    Close,      // nothing unsent, or the person gave it up
    Stay,       // the person cancelled
    WriteFirst, // write the register to the module, then close
};

// With a module answering and changes not yet written, asks (message 130): Yes writes them
// first, No gives them up, Cancel keeps the window. Work that would then be lost (neither in
// a file nor in a module) is offered to a file first (AskBeforeDiscarding).
CloseAnswer AskBeforeClosing(const EditContext& ctx);
// After the write that closing asked for: message 178 when the module refused the password,
// since the changes then never reached it.
void AfterWriteOnClosing(const AppState& state, Ui& ui);

} // namespace korv
