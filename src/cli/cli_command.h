// One korv-cli subcommand: takes its own arguments (without the program and command
// names), writes to the given streams, returns the process exit code.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korv::cli {

using Args = std::vector<std::string>;

inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 2;

int RunMessages(const Args& args, std::ostream& out, std::ostream& err);
int RunConvert(const Args& args, std::ostream& out, std::ostream& err);
int RunMerge(const Args& args, std::ostream& out, std::ostream& err);
int RunList(const Args& args, std::ostream& out, std::ostream& err);
int RunCheck(const Args& args, std::ostream& out, std::ostream& err);
int RunModule(const Args& args, std::ostream& out, std::ostream& err);
// csv export IN OUT.csv [--zone N] | csv import IN.csv OUT: the register as a spreadsheet.
int RunCsv(const Args& args, std::ostream& out, std::ostream& err);

} // namespace korv::cli
