// korv-cli merge BASE ADD OUT [--zone N]: BASE as Open loads it, ADD appended as Add file
// does (all or nothing; numbers to dial are never merged), the result written to OUT. Card
// lines of either file that the readers cannot place are named on stderr, and the exit code
// says OUT lacks them.
#include "cli/cmd_files.h"
#include "cli/text_escape.h"

#include "commands/card_file_append.h"
#include "i18n/catalogue.h"

#include <memory>
#include <ostream>

namespace korv::cli {

namespace {
// Each line of a notice escaped on its own, so the conflict text keeps its four lines while
// the card number it quotes from the file cannot reach the terminal raw.
std::string TerminalLines(const std::string& text) {
    std::string out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", from);
        out += EscapeText(std::string_view(text).substr(from, end - from));
        if (end == std::string::npos)
            return out;
        out += '\n';
        from = end + 2;
    }
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
    std::size_t leftOut = 0;
    if (const int rc = LoadForCommand(a->paths[0], 1, *tablica, err, &leftOut); rc != kExitDone)
        return rc;

    const auto add = ReadForCommand(addPath, err);
    if (!add)
        return kExitFileError;
    const AppendOutcome r = AppendCardFile(*add, *tablica, English, [&] { return a->zone; });
    for (const AppendNotice& n : r.notices) {
        if (!n.box)
            err << EscapeText(addPath) << ": " << TerminalLines(n.text) << '\n';
        else if (n.text.find("\r\n") != std::string::npos)
            err << TerminalLines(n.caption) << '\n' << TerminalLines(n.text) << '\n';
        else
            err << TerminalLines(n.caption) << ": " << TerminalLines(n.text) << '\n';
    }
    if (!r.cardFile)
        return kExitWrongFile;
    if (r.refused)
        return kExitMergeRefused;
    NameLeftOutLines(addPath, r.leftOut, err);
    leftOut += r.leftOut.size();
    if (const int rc = WriteForCommand(*tablica, a->paths[2], err); rc != kExitDone)
        return rc;
    return leftOut ? kExitLinesLeftOut : kExitDone;
}

} // namespace korv::cli
