// What a write does about the module's cards before it replaces them: nothing, offer a backup
// to the person, or back up into a file the caller names (korv-cli --backup).
#pragma once

#include "commands/module_backup.h"
#include "commands/module_context.h"

#include <string>
#include <utility>

namespace korv {

struct WriteBackup {
    enum class Mode {
        None,  // the write as it always was
        Offer, // a module that holds cards: Yes backs up into the user's data folder first
        ToFile // always backs up into path first, also an empty module
    };
    Mode mode = Mode::None;
    std::string path; // ToFile

    static WriteBackup Offered() { return {Mode::Offer, {}}; }
    static WriteBackup ToFile(std::string file) { return {Mode::ToFile, std::move(file)}; }
};

struct BackupStep {
    bool asked = false;         // the person was asked (Offer, a module holding cards)
    bool declined = false;      // ... and answered No: the write goes on without a backup
    bool cancelled = false;     // ... and answered Cancel: nothing is written
    bool ran = false;           // a backup was attempted
    bool sessionFailed = false; // the module could not be reached, or was not the one found
    BackupOutcome backup;
    // The write may go on.
    bool WriteMayFollow() const { return !cancelled && !sessionFailed && (!ran || backup.taken); }
    // Steps of the backup's pages, for the write's progress after them.
    int progressSteps = 0;
};

// Before the write's own session, in one of its own: Offer asks the module's card count and,
// when it holds cards, asks the person; ToFile needs no question. A backup that is cancelled,
// misses a page, finds records without a card or cannot be saved stops the write, and the
// person is told why. writePages: the pages the write will send, so that the backup shows as
// the first part of one progress bar.
BackupStep BackUpBeforeWrite(ModuleContext& ctx, const WriteBackup& plan, int writePages);

} // namespace korv
