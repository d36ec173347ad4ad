#include "files/card_file_kind.h"
#include "files/card_file_v9.h"
#include "files/card_line.h"
#include "files/code_page_1250.h"
#include "support/card_files_fixture.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

using test::Version9File;
using test::WorkedExampleRegister;

std::vector<std::string> Cards(const TTablica& t) {
    std::vector<std::string> out;
    t.ForEachCard([&](int z, int a, int, const TKarta& k) {
        out.push_back(std::to_string(z) + "/" + std::to_string(a) + " " + k.numer + " " +
                      (k.B1 ? "1" : "0") + " [" + k.opis + "]");
    });
    return out;
}

TEST(CardFileV9, WorkedExampleByteForByte) {
    EXPECT_EQ(CardFileText(WorkedExampleRegister()), test::kWorkedExampleFile);
}

TEST(CardFileV9, EmptyRegisterEndsWithCardsHead) {
    EXPECT_EQ(CardFileText(TTablica{}), "RUF-KARTYv9\r\n\r\n[STREFA1]\r\n\r\n[STREFA2]\r\n\r\n"
                                        "[STREFA3]\r\n\r\n[STREFA4]\r\n\r\n[KARTY]\r\n");
}

TEST(CardFileV9, WriteThenLoadGivesTheSameRegisterInListOrder) {
    TTablica t = WorkedExampleRegister();
    t.AddCard(4, 255, {"9", false, "Łódź; piętro 2"}); // ";" and Polish letters survive
    t.AddCard(1, 0, {"5", true, " lead"});             // leading blanks survive
    t.AddCard(1, 5, {"1", false, ""});                 // after two others in the same cell
    t.Cell(4, 255).wybierany = "0105";
    const std::string bytes = CardFileText(t);
    EXPECT_NE(bytes.find("4;255;9;0;\xA3\xF3\x64\x9F; pi\xEAtro 2=\r\n"), std::string::npos);

    TTablica back;
    back.AddCard(2, 2, {"stale", false, ""});
    back.Cell(3, 3).wybierany = "77";
    const CardLoadResult r = LoadCardFile(bytes, back);
    EXPECT_TRUE(r.loaded);
    EXPECT_EQ(r.cards, 6);
    EXPECT_EQ(Cards(back), Cards(t));
    for (int z = 1; z <= 4; ++z)
        for (int a = 0; a < 256; ++a)
            EXPECT_EQ(back.Cell(z, a).wybierany, t.Cell(z, a).wybierany);
}

TEST(CardFileV9, DescriptionsLoseTextAfterEqualsAndTrailingBlanks) {
    TTablica t;
    t.AddCard(1, 1, {"1", false, "a=b"});
    t.AddCard(1, 1, {"2", false, "tail  "});
    t.AddCard(1, 1, {"3", false, "two\r\n[STREFA1]\r\n5=1"}); // cannot break the file apart
    TTablica back;
    LoadCardFile(CardFileText(t), back);
    ASSERT_EQ(back.Cell(1, 1).lista.size(), 3u);
    EXPECT_EQ(back.Cell(1, 1).lista[0].opis, "a");
    EXPECT_EQ(back.Cell(1, 1).lista[1].opis, "tail");
    EXPECT_EQ(back.Cell(1, 1).lista[2].opis, "two  [STREFA1]  5");
    EXPECT_EQ(back.Cell(1, 5).wybierany, "");
}

TEST(CardFileV9, TheDescriptionRuleRefusesExactlyWhatAFileCannotGiveBack) {
    using List = std::vector<std::string>;
    EXPECT_EQ(DescriptionCharactersNotHeld("Klatka A=2; drzwi Ж=Ж"), (List{"=", "Ж"}));
    EXPECT_EQ(DescriptionCharactersNotHeld("x\xFF 🙂"), (List{"\uFFFD", "🙂"}));
    // Every other character of the code page passes, and comes back from a file whole.
    std::string bytes;
    for (int b = ' '; b <= 0xFF; ++b)
        bytes += b == '=' ? ' ' : static_cast<char>(b);
    const std::string all = DecodeWindows1250(bytes);
    EXPECT_EQ(DescriptionCharactersNotHeld(all), List{});
    TTablica t, back;
    t.AddCard(1, 1, {"1", false, all});
    LoadCardFile(CardFileText(t), back);
    EXPECT_EQ(back.Cell(1, 1).lista.at(0).opis, all);
}

TEST(CardFileV9, CardLineFields) {
    EXPECT_FALSE(ParseCardLine("0;5;1;0;x"));
    EXPECT_FALSE(ParseCardLine("5;5;1;0;x"));
    EXPECT_FALSE(ParseCardLine("1;256;1;0;x"));
    EXPECT_FALSE(ParseCardLine("1;-1;1;0;x"));
    EXPECT_FALSE(ParseCardLine("1"));
    EXPECT_FALSE(ParseCardLine("1;5"));
    EXPECT_FALSE(ParseCardLine(";5;1;0;x"));

    auto c = ParseCardLine("1;5;;1;x");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->karta, (TKarta{"", true, "x"}));

    c = ParseCardLine("1;5;123"); // fields 3 and 4 find no ";"
    ASSERT_TRUE(c);
    EXPECT_EQ(c->zone, 1);
    EXPECT_EQ(c->apartment, 5);
    EXPECT_EQ(c->karta, (TKarta{"", false, "123"}));

    c = ParseCardLine("$4; 0x1F;0123;1;a;b"); // integer forms; ";" kept in the description
    ASSERT_TRUE(c);
    EXPECT_EQ(c->zone, 4);
    EXPECT_EQ(c->apartment, 31);
    EXPECT_EQ(c->karta, (TKarta{"0123", true, "a;b"}));

    for (const char* flag : {"0", "01", "true", "", " 1", "1 "}) {
        c = ParseCardLine(std::string("1;1;7;") + flag + ";d");
        ASSERT_TRUE(c);
        EXPECT_FALSE(c->karta.B1) << flag;
    }
}

TEST(CardFileV9, BadLinesAreDroppedNamedAndTheRestLoads) {
    TTablica t;
    const CardLoadResult r =
        LoadCardFile(Version9File({"0;5;1;0;zone0=", "5;5;2;0;=", "1;256;3;0;=", "1;-1;4;0;=",
                                   "1;5;;0;empty number=", "junk", "2;7;8;1;last"}),
                     t);
    EXPECT_EQ(Cards(t), (std::vector<std::string>{"1/5  0 [empty number]", "2/7 8 1 [last]"}));
    std::vector<int> lines;
    for (const LineCheck& c : r.leftOut) {
        lines.push_back(c.line);
        EXPECT_EQ(c.fault, LineFault::CardLineIgnored);
    }
    EXPECT_EQ(lines, (std::vector<int>{4, 5, 6, 7, 9}));
}

TEST(CardFileV9, NumbersToDialNeedAnIntegerValue) {
    TTablica t;
    LoadCardFile("RUF-KARTYv9\r\n[STREFA1]\r\n7=12a\r\n8=\r\n9=0105\r\n256=1\r\n-1=1\r\n"
                 "x=5\r\n $a = 77 \r\n[strefa4]\r\n0=$1F\r\n[STREFA5]\r\n1=1\r\n",
                 t);
    EXPECT_EQ(t.Cell(1, 7).wybierany, "");
    EXPECT_EQ(t.Cell(1, 8).wybierany, "");
    EXPECT_EQ(t.Cell(1, 9).wybierany, "0105");
    EXPECT_EQ(t.Cell(1, 10).wybierany, "77");
    EXPECT_EQ(t.Cell(4, 0).wybierany, "$1F");
    EXPECT_EQ(t.Cell(1, 1).wybierany, "");
    // Only card lines count as left out; the person is told about those alone.
    EXPECT_TRUE(LoadCardFile("RUF-KARTYv9\r\n[STREFA1]\r\n256=1\r\n", t).leftOut.empty());
}

TEST(CardFileV9, MoreThanMaxCardsLoadInFull) {
    std::vector<std::string> lines;
    for (int k = 0; k < MaxCards + 100; ++k)
        lines.push_back("2;" + std::to_string(k % 256) + ";" + std::to_string(k) + ";0;=");
    TTablica t;
    EXPECT_EQ(LoadCardFile(Version9File(lines), t).cards, MaxCards + 100);
    EXPECT_EQ(t.CardCount(), MaxCards + 100);
}

TEST(CardFileV9, LoadReplacesNumbersToDialAndCards) {
    TTablica t;
    t.Cell(4, 4).wybierany = "44";
    t.AddCard(4, 4, {"old", false, ""});
    LoadCardFile(test::kWorkedExampleFile, t);
    EXPECT_EQ(t.Cell(4, 4).wybierany, "");
    EXPECT_EQ(t.CardCount(), 3);
}

TEST(CardFileV9, SectionsRepeatedOrMissing) {
    TTablica t = WorkedExampleRegister();
    EXPECT_TRUE(LoadCardFile("RUF-KARTYv9", t).loaded); // nothing but the magic word
    EXPECT_EQ(t.CardCount(), 0);
    EXPECT_EQ(t.Cell(1, 5).wybierany, "");

    LoadCardFile("RUF-KARTYv9\r\n[KARTY]\r\n1;1;a;0;=\r\n[STREFA1]\r\n1=5\r\n[Karty]\r\n"
                 "1;1;b;0;=\r\n[STREFA1]\r\n1=6\r\n[KARTY\r\n1;1;c;0;=\r\n",
                 t);
    // "[KARTY" has no closing bracket, so its line is an entry of the section above it.
    EXPECT_EQ(Cards(t), (std::vector<std::string>{"1/1 a 0 []", "1/1 b 0 []"}));
    EXPECT_EQ(t.Cell(1, 1).wybierany, "6");
}

TEST(CardFileV9, RecognitionNeedsTheExactFirstLine) {
    EXPECT_EQ(RecogniseCardFile(test::kWorkedExampleFile), CardFileKind::Version9);
    EXPECT_EQ(RecogniseCardFile("RUF-KARTYv9"), CardFileKind::Version9); // no line end at all
    EXPECT_EQ(RecogniseCardFile("RUF-KARTYv2\r\n"), CardFileKind::Version2);
    EXPECT_EQ(RecogniseCardFile("RUF-KARTYv9 \r\n"), CardFileKind::NotCardFile);
    EXPECT_EQ(RecogniseCardFile("ruf-kartyv9\r\n"), CardFileKind::NotCardFile);
    EXPECT_EQ(RecogniseCardFile("RUF-KARTYv9\n[KARTY]\n"), CardFileKind::NotCardFile);
    EXPECT_EQ(RecogniseCardFile("RUF-KARTYv\r\n"), CardFileKind::NotCardFile);
    EXPECT_EQ(RecogniseCardFile(""), CardFileKind::NotCardFile);
    EXPECT_EQ(RecogniseCardFile(std::string("RUF-KARTYv9\0\r\n", 14)), CardFileKind::NotCardFile);
    // The size decides before the contents are looked at.
    EXPECT_EQ(RecogniseCardFile(1000001, test::kWorkedExampleFile), CardFileKind::NotCardFile);
    std::string big = test::kWorkedExampleFile;
    big.resize(1000000, ' ');
    EXPECT_EQ(RecogniseCardFile(big), CardFileKind::Version9);
    big += ' ';
    EXPECT_EQ(RecogniseCardFile(big), CardFileKind::NotCardFile);
}

TEST(CardFileV9, WrongMagicLeavesTheRegisterUntouched) {
    TTablica t = WorkedExampleRegister();
    const CardLoadResult r = LoadCardFile("RUF-KARTYv2\r\n[KARTY]\r\n1;1;1;0;=\r\n", t);
    EXPECT_FALSE(r.loaded);
    EXPECT_EQ(Cards(t), Cards(WorkedExampleRegister()));
}

TEST(CardFileV9, OddLineEndsAndBinaryDoNotBreakLoading) {
    TTablica t;
    // Lone CRs and LFs end lines for the INI reading; a last line without CR LF counts.
    LoadCardFile("RUF-KARTYv9\r[KARTY]\n1;1;1;0;a=\r2;2;2;0;b=\n\n3;3;3;0;c=", t);
    EXPECT_EQ(Cards(t), (std::vector<std::string>{"1/1 1 0 [a]", "2/2 2 0 [b]", "3/3 3 0 [c]"}));

    std::string binary = "RUF-KARTYv9\r\n";
    for (int k = 0; k < 5000; ++k)
        binary += static_cast<char>((k * 7919) % 256);
    binary += "\r\n[KARTY]\r\n1;1;" + std::string(200000, '7') + ";0;huge=\r\n";
    LoadCardFile(binary, t);
    ASSERT_EQ(t.CardCount(), 1);
    EXPECT_EQ(t.Cell(1, 1).lista[0].numer.size(), 200000u);
}

} // namespace
} // namespace korv
