#include "files/card_merge.h"

#include "files/card_file_v9.h"
#include "files/card_ini.h"
#include "files/card_line.h"
#include "files/code_page_1250.h"

namespace korv {

FirstCardIndex::FirstCardIndex(const TTablica& tablica) {
    first_.reserve(static_cast<size_t>(tablica.CardCount()));
    tablica.ForEachCard([&](int zone, int apartment, int, const TKarta& k) {
        first_.try_emplace(std::string(CardNumberKey(k.numer)), CardPosition{zone, apartment});
    });
}

std::optional<CardPosition> FirstCardIndex::Find(const std::string& numer) const {
    const auto it = first_.find(std::string(CardNumberKey(numer)));
    if (it == first_.end())
        return std::nullopt;
    return it->second;
}

void FinishMerge(MergeResult& r, const std::vector<TDKarta>& pendingCards, TTablica& tablica) {
    r.pending = static_cast<int>(pendingCards.size());
    if (static_cast<long long>(tablica.CardCount()) + r.pending > MaxCards)
        r.overCapacity = true;
    if (r.Failed())
        return;
    for (const TDKarta& d : pendingCards)
        tablica.AddCard(d.i, d.j, d.karta);
    r.added = r.pending;
}

MergeResult MergeCardFile(std::string_view bytes, TTablica& tablica) {
    MergeResult r;
    if (!HasVersion9Magic(bytes)) {
        r.wrongFile = true;
        return r;
    }
    const CardIni ini = CardIni::Parse(DecodeWindows1250(bytes));
    const FirstCardIndex registered(tablica);
    const auto entries = ini.Entries("KARTY");
    std::vector<TDKarta> pendingCards;
    pendingCards.reserve(entries.size());
    for (const CardIniEntry* e : entries) {
        auto line = ParseCardLine(e->key);
        if (!line) {
            r.leftOut.push_back({e->line, LineFault::CardLineIgnored, {}});
            continue;
        }
        if (const auto at = registered.Find(line->karta.numer)) {
            r.conflict = MergeConflict{line->karta.numer, {line->zone, line->apartment}, *at};
            break;
        }
        pendingCards.push_back(TDKarta{static_cast<std::uint8_t>(line->zone),
                                       static_cast<std::uint8_t>(line->apartment),
                                       std::move(line->karta)});
    }
    FinishMerge(r, pendingCards, tablica);
    return r;
}

} // namespace korv
