#include "files/register_checks.h"

#include "core/digits.h"
#include "core/module_card_number.h"

#include "files/byte_line.h"
#include "files/card_file_v2.h"
#include "files/card_ini.h"
#include "files/card_line.h"
#include "files/code_page_1250.h"
#include "files/integer_text.h"

#include <unordered_map>
#include <utility>

namespace korv {

namespace {

// A one-zone line holds up to five card numbers and a sixth field the reader ignores.
constexpr int kOldLineFields = 6;
// Line 1 of a one-zone file is its format name; apartment 0 is on line 2.
constexpr int kOldFirstApartmentLine = 2;
} // namespace

CardNumberFault CheckCardNumber(std::string_view numer) {
    if (!AllDigits(numer))
        return CardNumberFault::NotPlainDigits;
    // The one rule of what a record holds, shared with the page assembly of a write.
    if (!ModuleCardNumber(numer))
        return CardNumberFault::TooLarge;
    return numer.size() > 1 && numer[0] == '0' ? CardNumberFault::LeadingZeros
                                               : CardNumberFault::None;
}

std::vector<CardCheck> CheckCards(const TTablica& tablica) {
    std::vector<CardCheck> found;
    std::unordered_map<std::string, CardPosition> first;
    tablica.ForEachCard([&](int zone, int apartment, int, const TKarta& k) {
        CardCheck c{k.numer, CardPosition{zone, apartment}, std::nullopt, CheckCardNumber(k.numer)};
        // The same card for the register and the module: "0123" duplicates "123".
        const auto [it, isNew] = first.try_emplace(std::string(CardNumberKey(k.numer)), c.where);
        if (!isNew)
            c.duplicateOf = it->second;
        if (c.duplicateOf || c.fault != CardNumberFault::None)
            found.push_back(std::move(c));
    });
    return found;
}

std::vector<LineCheck> CheckVersion9Lines(std::string_view bytes) {
    std::vector<LineCheck> found;
    const CardIni ini = CardIni::Parse(DecodeWindows1250(bytes));
    for (int zone = 1; zone <= ZoneCount; ++zone)
        for (const CardIniEntry* e : ini.Entries("STREFA" + std::to_string(zone))) {
            const auto apartment = ParseInteger(e->key);
            if (!apartment || !ValidApartment(*apartment) || e->value.empty() ||
                !ParseInteger(e->value))
                found.push_back({e->line, LineFault::DialNumberIgnored, {}});
        }
    for (const CardIniEntry* e : ini.Entries("KARTY")) {
        const auto c = ParseCardLine(e->key);
        if (!c) {
            found.push_back({e->line, LineFault::CardLineIgnored, {}});
            continue;
        }
        if (e->hasEquals && !e->value.empty())
            found.push_back({e->line, LineFault::DescriptionHoldsEquals, c->karta.numer});
        if (e->keyHadTrailingBlanks)
            found.push_back({e->line, LineFault::DescriptionEndsInBlanks, c->karta.numer});
    }
    return found;
}

std::vector<LineCheck> CheckVersion2Lines(std::string_view bytes) {
    std::vector<LineCheck> found;
    size_t pos = 0;
    ReadByteLine(bytes, pos);
    for (int apartment = 0; apartment < ApartmentCount; ++apartment) {
        const std::string text = ReadByteLine(bytes, pos);
        const int line = apartment + kOldFirstApartmentLine;
        std::string_view rest = text;
        int fields = 0;
        for (;;) {
            const size_t semi = rest.find(';');
            const std::string_view field = rest.substr(0, semi);
            ++fields;
            // Empty fields and 0 mean "no card" in this format and are fine.
            const auto v = ParseInteger(field);
            if (!field.empty() && (!v || *v < 0) && fields <= kOldLineFields)
                found.push_back({line, LineFault::NotACardNumber, DecodeWindows1250(field)});
            if (semi == std::string_view::npos)
                break;
            rest.remove_prefix(semi + 1);
        }
        if (fields > kOldLineFields)
            found.push_back({line, LineFault::MoreThanSixFields, {}});
    }
    // The reader itself says which later lines hold cards it never takes.
    for (LineCheck& c : ReadOldCardLines(bytes, 1).leftOut)
        found.push_back(std::move(c));
    return found;
}

} // namespace korv
