#include "files/card_file_v9.h"

#include "files/card_file_kind.h"
#include "files/card_ini.h"
#include "files/card_line.h"
#include "files/code_page_1250.h"
#include "files/integer_text.h"

#include <memory>

namespace korv {

namespace {
constexpr std::string_view kEol = "\r\n";
} // namespace

std::string CardFileText(const TTablica& tablica) {
    std::string text;
    text.reserve(64 + static_cast<size_t>(tablica.CardCount()) * 40);
    text += kMagicVersion9;
    text += kEol;
    for (int zone = 1; zone <= ZoneCount; ++zone) {
        text += kEol;
        text += "[STREFA" + std::to_string(zone) + "]";
        text += kEol;
        for (int a = 0; a < ApartmentCount; ++a) {
            const std::string& w = tablica.Cell(zone, a).wybierany;
            if (w.empty())
                continue;
            text += std::to_string(a) + "=" + w;
            text += kEol;
        }
    }
    text += kEol;
    text += "[KARTY]";
    text += kEol;
    tablica.ForEachCard([&](int zone, int apartment, int, const TKarta& k) {
        text += FormatCardLine(zone, apartment, k);
        text += kEol;
    });
    return EncodeWindows1250(text);
}

FileWriteResult WriteCardFile(const TTablica& tablica, const std::string& path,
                              const WriteFault& fault) {
    const std::string text = CardFileText(tablica);
    // Every reader refuses a larger file: a save that made one would lose the register.
    if (!CardFileSizeAccepted(text.size())) {
        FileWriteResult r;
        r.overSizeLimit = true;
        r.size = text.size();
        r.error = "the cards would make a file of " + std::to_string(text.size()) +
                  " bytes, and a card file may hold at most 1,000,000 bytes";
        return r;
    }
    return WriteFileAtomically(path, text, fault);
}

bool HasVersion9Magic(std::string_view bytes) {
    const size_t end = bytes.find_first_of("\r\n");
    return bytes.substr(0, end) == kMagicVersion9;
}

CardLoadResult LoadCardFile(std::string_view bytes, TTablica& tablica) {
    CardLoadResult r;
    if (!HasVersion9Magic(bytes))
        return r;
    const CardIni ini = CardIni::Parse(DecodeWindows1250(bytes));

    // Built aside and moved in at the end, so the register is never left half loaded.
    auto fresh = std::make_unique<TTablica>();
    for (int zone = 1; zone <= ZoneCount; ++zone) {
        for (const CardIniEntry* e : ini.Entries("STREFA" + std::to_string(zone))) {
            const auto apartment = ParseInteger(e->key);
            if (!apartment || !ValidApartment(*apartment))
                continue;
            if (e->value.empty() || !ParseInteger(e->value))
                continue;
            fresh->Cell(zone, *apartment).wybierany = std::string(e->value);
        }
    }
    for (const CardIniEntry* e : ini.Entries("KARTY")) {
        auto line = ParseCardLine(e->key);
        if (!line) {
            r.leftOut.push_back({e->line, LineFault::CardLineIgnored, {}});
            continue;
        }
        fresh->Cell(line->zone, line->apartment).lista.push_back(std::move(line->karta));
        ++r.cards;
    }
    tablica = std::move(*fresh);
    r.loaded = true;
    return r;
}

} // namespace korv
