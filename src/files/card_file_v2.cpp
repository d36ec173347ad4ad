#include "files/card_file_v2.h"

#include "files/byte_line.h"
#include "files/integer_text.h"

#include <string>
#include <utility>

namespace korv {

namespace {

// The line parse: five fields each ending at a ";", then the rest of the line as the sixth.
// take gets the value of every field that is a card, in field order.
template <class Take> void ForEachOldCard(std::string_view rest, Take&& take) {
    const auto field = [&](std::string_view text) {
        if (const auto v = ParseInteger(text); v && *v > 0)
            take(*v);
    };
    for (int f = 0; f < 5; ++f) {
        const size_t semi = rest.find(';');
        if (semi == std::string_view::npos) {
            // No ";" left: the field is empty and the line stays whole.
            continue;
        }
        field(rest.substr(0, semi));
        rest.remove_prefix(semi + 1);
    }
    field(rest);
}

// Line 1 is the magic word, so apartment k stands on line k + 2.
constexpr int kFirstApartmentLine = 2;

} // namespace

OldCardLines ReadOldCardLines(std::string_view bytes, int zone) {
    OldCardLines r;
    size_t pos = 0;
    ReadByteLine(bytes, pos); // the magic word
    for (int apartment = 0; apartment < ApartmentCount; ++apartment) {
        const std::string line = ReadByteLine(bytes, pos);
        ForEachOldCard(line, [&](std::int32_t v) {
            r.cards.push_back(TDKarta{static_cast<std::uint8_t>(zone),
                                      static_cast<std::uint8_t>(apartment),
                                      TKarta{std::to_string(v), false, {}}});
        });
    }
    // The format has no apartment past 255, so the reader stops at line 257. Cards on later
    // lines would vanish without a word; those lines are named instead.
    for (int line = ApartmentCount + kFirstApartmentLine; pos < bytes.size(); ++line) {
        bool holdsCard = false;
        ForEachOldCard(ReadByteLine(bytes, pos), [&](std::int32_t) { holdsCard = true; });
        if (holdsCard)
            r.leftOut.push_back({line, LineFault::CardsPastApartment255, {}});
    }
    return r;
}

OldLoadResult LoadOldCardFile(std::string_view bytes, TTablica& tablica, int zone) {
    OldLoadResult r;
    if (!OldCardFileSizeAccepted(bytes.size()) || !ValidZone(zone)) {
        r.wrongSize = true;
        return r;
    }
    OldCardLines read = ReadOldCardLines(bytes, zone);
    tablica.ClearCards();
    tablica.ClearDialNumbers();
    for (const TDKarta& d : read.cards)
        tablica.AddCard(d.i, d.j, d.karta);
    r.cards = static_cast<int>(read.cards.size());
    r.leftOut = std::move(read.leftOut);
    return r;
}

MergeResult MergeOldCardFile(std::string_view bytes, TTablica& tablica, int zone) {
    MergeResult r;
    if (!OldCardFileSizeAccepted(bytes.size()) || !ValidZone(zone)) {
        r.wrongFile = true;
        return r;
    }
    OldCardLines read = ReadOldCardLines(bytes, zone);
    std::vector<TDKarta>& cards = read.cards;
    const FirstCardIndex registered(tablica);
    for (size_t k = 0; k < cards.size(); ++k) {
        if (const auto at = registered.Find(cards[k].karta.numer)) {
            r.conflict = MergeConflict{cards[k].karta.numer, {cards[k].i, cards[k].j}, *at};
            cards.resize(k);
            break;
        }
    }
    // The whole file was read before the conflict test, so every such line is known.
    r.leftOut = std::move(read.leftOut);
    FinishMerge(r, cards, tablica);
    return r;
}

} // namespace korv
