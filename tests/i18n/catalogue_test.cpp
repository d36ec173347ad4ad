#include "i18n/catalogue.h"

#include <gtest/gtest.h>

#include <set>

using namespace korv;

namespace {
const std::set<int> kUnfilled = {7,   8,   9,   10,  11,  12,  13,  14,  19,  59,  108, 109,
                                 114, 138, 174, 205, 206, 207, 208, 209, 218, 219, 229, 230};
} // namespace

TEST(Catalogue, UnfilledSlotsAreEmptyEverywhereAndTheRestFilled) {
    for (int lang = 0; lang < kLanguageCount; ++lang)
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (kUnfilled.count(slot))
                EXPECT_EQ(CatalogueText(lang, slot), "") << lang << ":" << slot;
            else
                EXPECT_NE(CatalogueText(lang, slot), "") << lang << ":" << slot;
        }
    EXPECT_EQ(CatalogueText(1, 231), "");
    EXPECT_EQ(CatalogueText(6, 0), "");
    EXPECT_EQ(CatalogueText(-1, 0), "");
}

TEST(Catalogue, PolishAndEnglishHoldRealTextsWithExactSpaces) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_NE(CatalogueText(Polish, slot).rfind('?', 0), 0u) << slot;
        EXPECT_NE(CatalogueText(English, slot).rfind('?', 0), 0u) << slot;
    }
    EXPECT_EQ(CatalogueText(English, 72), "There are  ");
    EXPECT_EQ(CatalogueText(English, 73), " cards in the system");
    EXPECT_EQ(CatalogueText(English, 168), "   Lack of access - Wrong reader!   ");
    EXPECT_EQ(CatalogueText(Polish, 35), "Obsługa modułu  ZEL");
    EXPECT_EQ(CatalogueText(Polish, 115), "Czy na pewno dopisać plik?  ");
    EXPECT_EQ(CatalogueText(English, 216), "Remov card from one of these two locations");
}

TEST(Catalogue, PlaceholderLanguagesFollowTheirRule) {
    const std::map<int, std::map<int, std::string>> real = {
        {German,
         {{15, "ZEL v7.3a "},
          {125, "from the apartment No."},
          {126, "Reading failed!"},
          {164, "ohne"},
          {190, "Module ZEL (*.zel)|*.zel"}}},
        {Russian, {{24, "Test"}}},
        {Czech, {}},
    };
    for (const auto& [lang, texts] : real)
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (kUnfilled.count(slot))
                continue;
            std::string expected = "?" + std::to_string(slot);
            if (slot >= 47 && slot <= 49)
                expected = "?" + std::to_string(slot - 11);
            if (auto it = texts.find(slot); it != texts.end())
                expected = it->second;
            EXPECT_EQ(CatalogueText(lang, slot), expected) << lang << ":" << slot;
        }
}

TEST(Catalogue, SlovakHasItsTextsBareNumbersAndPlaceholders) {
    int real = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (kUnfilled.count(slot))
            continue;
        const std::string t = CatalogueText(Slovak, slot);
        if (slot >= 145 && slot <= 149)
            EXPECT_EQ(t, std::to_string(slot));
        else if (slot >= 47 && slot <= 49)
            EXPECT_EQ(t, "?" + std::to_string(slot - 11));
        else if (t != "?" + std::to_string(slot))
            ++real;
    }
    EXPECT_EQ(real, 33);
    EXPECT_EQ(CatalogueText(Slovak, 15), "Nastavenie ");
    EXPECT_EQ(CatalogueText(Slovak, 0), "Súbor");
    EXPECT_EQ(CatalogueText(Slovak, 204), "Stav Pripojenie: Odpojený");
}

TEST(Catalogue, MessageTextFollowsTheCurrentLanguage) {
    SetLanguageIndex(Polish);
    EXPECT_EQ(MessageText(0), "Plik");
    SetLanguageIndex(9); // ignored
    EXPECT_EQ(LanguageIndex(), Polish);
    SetLanguageIndex(English);
    EXPECT_EQ(MessageText(0), "File");
    EXPECT_EQ(MessageText(19), "");
}
