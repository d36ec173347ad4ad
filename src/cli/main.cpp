// korv-cli: the window's work without the window, for installers' scripts and service work.
#include "cli/cli_command.h"
#include "cli/cmd_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <unistd.h>

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
        {"module",
         {korv::cli::RunModule,
          "module identify|count|page N|card|info|password NEW|reset   the module on the cable"}},
    };
    return commands;
}

int Usage() {
    std::cerr << "usage: korv-cli COMMAND [ARGS]\n";
    for (const auto& [name, c] : Commands())
        std::cerr << "  " << c.summary << '\n';
    return korv::cli::kExitUsage;
}

// Whether everything the command printed reached its destination. std::cout writes through
// stdout's buffer, so a full disk or /dev/full shows only when that buffer is flushed and
// closed; a script must not take a cut list for a whole one.
bool OutputDelivered() {
    // A write that failed while the command ran left its reason in errno; keep that one.
    int error = std::cout.good() && !std::ferror(stdout) ? 0 : errno;
    errno = 0;
    std::cout.flush();
    bool ok = std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!ok && !error)
        error = errno;
    // Closing the descriptor, not the FILE: the library still flushes std::cout at exit, and
    // a file system may report a deferred write error only at close.
    errno = 0;
    if (::close(STDOUT_FILENO) != 0) {
        ok = false;
        if (!error)
            error = errno;
    }
    if (!ok)
        std::cerr << "korv-cli: writing the output failed"
                  << (error ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return ok;
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
    if (!OutputDelivered())
        return korv::cli::kExitFileError;
    return rc;
}
