// Write: the register into the module (Panel2b / Label2b "Save", and the close query).
#pragma once

#include "commands/backup_before_write.h"
#include "commands/memory_reset.h"
#include "commands/module_context.h"
#include "link/memory_image.h"

#include <string>
#include <vector>

namespace korv {

struct WriteOutcome {
    bool refused = false;    // the register cannot go into a module; nothing was sent
    bool resetAsked = false; // the register was empty: the memory reset was offered
    ResetResult reset = ResetResult::NotRun; // ... and what the reset did
    bool ran = false;                        // the module answered as the kind the monitor found
    std::vector<int> failedPages;
    int stoppedAt = -1; // the page where the module stopped answering, or -1
    BackupStep backup;  // what was done about the module's cards first
    // The module now holds the register.
    bool Complete() const {
        return !refused && backup.WriteMayFollow() && ran && failedPages.empty() && stoppedAt < 0 &&
               (!resetAsked || reset == ResetResult::Done);
    }
};

// What the write says when it refuses a register (WhyModuleCannotTake), in the given language.
std::string ModuleRefusalText(const ModuleRefusal& refusal, int language);

// WriteModule. Every card in register order, the count and Edit_haslo on page 0, a ZADA
// module's extra settings on page 1. A register the module cannot take (more than 6144 cards,
// a number above 28 bits) is refused before anything is sent. An empty register offers the
// memory reset first. NeedSave is cleared only when the module got everything. Before all that
// the module's cards are backed up as backup says (BackUpBeforeWrite); a backup that was
// wanted and not taken, or a Cancel at its question, writes nothing. A backup taken offered is
// named at the end, whatever the write did.
WriteOutcome WriteModule(ModuleContext& ctx, const WriteBackup& backup = {});

} // namespace korv
