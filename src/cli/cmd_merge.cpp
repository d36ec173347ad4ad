// korv-cli merge BASE ADD OUT [--zone N]: BASE as Open loads it, ADD appended as Add file
// does (all or nothing; numbers to dial are never merged), the result written to OUT.
#include "cli/cmd_files.h"

#include "files/card_file_v2.h"
#include "files/card_merge.h"
#include "i18n/catalogue.h"
#include "transfer/file_commands.h"

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
    const CardFileKind kind = RecogniseCardFile(add->size, add->bytes);
    if (kind == CardFileKind::NotCardFile) {
        err << addPath << ": " << EnglishText(176) << "!\n";
        return kExitWrongFile;
    }
    MergeResult r;
    if (kind == CardFileKind::Version9) {
        r = MergeCardFile(add->bytes, *tablica);
    } else {
        r = MergeOldCardFile(add->bytes, *tablica, a->zone);
        if (r.wrongFile) {
            err << addPath << ": " << EnglishText(176) << "_v2!\n";
            return kExitWrongFile;
        }
    }
    if (r.conflict) {
        if (kind == CardFileKind::Version9)
            err << EnglishText(217) << '\n'
                << TerminalLines(ConflictMessageText(*r.conflict, English)) << '\n';
        else
            err << EnglishText(192) << ": " << EnglishText(193) << '\n';
    }
    if (r.overCapacity)
        err << EnglishText(192) << ": " << EnglishText(195) << '\n';
    if (r.Failed())
        return kExitMergeRefused;
    return WriteForCommand(*tablica, a->paths[2], err);
}

} // namespace korv::cli
