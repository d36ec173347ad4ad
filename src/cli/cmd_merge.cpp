// korv-cli merge BASE ADD OUT [--zone N]: BASE as Open loads it, ADD appended as Add file
// does (all or nothing; numbers to dial are never merged), the result written to OUT.
#include "cli/cmd_files.h"

#include "i18n/catalogue.h"
#include "transfer/card_file_append.h"

#include <memory>
#include <ostream>

namespace korv::cli {

namespace {
std::string TerminalLines(std::string text) {
    for (size_t p; (p = text.find("\r\n")) != std::string::npos;)
        text.erase(p, 1);
    return text;
}
} // namespace

int RunMerge(const Args& args, std::ostream&, std::ostream& err) {
    const auto a = ParseFileArgs(args, 3);
    if (!a) {
        err << "usage: korv-cli merge BASE ADD OUT [--zone N]   (N: zone 1..4 for an older "
               "one-zone ADD file, default 1)\n";
        return kExitUsage;
    }
    const std::string& addPath = a->paths[1];
    auto tablica = std::make_unique<TTablica>();
    if (const int rc = LoadForCommand(a->paths[0], 1, *tablica, err); rc != kExitDone)
        return rc;

    const auto add = ReadForCommand(addPath, err);
    if (!add)
        return kExitFileError;
    const AppendOutcome r = AppendCardFile(*add, *tablica, English, [&] { return a->zone; });
    for (const AppendNotice& n : r.notices) {
        if (!n.box)
            err << addPath << ": " << n.text << '\n';
        else if (n.text.find("\r\n") != std::string::npos)
            err << n.caption << '\n' << TerminalLines(n.text) << '\n';
        else
            err << n.caption << ": " << n.text << '\n';
    }
    if (!r.cardFile)
        return kExitWrongFile;
    if (r.refused)
        return kExitMergeRefused;
    return WriteForCommand(*tablica, a->paths[2], err);
}

} // namespace korv::cli
