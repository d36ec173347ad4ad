// korv-cli check FILE: what an installer must fix before the cards go to a module, one
// problem a line. Exit 0 when there is nothing to fix.
#include "cli/cmd_files.h"

#include "files/byte_line.h"
#include "files/card_ini.h"
#include "files/card_line.h"
#include "files/code_page_1250.h"
#include "files/integer_text.h"

#include <memory>
#include <ostream>
#include <unordered_map>

namespace korv::cli {

namespace {

// A module stores a card number in 28 bits.
constexpr long long kModuleNumberLimit = 268435456;

std::string Where(int zone, int apartment) {
    return "zone " + std::to_string(zone) + " apartment " + std::to_string(apartment);
}

bool AllDigits(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

bool FitsModule(const std::string& digits) {
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return true;
    const std::string significant = digits.substr(first);
    return significant.size() <= 9 && std::stoll(significant) < kModuleNumberLimit;
}

// Lines the reader drops or shortens; only the file's own text shows them.
void CheckLines(std::string_view bytes, std::vector<std::string>& problems) {
    const CardIni ini = CardIni::Parse(DecodeWindows1250(bytes));
    for (int zone = 1; zone <= ZoneCount; ++zone)
        for (const CardIniEntry* e : ini.Entries("STREFA" + std::to_string(zone))) {
            const auto apartment = ParseInteger(e->key);
            if (!apartment || !ValidApartment(*apartment) || e->value.empty() ||
                !ParseInteger(e->value))
                problems.push_back("line " + std::to_string(e->line) +
                                   ": number to dial ignored (needs an apartment 0..255 and a "
                                   "number)");
        }
    for (const CardIniEntry* e : ini.Entries("KARTY")) {
        const std::string line = "line " + std::to_string(e->line) + ": ";
        const auto c = ParseCardLine(e->key);
        if (!c) {
            problems.push_back(line + "card line ignored (needs zone 1..4 and apartment 0..255)");
            continue;
        }
        if (e->hasEquals && !e->value.empty())
            problems.push_back(line + "description of card \"" + c->karta.numer +
                               "\" holds \"=\"; the text after it is lost");
        if (e->keyHadTrailingBlanks)
            problems.push_back(line + "description of card \"" + c->karta.numer +
                               "\" ends in blanks; they are lost");
    }
}

// Fields of a one-zone file that the reader passes over without a word. Empty fields and 0
// mean "no card" in that format and are fine.
void CheckOldLines(std::string_view bytes, std::vector<std::string>& problems) {
    size_t pos = 0;
    ReadByteLine(bytes, pos);
    for (int apartment = 0; apartment < ApartmentCount; ++apartment) {
        const std::string text = ReadByteLine(bytes, pos);
        const std::string line = "line " + std::to_string(apartment + 2) + ": ";
        std::string_view rest = text;
        int fields = 0;
        for (;;) {
            const size_t semi = rest.find(';');
            const std::string_view field = rest.substr(0, semi);
            ++fields;
            const auto v = ParseInteger(field);
            if (!field.empty() && (!v || *v < 0) && fields <= 6)
                problems.push_back(line + "\"" + DecodeWindows1250(field) +
                                   "\" is not a card number and is ignored");
            if (semi == std::string_view::npos)
                break;
            rest.remove_prefix(semi + 1);
        }
        if (fields > 6)
            problems.push_back(line + "more than six numbers; only the first five are read");
    }
}

void CheckNumbers(const TTablica& t, std::vector<std::string>& problems) {
    std::unordered_map<std::string, CardPosition> first;
    t.ForEachCard([&](int zone, int apartment, int, const TKarta& k) {
        const std::string card = "card \"" + k.numer + "\" (" + Where(zone, apartment) + ")";
        const auto [it, isNew] = first.try_emplace(k.numer, CardPosition{zone, apartment});
        if (!isNew)
            problems.push_back("duplicate number \"" + k.numer +
                               "\": " + Where(it->second.zone, it->second.apartment) + " and " +
                               Where(zone, apartment));
        if (!AllDigits(k.numer))
            problems.push_back(card + ": a module holds only plain decimal digits");
        else if (!FitsModule(k.numer))
            problems.push_back(card + ": a module holds numbers below 268435456 only");
        else if (k.numer.size() > 1 && k.numer[0] == '0')
            problems.push_back(card + ": leading zeros; a module gives it back without them");
    });
    if (t.CardCount() > MaxCards)
        problems.push_back(std::to_string(t.CardCount()) + " cards: a module holds at most " +
                           std::to_string(MaxCards));
}

} // namespace

int RunCheck(const Args& args, std::ostream& out, std::ostream& err) {
    const auto a = ParseFileArgs(args, 1);
    if (!a) {
        err << "usage: korv-cli check FILE [--zone N]\n";
        return kExitUsage;
    }
    auto tablica = std::make_unique<TTablica>();
    CardFileKind kind = CardFileKind::NotCardFile;
    if (const int rc = LoadForCommand(a->paths[0], a->zone, *tablica, err, &kind); rc != kExitDone)
        return rc;

    std::vector<std::string> problems;
    if (kind == CardFileKind::Version9) {
        out << "format: RUF-KARTYv9\n";
        if (const auto f = ReadForCommand(a->paths[0], err))
            CheckLines(f->bytes, problems);
        else
            return kExitFileError;
    } else {
        out << "format: RUF-KARTYv2 (one zone, read into zone " << a->zone << ")\n";
        if (const auto f = ReadForCommand(a->paths[0], err))
            CheckOldLines(f->bytes, problems);
        else
            return kExitFileError;
    }
    out << "cards: " << tablica->CardCount() << '\n';
    CheckNumbers(*tablica, problems);
    for (const auto& p : problems)
        out << p << '\n';
    return problems.empty() ? kExitDone : kExitProblemsFound;
}

} // namespace korv::cli
