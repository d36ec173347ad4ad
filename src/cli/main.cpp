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
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace {

#ifdef _WIN32
// The arguments as UTF-8, like every text inside the program: argv spells them in the system's
// code page, which cannot spell every file name.
std::vector<std::string> Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), n, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    // What is printed is UTF-8 too; a console shows it as such.
    SetConsoleOutputCP(CP_UTF8);
    return args;
}
#else
std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}
#endif

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
        {"csv",
         {korv::cli::RunCsv, "csv export IN OUT.csv [--zone N] | csv import IN.csv OUT   the "
                             "register as a spreadsheet"}},
        {"module",
         {korv::cli::RunModule,
          "module identify|count|page N|card|info|password NEW|reset|read OUT|write IN|verify IN"
          "   the module on the cable"}},
    };
    return commands;
}

int Usage() {
    std::cerr << "usage: korv-cli COMMAND [ARGS]   (korv-cli --version: the program's version)\n";
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
    const std::vector<std::string> all = Arguments(argc, argv);
    if (all.size() < 2)
        return Usage();
    if (all.size() == 2 && all[1] == "--version") {
        std::cout << "korv-cli " KORV_VERSION "\n";
        return OutputDelivered() ? korv::cli::kExitDone : korv::cli::kExitFileError;
    }
    const auto it = Commands().find(all[1]);
    if (it == Commands().end())
        return Usage();
    korv::cli::Args args(all.begin() + 2, all.end());
    const int rc = it->second.run(args, std::cout, std::cerr);
    if (!OutputDelivered())
        return korv::cli::kExitFileError;
    return rc;
}
