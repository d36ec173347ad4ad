// The module's cards kept in a card file before a write replaces them: read with the read's
// page loop into a register aside (never the person's), saved as a version 9 card file.
#pragma once

#include "commands/module_context.h"
#include "commands/read_module.h"
#include "commands/transfer_session.h"
#include "link/module_model.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace korv {

struct BackupOutcome {
    int moduleCount = -1; // the count the module reported, -1 when it did not
    bool countTooLarge = false;
    PageLoopResult pages; // the read's failed pages, where it stopped, a cancel
    std::vector<RecordPlace> recordsWithoutCard;
    bool noFolder = false; // Offer's folder could not be named or made
    std::string saveError; // the system's reason when the file could not be saved
    std::string path;      // the file
    int cards = 0;         // the cards it holds
    bool taken = false;    // the file holds every card the module reported
};

// "ZEL-full-2026-12-10_081530.zel": the module's kind, its local date and time; nothing any
// file system refuses.
std::string BackupFileName(const link::ModuleModel& model, const std::tm& local);
// folder/name, or with "-2", "-3", ... before the extension when a file has that name: two
// backups in one second both stay. Only one program holds the cable, so no other backup can
// take the name between this look and the save.
std::string FreeBackupPath(const std::string& folder, const std::string& name);
// The user's data folder's "backups"; none when the environment names no home.
std::optional<std::string> BackupFolder();
// Roughly how long the backup of count cards takes on the cable, in whole seconds.
int BackupSeconds(int count, const link::ModuleModel& model);

// Inside a transfer session, the count already asked (-1 when it did not come): the cards of
// the module into path. The person's register, NeedSave, partialRead and the ZADA settings of
// the state are left as they were. Shows nothing.
BackupOutcome BackUpModule(ModuleContext& ctx, int count, const std::string& path,
                           const ProgressPart& part);

// Why a backup was not taken, for BackupNotTaken's %1.
std::string BackupFailureReason(const BackupOutcome& backup, int language);

} // namespace korv
