// korv-cli csv export IN OUT.csv [--zone N]: any card file as Open loads it, written as the
// spreadsheet the window's Export writes (English header).
// korv-cli csv import IN.csv OUT: the spreadsheet into an empty register, written as Save
// does. Every line that cannot be taken is named on stderr and nothing is written.
#include "cli/cmd_files.h"
#include "cli/text_escape.h"

#include "commands/spreadsheet_texts.h"
#include "files/card_spreadsheet.h"
#include "i18n/catalogue.h"

#include <memory>
#include <ostream>

namespace korv::cli {

namespace {

constexpr const char* kUsage =
    "usage: korv-cli csv export IN OUT.csv [--zone N]   (N: zone 1..4 for an older one-zone "
    "IN file, default 1)\n"
    "       korv-cli csv import IN.csv OUT\n";

void NameRefusal(const std::string& path, const SpreadsheetRefusal& r, std::ostream& err) {
    err << EscapeText(path) << ": " << EscapeText(SpreadsheetRefusalText(r, English)) << '\n';
}

int Export(const Args& args, std::ostream& err) {
    const auto a = ParseFileArgs(args, 2);
    if (!a) {
        err << kUsage;
        return kExitUsage;
    }
    auto tablica = std::make_unique<TTablica>();
    std::size_t leftOut = 0;
    if (const int rc = LoadForCommand(a->paths[0], a->zone, *tablica, err, &leftOut);
        rc != kExitDone)
        return rc;
    const std::string& out = a->paths[1];
    const FileWriteResult w = WriteCardSpreadsheet(*tablica, out, SpreadsheetHeader::English);
    if (!w.ok) {
        err << "Cannot create file \"" << EscapeText(out) << "\". " << EscapeText(w.error) << '\n';
        return kExitFileError;
    }
    return leftOut ? kExitLinesLeftOut : kExitDone;
}

int Import(const Args& args, std::ostream& err) {
    const auto a = ParseFileArgs(args, 2);
    bool zoneGiven = false;
    for (const std::string& s : args)
        zoneGiven = zoneGiven || s.rfind("--zone", 0) == 0;
    if (!a || zoneGiven) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& in = a->paths[0];
    const auto f = ReadForCommand(in, err);
    if (!f)
        return kExitFileError;
    if (!CardFileSizeAccepted(f->size) && f->size > 0) {
        err << EscapeText(in) << ": larger than 1,000,000 bytes, not a spreadsheet of cards\n";
        return kExitWrongFile;
    }
    const CardSpreadsheet sheet = ReadCardSpreadsheet(f->bytes);
    for (const SpreadsheetRefusal& r : sheet.refused)
        NameRefusal(in, r, err);
    if (!sheet.refused.empty())
        return kExitMergeRefused;
    auto tablica = std::make_unique<TTablica>();
    // An empty register refuses only a sheet of more cards than a module holds.
    if (const auto refused = MergeCardSpreadsheet(sheet, *tablica)) {
        NameRefusal(in, *refused, err);
        return kExitMergeRefused;
    }
    return WriteForCommand(*tablica, a->paths[1], err);
}

} // namespace

int RunCsv(const Args& args, std::ostream&, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const Args rest(args.begin() + 1, args.end());
    if (args[0] == "export")
        return Export(rest, err);
    if (args[0] == "import")
        return Import(rest, err);
    err << kUsage;
    return kExitUsage;
}

} // namespace korv::cli
