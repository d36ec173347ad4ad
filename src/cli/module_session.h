// korv-cli module: the diagnostics (identify, count, page, card) and the commands that run the
// window's module bodies (info, password, reset).
#pragma once

#include "cli/cli_command.h"

namespace korv::cli {

inline constexpr const char* kModuleUsage =
    "usage: korv-cli module identify | count | page N | card   (N: 0..511)\n"
    "       korv-cli module info [--password NNNN]\n"
    "       korv-cli module password NEW [--password OLD]   (NEW: four digits)\n"
    "       korv-cli module reset --yes [--password NNNN]\n";

// info, password and reset.
int RunModuleSession(const Args& args, std::ostream& out, std::ostream& err);

} // namespace korv::cli
