#include "files/card_file_kind.h"
#include "files/card_file_v2.h"
#include "support/card_files_fixture.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

using test::Version2File;

std::vector<std::string> Numbers(const TTablica& t, int zone, int apartment) {
    std::vector<std::string> out;
    for (const auto& k : t.Cell(zone, apartment).lista)
        out.push_back(k.numer);
    return out;
}

TEST(CardFileV2, OnlySizesFrom3328To15568AreRead) {
    for (size_t size : {3327u, 3328u, 15568u, 15569u}) {
        const std::string file = Version2File({"5"}, size);
        ASSERT_EQ(file.size(), size);
        EXPECT_EQ(RecogniseCardFile(file), CardFileKind::Version2);
        TTablica t;
        t.AddCard(2, 2, {"keep", false, ""});
        const OldLoadResult r = LoadOldCardFile(file, t);
        const bool accepted = size == 3328 || size == 15568;
        EXPECT_EQ(r.wrongSize, !accepted) << size;
        EXPECT_EQ(Numbers(t, 2, 2).size(), accepted ? 0u : 1u) << size;
        EXPECT_EQ(Numbers(t, 1, 0),
                  accepted ? std::vector<std::string>{"5"} : std::vector<std::string>{})
            << size;
    }
}

TEST(CardFileV2, FieldsGiveCardsInCanonicalDecimal) {
    TTablica t;
    t.Cell(3, 3).wybierany = "33";
    LoadOldCardFile(Version2File({"007; 7;$7;0;-5;abc", ";;;;;", "1;2;3;4;5;6;7", "12a",
                                  "4294967296;2147483647;+9;x10;0x10;8 "},
                                 4000),
                    t);
    EXPECT_EQ(Numbers(t, 1, 0), (std::vector<std::string>{"7", "7", "7"}));
    EXPECT_TRUE(Numbers(t, 1, 1).empty());
    // The sixth field is "6;7", which still holds a ";".
    EXPECT_EQ(Numbers(t, 1, 2), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(Numbers(t, 1, 3).empty());
    EXPECT_EQ(Numbers(t, 1, 4), (std::vector<std::string>{"2147483647", "9", "16", "16"}));
    EXPECT_EQ(t.Cell(3, 3).wybierany, "");
    t.ForEachCard([](int, int, int, const TKarta& k) {
        EXPECT_FALSE(k.B1);
        EXPECT_EQ(k.opis, "");
    });
}

TEST(CardFileV2, MissingLinesAndNoFinalLineEnd) {
    // 3 apartment lines, the last without CR LF, padded inside that line to the minimum size.
    std::string file = "RUF-KARTYv2\r\n1\r\n2;3\r\n4;" + std::string(3300, ' ');
    file.resize(3328, ' ');
    file.back() = '5';
    TTablica t;
    LoadOldCardFile(file, t);
    EXPECT_EQ(Numbers(t, 1, 0), std::vector<std::string>{"1"});
    EXPECT_EQ(Numbers(t, 1, 1), (std::vector<std::string>{"2", "3"}));
    // Leading blanks are allowed, so the unterminated last line still gives card 5.
    EXPECT_EQ(Numbers(t, 1, 2), (std::vector<std::string>{"4", "5"}));
    EXPECT_EQ(t.CardCount(), 5);
}

TEST(CardFileV2, LinesAfter257AreNotReadButThoseWithCardsAreNamed) {
    std::vector<std::string> lines(256);
    lines[255] = "255";
    std::string file = Version2File(lines, 0) + "999\r\n0;abc\r\n;;;;;7\r\n";
    file.resize(3328, '\n');
    TTablica t;
    const OldLoadResult r = LoadOldCardFile(file, t, 3);
    EXPECT_EQ(r.cards, 1);
    EXPECT_EQ(Numbers(t, 3, 255), std::vector<std::string>{"255"});
    // Line 259 holds no card, so nothing is lost there; the padding is one line without any.
    ASSERT_EQ(r.leftOut.size(), 2u);
    EXPECT_EQ(r.leftOut[0].line, 258);
    EXPECT_EQ(r.leftOut[1].line, 260);
    EXPECT_EQ(r.leftOut[1].fault, LineFault::CardsPastApartment255);

    TTablica merged;
    EXPECT_EQ(MergeOldCardFile(file, merged, 2).leftOut.size(), 2u);
}

TEST(CardFileV2, BinaryContentNeverAddsOddNumbers) {
    std::string file = "RUF-KARTYv2\r\n";
    for (int k = 0; file.size() < 9000; ++k)
        file += static_cast<char>((k * 131 + 7) % 256);
    TTablica t;
    LoadOldCardFile(file, t);
    t.ForEachCard([](int zone, int, int, const TKarta& k) {
        EXPECT_EQ(zone, 1);
        EXPECT_FALSE(k.numer.empty());
        EXPECT_NE(k.numer[0], '0');
        EXPECT_EQ(k.numer.find_first_not_of("0123456789"), std::string::npos);
    });
}

} // namespace
} // namespace korv
