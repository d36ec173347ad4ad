#include "core/card_register.h"
#include "core/digits.h"

#include <gtest/gtest.h>

using namespace korv;

namespace {
TKarta Card(const std::string& n, const std::string& opis = "") {
    return {n, false, opis};
}
} // namespace

TEST(CardRegister, FreshRegisterIsEmptyAndFindsNothing) {
    TTablica t;
    EXPECT_EQ(t.CardCount(), 0);
    int z = -7, a = -7;
    EXPECT_FALSE(t.FindCard("", z, a));
    EXPECT_FALSE(t.FindCard("123", z, a));
    EXPECT_EQ(z, -7); // untouched when not found
    for (int zone = 1; zone <= 4; ++zone)
        for (int ap = 0; ap < 256; ++ap) {
            EXPECT_TRUE(t.Cell(zone, ap).lista.empty());
            EXPECT_TRUE(t.Cell(zone, ap).wybierany.empty());
        }
}

TEST(CardRegister, FindCardTakesTheFirstInRegisterOrderAndComparesByValue) {
    TTablica t;
    t.AddCard(2, 7, Card("555"));
    t.AddCard(1, 200, Card("555"));
    t.AddCard(4, 0, Card("123"));
    t.AddCard(3, 9, Card("00000"));
    int z = 0, a = 0;
    ASSERT_TRUE(t.FindCard("555", z, a));
    EXPECT_EQ(z, 1);
    EXPECT_EQ(a, 200);
    // A module keeps the value: leading zeros name the same card. Other text is taken as it is.
    EXPECT_TRUE(t.FindCard("0", z, a));
    EXPECT_FALSE(t.FindCard("1230", z, a));
    EXPECT_FALSE(t.FindCard("123 ", z, a));
    ASSERT_TRUE(t.FindCard("0123", z, a));
    EXPECT_EQ(z, 4);
    EXPECT_EQ(a, 0);
    // The card being changed is passed over, so it may keep its number; a second holder is not.
    EXPECT_FALSE(t.FindOtherCard("00123", {4, 0}, 0, z, a));
    ASSERT_TRUE(t.FindOtherCard("555", {1, 200}, 0, z, a));
    EXPECT_EQ(z, 2);
}

TEST(CardRegister, DeleteAndReplaceKeepListOrder) {
    TTablica t;
    t.AddCard(3, 9, Card("1", "first"));
    t.AddCard(3, 9, Card("2"));
    t.AddCard(3, 9, Card("1", "second"));
    t.DeleteCard(3, 9, 0);
    ASSERT_EQ(t.ApartmentCardCount(3, 9), 2);
    EXPECT_EQ(t.Cell(3, 9).lista[0].numer, "2");
    EXPECT_EQ(t.Cell(3, 9).lista[1].opis, "second");
    int z = 0, a = 0;
    ASSERT_TRUE(t.FindCard("1", z, a));
    EXPECT_EQ(a, 9);
    t.ReplaceCard(3, 9, 1, {"9", true, "x"});
    EXPECT_EQ(t.Cell(3, 9).lista[1], (TKarta{"9", true, "x"}));
    EXPECT_EQ(t.Cell(3, 9).lista[0].numer, "2");
}

TEST(CardRegister, ClearingCardsKeepsDialNumbersAndTheReverse) {
    TTablica t;
    t.AddCard(1, 0, Card("1"));
    t.AddCard(4, 255, Card("2"));
    t.Cell(2, 3).wybierany = "0105";
    t.ClearCards();
    EXPECT_EQ(t.CardCount(), 0);
    EXPECT_EQ(t.Cell(2, 3).wybierany, "0105");
    t.AddCard(4, 255, Card("2"));
    t.ClearDialNumbers();
    EXPECT_EQ(t.Cell(2, 3).wybierany, "");
    EXPECT_EQ(t.CardCount(), 1);
}

TEST(CardRegister, EmptyApartmentsTouchesOnlyTheRangeOfOneZone) {
    TTablica t;
    for (int z = 1; z <= 4; ++z)
        for (int a = 0; a < 256; ++a)
            t.AddCard(z, a, Card(std::to_string(z * 1000 + a)));
    EXPECT_EQ(t.CardCount(), 1024); // apartment 0 counts like any other
    t.EmptyApartments(2, 10, 5);
    EXPECT_EQ(t.CardCount(), 1024);
    t.EmptyApartments(2, 0, 255);
    EXPECT_EQ(t.CardCount(), 768);
    for (int a = 0; a < 256; ++a) {
        EXPECT_EQ(t.ApartmentCardCount(2, a), 0);
        EXPECT_EQ(t.ApartmentCardCount(1, a), 1);
        EXPECT_EQ(t.ApartmentCardCount(3, a), 1);
    }
    t.EmptyApartments(3, 7, 7);
    EXPECT_EQ(t.ApartmentCardCount(3, 6), 1);
    EXPECT_EQ(t.ApartmentCardCount(3, 7), 0);
    EXPECT_EQ(t.ApartmentCardCount(3, 8), 1);
}

TEST(CardRegister, ForEachCardWalksInRegisterOrder) {
    TTablica t;
    t.AddCard(2, 0, Card("c"));
    t.AddCard(1, 255, Card("b"));
    t.AddCard(1, 3, Card("a1"));
    t.AddCard(1, 3, Card("a2"));
    std::string seen;
    t.ForEachCard([&](int, int, int, const TKarta& k) { seen += k.numer + ","; });
    EXPECT_EQ(seen, "a1,a2,b,c,");
    EXPECT_EQ(CellIndex(1, 0), 0);
    EXPECT_EQ(CellIndex(2, 0), 256);
    EXPECT_EQ(CellIndex(4, 255), 1023);
}

TEST(Digits, OnlyTheDigitsZeroToNineAndAtLeastOne) {
    EXPECT_TRUE(AllDigits("0"));
    EXPECT_TRUE(AllDigits("0123456789"));
    for (const char* text : {"", " 1", "1 ", "+1", "-1", "1a", "/", ":", "\xd9\xa1", "12\n"})
        EXPECT_FALSE(AllDigits(text)) << text;
    EXPECT_FALSE(AllDigits(std::string_view("1\0", 2)));
}
