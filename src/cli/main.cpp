// korv-cli: the window's work without the window, for installers' scripts and service work.
#include "cli/cli_command.h"

#include <cstring>
#include <iostream>
#include <map>

namespace {

using Runner = int (*)(const korv::cli::Args&, std::ostream&, std::ostream&);

struct Command {
    Runner run;
    const char* summary;
};

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands = {
        {"messages", {korv::cli::RunMessages, "messages [--lang N]   print the message catalogue"}},
        {"convert", {korv::cli::RunConvert, "convert IN OUT [--zone N]   write as Save does"}},
        {"merge", {korv::cli::RunMerge, "merge BASE ADD OUT [--zone N]   append as Add file"}},
        {"list", {korv::cli::RunList, "list FILE [--zone N]   numbers to dial and cards"}},
        {"check", {korv::cli::RunCheck, "check FILE [--zone N]   what to fix before a write"}},
        {"module", {korv::cli::RunModule, "module identify|count|page N|card   cable diagnostics"}},
    };
    return commands;
}

int Usage() {
    std::cerr << "usage: korv-cli COMMAND [ARGS]\n";
    for (const auto& [name, c] : Commands())
        std::cerr << "  " << c.summary << '\n';
    return korv::cli::kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const auto it = Commands().find(argv[1]);
    if (it == Commands().end())
        return Usage();
    korv::cli::Args args(argv + 2, argv + argc);
    const int rc = it->second.run(args, std::cout, std::cerr);
    std::cout.flush();
    return rc;
}
