#include "core/view_rules.h"

#include <gtest/gtest.h>

using namespace korv;

TEST(GridMapping, CellsMapToApartmentsAndBack) {
    EXPECT_EQ(GridCellApartment(1, 1), 0);
    EXPECT_EQ(GridCellApartment(10, 1), 9);
    EXPECT_EQ(GridCellApartment(8, 4), 37);
    EXPECT_EQ(GridCellApartment(6, 26), 255);
    // the four cells after 255 belong to no apartment
    EXPECT_EQ(GridCellApartment(7, 26), 256);
    EXPECT_EQ(GridCellApartment(10, 26), 259);
    EXPECT_EQ(GridCellApartment(0, 5), -1);
    EXPECT_EQ(GridCellApartment(5, 0), -1);
    EXPECT_EQ(GridCellApartment(11, 5), -1);
    EXPECT_EQ(GridCellApartment(5, 27), -1);
    for (int a = 0; a < 260; ++a) {
        int c = 0, r = 0;
        ApartmentGridCell(a, c, r);
        EXPECT_EQ(GridCellApartment(c, r), a);
    }
}

TEST(CardCountWording, PolishPluralRule) {
    EXPECT_EQ(CardCountSlots(0).firstSlot, 70);
    EXPECT_FALSE(CardCountSlots(0).showsNumber);
    EXPECT_EQ(CardCountSlots(1).firstSlot, 71);
    for (int n : {2, 3, 4, 22, 103, 1004, 122, 6144}) {
        EXPECT_EQ(CardCountSlots(n).firstSlot, 72) << n;
        EXPECT_EQ(CardCountSlots(n).secondSlot, 73) << n;
    }
    for (int n : {5, 11, 12, 13, 14, 21, 25, 111, 112, 1000, 6114}) {
        EXPECT_EQ(CardCountSlots(n).firstSlot, 74) << n;
        EXPECT_EQ(CardCountSlots(n).secondSlot, 75) << n;
    }
}

TEST(ApartmentKeyRule, DigitsAppendWithinRangeElseZero) {
    EXPECT_EQ(ApartmentAfterKey("", 0, 0, '1'), 1);
    EXPECT_EQ(ApartmentAfterKey("1", 0, 0, '2'), 12);
    EXPECT_EQ(ApartmentAfterKey("12", 0, 0, '3'), 123);
    EXPECT_EQ(ApartmentAfterKey("123", 0, 0, '3'), 0); // 1233 > 255
    EXPECT_EQ(ApartmentAfterKey("25", 0, 0, '7'), 0);  // 257 > 255
    EXPECT_EQ(ApartmentAfterKey("25", 0, 2, '7'), 7);  // fully selected
    EXPECT_EQ(ApartmentAfterKey("25", 0, 0, '5'), 255);
    EXPECT_EQ(ApartmentAfterKey("25", 1, 1, '4'), 24); // selection replaced
    EXPECT_EQ(ApartmentAfterKey("200", 0, 0, 'a'), 0);
    EXPECT_EQ(ApartmentAfterKey("200", 0, 0, '\b'), 0);
    EXPECT_EQ(ApartmentAfterKey("0", 0, 0, '9'), 9);
    // a selection beyond the text is clipped rather than read past the end
    EXPECT_EQ(ApartmentAfterKey("12", 5, 9, '3'), 123);
}

TEST(ApartmentKeyRule, AnyTextEndsInRange) {
    EXPECT_EQ(ApartmentFromText("37"), 37);
    EXPECT_EQ(ApartmentFromText(" 255 "), 255);
    EXPECT_EQ(ApartmentFromText("256"), 0);
    EXPECT_EQ(ApartmentFromText("-1"), 0);
    EXPECT_EQ(ApartmentFromText("99999999999999999999"), 0);
    EXPECT_EQ(ApartmentFromText("12abc"), 0);
    EXPECT_EQ(ApartmentFromText(""), 0);
}
