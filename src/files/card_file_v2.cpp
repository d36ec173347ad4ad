#include "files/card_file_v2.h"

#include "files/byte_line.h"
#include "files/integer_text.h"

#include <string>

namespace korv {

namespace {
void AddIfCard(std::string_view field, int zone, int apartment, std::vector<TDKarta>& out) {
    const auto v = ParseInteger(field);
    if (!v || *v <= 0)
        return;
    out.push_back(TDKarta{static_cast<std::uint8_t>(zone), static_cast<std::uint8_t>(apartment),
                          TKarta{std::to_string(*v), false, {}}});
}
} // namespace

std::vector<TDKarta> ReadOldCardLines(std::string_view bytes, int zone) {
    std::vector<TDKarta> cards;
    size_t pos = 0;
    ReadByteLine(bytes, pos); // the magic word
    for (int apartment = 0; apartment < ApartmentCount; ++apartment) {
        const std::string line = ReadByteLine(bytes, pos);
        std::string_view rest = line;
        for (int f = 0; f < 5; ++f) {
            const size_t semi = rest.find(';');
            if (semi == std::string_view::npos) {
                // No ";" left: the field is empty and the line stays whole.
                continue;
            }
            AddIfCard(rest.substr(0, semi), zone, apartment, cards);
            rest.remove_prefix(semi + 1);
        }
        AddIfCard(rest, zone, apartment, cards);
    }
    return cards;
}

OldLoadResult LoadOldCardFile(std::string_view bytes, TTablica& tablica, int zone) {
    OldLoadResult r;
    if (!OldCardFileSizeAccepted(bytes.size()) || !ValidZone(zone)) {
        r.wrongSize = true;
        return r;
    }
    const std::vector<TDKarta> cards = ReadOldCardLines(bytes, zone);
    tablica.ClearCards();
    tablica.ClearDialNumbers();
    for (const TDKarta& d : cards)
        tablica.AddCard(d.i, d.j, d.karta);
    r.cards = static_cast<int>(cards.size());
    return r;
}

MergeResult MergeOldCardFile(std::string_view bytes, TTablica& tablica, int zone) {
    MergeResult r;
    if (!OldCardFileSizeAccepted(bytes.size()) || !ValidZone(zone)) {
        r.wrongFile = true;
        return r;
    }
    std::vector<TDKarta> cards = ReadOldCardLines(bytes, zone);
    const FirstCardIndex registered(tablica);
    for (size_t k = 0; k < cards.size(); ++k) {
        if (const auto at = registered.Find(cards[k].karta.numer)) {
            r.conflict = MergeConflict{cards[k].karta.numer, {cards[k].i, cards[k].j}, *at};
            cards.resize(k);
            break;
        }
    }
    FinishMerge(r, cards, tablica);
    return r;
}

} // namespace korv
