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
    }
    return {"", ""};
}

} // namespace

std::string OwnText(OwnTextName name, int language) {
    const Pair p = Texts(name);
    return language == Polish ? p.polish : p.english;
}

std::string CardFileTooLargeText(std::uint64_t size, int language) {
    std::string text = OwnText(OwnTextName::CardFileTooLarge, language);
    text.replace(text.find("%1"), 2, std::to_string(size));
    return text;
}

} // namespace korv
