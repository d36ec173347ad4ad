#include "i18n/own_texts.h"

#include "i18n/catalogue.h"

namespace korv {

namespace {

struct Pair {
    const char* polish;
    const char* english;
};

Pair Texts(OwnTextName name) {
    switch (name) {
    case OwnTextName::CardFileTooLarge:
        return {"Karty dałyby plik o wielkości %1 bajtów, a plik kart może mieć najwyżej "
                "1 000 000 bajtów. Niczego nie zapisano.",
                "The cards would make a file of %1 bytes, and a card file may hold at most "
                "1,000,000 bytes. Nothing was saved."};
    case OwnTextName::VersionPageUnavailable:
        return {"Nie udało się pobrać strony z informacją o wersji.",
                "The version information page could not be loaded."};
    case OwnTextName::ModuleCountUnreadable:
        return {"Odczyt modułu nie powiódł się: moduł nie podał liczby kart. Lista kart nie "
                "została zmieniona.",
                "Reading the module failed: the module did not report how many cards it holds. "
                "The card list was not changed."};
    case OwnTextName::ModuleCountTooLarge:
        return {"Moduł podaje %1 kart, więcej niż może pomieścić (6144). Brane są tylko "
                "pierwsze 6144.",
                "The module reports %1 cards, more than it can hold (6144). Only the first 6144 "
                "are taken."};
    case OwnTextName::CardsNotChecked:
        return {"Nie sprawdzono kart, bo nie udało się odczytać ich stron: %1.",
                "Cards not checked because their pages could not be read: %1."};
    case OwnTextName::CardNumberTooLarge:
        return {"Karta %1 (strefa %2, lokal %3) ma numer, którego moduł nie pomieści "
                "(najwyżej 268435455). Do modułu niczego nie wysłano.",
                "Card %1 (zone %2, apartment %3) has a number the module cannot hold (at most "
                "268435455). Nothing was sent to the module."};
    case OwnTextName::OnlyInModule:
        return {"strefa %1, lokal %2, karta %3, B1 %4: tylko w module",
                "zone %1, apartment %2, card %3, B1 %4: only in the module"};
    case OwnTextName::OnlyInProgram:
        return {"strefa %1, lokal %2, karta %3, B1 %4: tylko w programie",
                "zone %1, apartment %2, card %3, B1 %4: only in the program"};
    }
    return {"", ""};
}

} // namespace

std::string OwnText(OwnTextName name, int language) {
    const Pair p = Texts(name);
    return language == Polish ? p.polish : p.english;
}

std::string OwnText(OwnTextName name, int language, std::initializer_list<std::string> args) {
    std::string text = OwnText(name, language);
    int n = 1;
    for (const std::string& arg : args) {
        const std::string mark = "%" + std::to_string(n++);
        if (const auto at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), arg);
    }
    return text;
}

std::string CardFileTooLargeText(std::uint64_t size, int language) {
    return OwnText(OwnTextName::CardFileTooLarge, language, {std::to_string(size)});
}

} // namespace korv
