// korv-cli check FILE: what an installer must fix before the cards go to a module, one
// problem a line. Exit 0 when there is nothing to fix. The rules live in the files library;
// this only words what they found.
#include "cli/cmd_files.h"
#include "cli/text_escape.h"

#include "files/register_checks.h"

#include <memory>
#include <ostream>

namespace korv::cli {

namespace {

std::string Where(const CardPosition& p) {
    return "zone " + std::to_string(p.zone) + " apartment " + std::to_string(p.apartment);
}

void PrintCard(const CardCheck& c, std::ostream& out) {
    if (c.duplicateOf)
        out << "duplicate number \"" << EscapeText(c.numer) << "\": " << Where(*c.duplicateOf)
            << " and " << Where(c.where) << '\n';
    const std::string card = "card \"" + EscapeText(c.numer) + "\" (" + Where(c.where) + "): ";
    switch (c.fault) {
    case CardNumberFault::None:
        break;
    case CardNumberFault::NotPlainDigits:
        out << card << "a module holds only plain decimal digits\n";
        break;
    case CardNumberFault::TooLarge:
        out << card << "a module holds numbers below " << kModuleNumberLimit << " only\n";
        break;
    case CardNumberFault::LeadingZeros:
        out << card << "leading zeros; a module gives it back without them\n";
        break;
    }
}

} // namespace

int RunCheck(const Args& args, std::ostream& out, std::ostream& err) {
    const auto a = ParseFileArgs(args, 1);
    if (!a) {
        err << "usage: korv-cli check FILE [--zone N]\n";
        return kExitUsage;
    }
    const auto file = ReadForCommand(a->paths[0], err);
    if (!file)
        return kExitFileError;
    auto tablica = std::make_unique<TTablica>();
    OpenResult loaded;
    if (const int rc = LoadBytesForCommand(a->paths[0], *file, a->zone, *tablica, err, &loaded);
        rc != kExitDone)
        return rc;

    // The load's left-out lines are among these, in their place in file order.
    std::vector<LineCheck> lines;
    if (loaded.kind == CardFileKind::Version9) {
        out << "format: RUF-KARTYv9\n";
        lines = CheckVersion9Lines(file->bytes);
    } else {
        out << "format: RUF-KARTYv2 (one zone, read into zone " << a->zone << ")\n";
        lines = CheckVersion2Lines(file->bytes);
    }
    out << "cards: " << tablica->CardCount() << '\n';
    for (const LineCheck& c : lines)
        out << DescribeLine(c) << '\n';
    const std::vector<CardCheck> cards = CheckCards(*tablica);
    for (const CardCheck& c : cards)
        PrintCard(c, out);
    const bool tooMany = ExceedsModule(*tablica);
    if (tooMany)
        out << tablica->CardCount() << " cards: a module holds at most " << MaxCards << '\n';
    return lines.empty() && cards.empty() && !tooMany ? kExitDone : kExitProblemsFound;
}

} // namespace korv::cli
