#include "files/card_file_v2.h"
#include "files/card_merge.h"
#include "support/card_files_fixture.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

using test::FillRegister;
using test::Version2File;
using test::Version9File;

TEST(CardMerge, FirstConflictInFileOrderAgainstFirstRegisteredCard) {
    TTablica t;
    t.AddCard(2, 7, {"555", false, ""});
    t.AddCard(1, 200, {"555", false, ""}); // earlier in register order than zone 2
    t.AddCard(3, 1, {"777", false, ""});
    const MergeResult r = MergeCardFile(
        Version9File({"1;1;100;0;=", "4;9;777;0;=", "1;5;555;0;=", "1;1;101;0;="}), t);
    ASSERT_TRUE(r.conflict);
    EXPECT_EQ(r.conflict->numer, "777");
    EXPECT_EQ(r.conflict->inFile.zone, 4);
    EXPECT_EQ(r.conflict->inFile.apartment, 9);
    EXPECT_EQ(r.conflict->inRegister.zone, 3);
    EXPECT_EQ(r.conflict->inRegister.apartment, 1);
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(t.CardCount(), 3);

    const MergeResult second = MergeCardFile(Version9File({"1;5;555;0;="}), t);
    ASSERT_TRUE(second.conflict);
    EXPECT_EQ(second.conflict->inRegister.zone, 1);
    EXPECT_EQ(second.conflict->inRegister.apartment, 200);
}

TEST(CardMerge, IndexAnswersAsFindCardDoes) {
    TTablica t;
    FillRegister(t, 3000);
    t.AddCard(4, 255, {"1000010", false, ""});
    t.AddCard(1, 0, {"0123", false, ""});
    const FirstCardIndex index(t);
    for (const std::string n : {"1000010", "1002999", "0123", "123", "1003000", ""}) {
        int zone = 0, apartment = 0;
        const bool found = t.FindCard(n, zone, apartment);
        const auto at = index.Find(n);
        ASSERT_EQ(at.has_value(), found) << n;
        if (found) {
            EXPECT_EQ(at->zone, zone);
            EXPECT_EQ(at->apartment, apartment);
        }
    }
}

TEST(CardMerge, DuplicatesInsideTheFileAreAddedTwiceInFileOrder) {
    TTablica t;
    t.AddCard(1, 5, {"1", false, ""});
    t.Cell(1, 9).wybierany = "19";
    const std::string file = "RUF-KARTYv9\r\n[STREFA1]\r\n9=99\r\n5=55\r\n[KARTY]\r\n"
                             "2;3;42;1;a=\r\n1;5;2;0;=\r\n2;3;42;0;b=\r\n9;9;1;0;rejected=\r\n";
    const MergeResult r = MergeCardFile(file, t);
    EXPECT_FALSE(r.Failed());
    EXPECT_EQ(r.added, 3);
    ASSERT_EQ(r.leftOut.size(), 1u);
    EXPECT_EQ(r.leftOut[0].line, 9);
    ASSERT_EQ(t.Cell(2, 3).lista.size(), 2u);
    EXPECT_EQ(t.Cell(2, 3).lista[0], (TKarta{"42", true, "a"}));
    EXPECT_EQ(t.Cell(2, 3).lista[1], (TKarta{"42", false, "b"}));
    EXPECT_EQ(t.Cell(1, 5).lista.back().numer, "2");
    EXPECT_EQ(t.Cell(1, 9).wybierany, "19"); // numbers to dial are never merged
    EXPECT_EQ(t.Cell(1, 5).wybierany, "");
}

TEST(CardMerge, CapacityIsAllOrNothingAndCheckedAfterAConflictToo) {
    std::vector<std::string> lines;
    for (int k = 0; k < 145; ++k)
        lines.push_back("4;1;" + std::to_string(k) + ";0;=");
    TTablica t;
    FillRegister(t, 6000);

    MergeResult r = MergeCardFile(Version9File(lines), t);
    EXPECT_TRUE(r.overCapacity);
    EXPECT_FALSE(r.conflict);
    EXPECT_EQ(t.CardCount(), 6000);

    lines.pop_back();
    r = MergeCardFile(Version9File(lines), t);
    EXPECT_FALSE(r.Failed());
    EXPECT_EQ(t.CardCount(), MaxCards);

    // Full register: a conflict after one new card still reports the capacity as well.
    r = MergeCardFile(Version9File({"4;2;new;0;=", "4;2;1000000;0;="}), t);
    EXPECT_TRUE(r.conflict);
    EXPECT_TRUE(r.overCapacity);
    EXPECT_EQ(r.pending, 1);
    EXPECT_EQ(t.CardCount(), MaxCards);
    // A conflict on the first card leaves nothing pending, so no capacity complaint.
    r = MergeCardFile(Version9File({"4;2;1000000;0;="}), t);
    EXPECT_TRUE(r.conflict);
    EXPECT_FALSE(r.overCapacity);
}

TEST(CardMerge, WrongMagicMergesNothing) {
    TTablica t;
    const MergeResult r = MergeCardFile("RUF-KARTYv9 \r\n[KARTY]\r\n1;1;1;0;=\r\n", t);
    EXPECT_TRUE(r.wrongFile);
    EXPECT_EQ(t.CardCount(), 0);
}

TEST(CardMerge, OldFormatGoesToTheChosenZoneWithTheSameChecks) {
    TTablica t;
    t.AddCard(1, 0, {"7", false, ""});
    t.Cell(2, 1).wybierany = "21";
    MergeResult r = MergeOldCardFile(Version2File({"", "3;3", "4"}, 3328), t, 2);
    EXPECT_FALSE(r.Failed());
    EXPECT_EQ(r.added, 3);
    ASSERT_EQ(t.Cell(2, 1).lista.size(), 2u); // the same number twice in the file: added twice
    EXPECT_EQ(t.Cell(2, 2).lista[0].numer, "4");
    EXPECT_EQ(t.Cell(2, 1).wybierany, "21");

    r = MergeOldCardFile(Version2File({"9", "007"}, 3328), t, 4);
    ASSERT_TRUE(r.conflict);
    EXPECT_EQ(r.conflict->numer, "7");
    EXPECT_EQ(r.conflict->inFile.apartment, 1);
    EXPECT_EQ(t.CardCount(), 4);

    r = MergeOldCardFile(Version2File({"9"}, 3327), t, 4);
    EXPECT_TRUE(r.wrongFile);

    TTablica full;
    FillRegister(full, MaxCards);
    r = MergeOldCardFile(Version2File({"1"}, 3328), full, 1);
    EXPECT_TRUE(r.overCapacity);
    EXPECT_EQ(full.CardCount(), MaxCards);
}

} // namespace
} // namespace korv
