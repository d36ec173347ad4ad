// korv-cli module: the diagnostics (identify, count, page, card) and the commands that run the
// window's module bodies (info, password, reset, read, write, verify).
#pragma once

#include "cli/cli_command.h"
#include "commands/module_context.h"
#include "link/ftdi.h"
#include "link/zada_settings.h"

#include <optional>
#include <string>

namespace korv::cli {

inline constexpr const char* kModuleUsage =
    "usage: korv-cli module identify | count | page N | card   (N: 0..511)\n"
    "       korv-cli module info [--password NNNN]\n"
    "       korv-cli module password NEW [--password OLD]   (NEW: four digits)\n"
    "       korv-cli module reset --yes [--password NNNN]\n"
    "       korv-cli module read OUT [--password NNNN]\n"
    "       korv-cli module write IN [--password NNNN] [--zone N] [--yes] [--backup FILE]\n"
    "                [--zada-time 0..25] [--zada-type 0..2] [--zada-sounds on|off]\n"
    "                (ZADA settings not given are kept from the module's page 1)\n"
    "       korv-cli module verify IN [--password NNNN] [--zone N]\n";

inline constexpr int kExitRefused = 1; // the module refused, failed, or differs
inline constexpr int kExitNoCable = 3;
inline constexpr int kExitNotForModule = 4; // the register cannot go into a module
// write --backup: the module could not be read whole into FILE, or FILE not saved; nothing
// was written. 5 stays the card file's own errors, 1 a module that failed the write itself.
inline constexpr int kExitBackupFailed = 7;

struct ModuleOptions {
    std::string password = "5172";
    std::string newPassword; // password
    bool yes = false;        // reset; write of an empty file (its memory reset)
    std::string path;        // read OUT, write IN, verify IN
    int zone = 1;            // a one-zone card file's zone
    // write: the ZADA settings given; those not given are kept from the module.
    std::optional<int> zadaTime, zadaType;
    std::optional<bool> zadaSoundsOn;
    std::string backupPath; // write --backup FILE: the module's cards into FILE first
};

// info, password, reset, read, write and verify, over the cable the driver finds.
int RunModuleSession(const Args& args, std::ostream& out, std::ostream& err);
// The same over a given port (tests run it on a virtual clock).
int RunModuleSession(const Args& args, link::TBEXFTDI& port, std::ostream& out, std::ostream& err);

// read, write, verify: before the cable, loads the file and refuses what a module cannot take
// (kExitDone or the exit code); then, with the module found and the password accepted, runs
// the window's command and says how it went.
int PrepareTransfer(const std::string& command, const ModuleOptions& o, AppState& state,
                    std::ostream& err);
int RunTransfer(const std::string& command, const ModuleOptions& o, ModuleContext& ctx,
                std::ostream& out, std::ostream& err);

} // namespace korv::cli
