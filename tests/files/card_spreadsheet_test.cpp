#include "files/card_file_v9.h"
#include "files/card_spreadsheet.h"
#include "files/delimited_text.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

// The rows taken, one "line:zone/apartment/card/b1/description/number" each, "|" between; a
// row without a card shows "-" for it.
std::string Rows(const CardSpreadsheet& sheet) {
    std::string out;
    for (const SpreadsheetRow& r : sheet.rows) {
        out += out.empty() ? "" : "|";
        out += std::to_string(r.line) + ":" + std::to_string(r.zone) + "/" +
               std::to_string(r.apartment) + "/";
        out += r.karta ? r.karta->numer + "/" + (r.karta->B1 ? "1" : "0") + "/" + r.karta->opis
                       : std::string("-//");
        out += "/" + r.wybierany;
    }
    return out;
}

std::string Refused(const CardSpreadsheet& sheet) {
    std::string out;
    for (const SpreadsheetRefusal& r : sheet.refused)
        out += (out.empty() ? "" : " ") + std::to_string(r.line) + ":" +
               std::to_string(static_cast<int>(r.fault));
    return out;
}

// Excel's "Unicode text": UTF-16, little-endian, with its byte-order mark.
std::string Utf16Le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (const char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

TEST(CardSpreadsheet, ReadsWhatSpreadsheetProgramsSave) {
    struct Case {
        const char* what;
        std::string bytes;
        char separator;
        bool header;
        std::string rows;
    };
    const std::vector<Case> cases = {
        {"Excel CSV UTF-8 in a Polish locale: BOM, CR LF, Polish header, ;;;;; below",
         "\xEF\xBB\xBFstrefa;lokal;karta;b1;opis;wybierany numer\r\n"
         "1;5;1234567;0;Łódź;0105\r\n1;5;7654321;1;;0105\r\n;;;;;\r\n;;;;;\r\n",
         ';', true, "2:1/5/1234567/0/Łódź/0105|3:1/5/7654321/1//0105"},
        {"Excel with commas: English header in capitals, a quoted comma, no number column",
         "\xEF\xBB\xBFZone,Apartment,Card,B1,Description\r\n2,0,42,0,\"Nowak, Jan\"\r\n", ',', true,
         "2:2/0/42/0/Nowak, Jan/"},
        {"Excel CSV (Windows-1250): no BOM, bytes that are not UTF-8",
         "1;5;99;0;\xa3\xf3\x64\x9f \xbf\xf3\xb3w;\r\n", ';', false, "1:1/5/99/0/Łódź żółw/"},
        {"LibreOffice: no BOM, LF, every text quoted, leading zeros kept as text",
         "\"zone\",\"apartment\",\"card\",\"b1\",\"description\",\"number to dial\"\n"
         "1,7,\"0042\",0,\"Kowalski \"\"Janek\"\"; klatka A\",\"0105\"\n"
         "01,007,\" 43 \",,\"\",\n",
         ',', true, "2:1/7/0042/0/Kowalski \"Janek\"; klatka A/0105|3:1/7/43/0//"},
        {"TSV without a header, blanks around unquoted fields, last line without an end",
         "3\t12\t42\t1\t Door A \t\n 4 \t 255 \t 5 \t 0 \t  \t 9", '\t', false,
         "1:3/12/42/1/Door A/|2:4/255/5/0//9"},
        {"line breaks inside quotes move the line count; blank lines are skipped",
         "zone;apartment;card;b1;description;number to dial\r\n\r\n"
         "1;1;10;0;\"first\r\nsecond\nthird; \"\"x\"\"\";\r\n   \r\n1;2;11;0;after;\r\n",
         ';', true, "3:1/1/10/0/first\r\nsecond\nthird; \"x\"/|7:1/2/11/0/after/"},
        {"a lone CR ends a line; a row with only a number to dial; separators in quotes on the "
         "first line do not decide",
         "\"a;b;c;d\",1,5,0,x,\r1,6,,,,77\r", ',', false, ""},
        {"Excel pads a row with empty cells to the table's width", "1;3;8;0;x;;;;\r\n", ';', false,
         "1:1/3/8/0/x/"},
        {"Excel's Unicode text: UTF-16 with tabs",
         Utf16Le(u"zone\tapartment\tcard\tb1\tdescription\r\n1\t2\t3\t0\tŁódź\r\n"), '\t', true,
         "2:1/2/3/0/Łódź/"},
        {"Excel's separator hint on line 1", "sep=,\r\n1,2,3,0,\"a;b\"\r\n", ',', false,
         "2:1/2/3/0/a;b/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CardSpreadsheet sheet = ReadCardSpreadsheet(c.bytes);
        EXPECT_EQ(sheet.separator, c.separator);
        EXPECT_EQ(sheet.header, c.header);
        if (!c.rows.empty()) {
            EXPECT_EQ(Refused(sheet), "");
            EXPECT_EQ(Rows(sheet), c.rows);
        }
    }
    // The case above whose first field is a quoted text with semicolons: "," was chosen, so the
    // text is one zone field (refused) and line 2 gives apartment 6 its number alone.
    const CardSpreadsheet lone = ReadCardSpreadsheet(cases[6].bytes);
    EXPECT_EQ(Refused(lone), "1:" + std::to_string(static_cast<int>(SpreadsheetFault::Zone)));
    EXPECT_EQ(lone.refused[0].subject, "a;b;c;d");
    EXPECT_EQ(Rows(lone), "2:1/6/-///77");

    // UTF-16 beyond the first plane comes whole, and is named as no card file holds it.
    const CardSpreadsheet house = ReadCardSpreadsheet(Utf16Le(u"1\t2\t3\t0\tdom 🏠"));
    ASSERT_EQ(house.refused.size(), 1u);
    EXPECT_EQ(house.refused[0].characters, std::vector<std::string>{"🏠"});

    // The reader alone: a quote never closed takes the rest of the text and is named.
    const DelimitedText open = ReadDelimitedText("a;b\n\"c;d\ne;f\n");
    ASSERT_EQ(open.records.size(), 1u);
    EXPECT_EQ(open.unclosedQuoteLine, 2);
    EXPECT_EQ(DetectSeparator("\n\t\"x;y;z\"\t1,2\n"), '\t');
}

TEST(CardSpreadsheet, EveryLineThatCannotBeTakenIsNamedWithItsLineAndWhy) {
    const std::string bytes = "zone;apartment;card;b1;description;number to dial\r\n" // 1
                              "1;5;100;0;ok;12\r\n"                                   // 2
                              "5;5;101;0;;\r\n"                                       // 3 zone
                              "1;256;102;0;;\r\n"                                     // 4 apt
                              "1;x;103;0;;\r\n"                                       // 5 apt
                              "1;6;268435456;0;;\r\n"                                 // 6 card
                              "1;6;1.2E+07;0;;\r\n"                                   // 7 card
                              "1;6;104;2;;\r\n"                                       // 8 b1
                              "1;6;105;0;\"a=b ☺\";\r\n"                              // 9 desc
                              "1;5;106;0;;13\r\n"                                     // 10
                              "1;6;107;0;;12345\r\n"                                  // 11 dial
                              "1;6;108;0\r\n"                                         // 12 count
                              "1;6;109;0;;;x\r\n"                                     // 13 count
                              "1;7;;0;lost;\r\n"                                      // 14 none
                              "1;8;;;;\r\n"                                           // 15 none
                              "2;1;0100;0;\"two\nlines\";\r\n"                        // 16, 17
                              "1;6;110;0;\"never closed\r\n";                         // 18
    const CardSpreadsheet sheet = ReadCardSpreadsheet(bytes);
    using F = SpreadsheetFault;
    const std::vector<std::pair<int, F>> expected = {
        {3, F::Zone},        {4, F::Apartment},           {5, F::Apartment},
        {6, F::CardNumber},  {7, F::CardNotDigits},       {8, F::B1},
        {9, F::Description}, {10, F::DialNumberConflict}, {11, F::DialNumber},
        {12, F::FieldCount}, {13, F::FieldCount},         {14, F::NoCard},
        {15, F::NoCard},     {16, F::CardTwice},          {18, F::QuoteNotClosed}};
    ASSERT_EQ(sheet.refused.size(), expected.size()) << Refused(sheet);
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(sheet.refused[k].line, expected[k].first) << k;
        EXPECT_EQ(sheet.refused[k].fault, expected[k].second) << k;
    }
    EXPECT_EQ(sheet.refused[0].subject, "5");
    EXPECT_EQ(sheet.refused[4].subject, "1.2E+07");
    EXPECT_EQ(sheet.refused[6].characters, (std::vector<std::string>{"=", "☺"}));
    EXPECT_EQ(sheet.refused[7].subject, "13");
    EXPECT_EQ(sheet.refused[7].other, "12");
    EXPECT_EQ(sheet.refused[7].otherLine, 2);
    EXPECT_EQ(sheet.refused[9].count, 4);
    EXPECT_EQ(sheet.refused[10].count, 7);
    EXPECT_EQ(sheet.refused[13].subject, "0100");
    EXPECT_EQ(sheet.refused[13].otherLine, 2);
}

TEST(CardSpreadsheet, MergeRefusesTheWholeFileAtTheFirstRowTheRegisterConflictsWith) {
    // (A card already registered and too many cards: the command and korv-cli tests.)
    TTablica base;
    base.Cell(1, 4).wybierany = "14";
    base.AddCard(1, 4, {"1", false, ""});
    const std::string before = CardFileText(base);
    const auto r =
        MergeCardSpreadsheet(ReadCardSpreadsheet("1;3;7;0;;\r\n1;4;;;;15\r\n1;3;1;0;;\r\n"), base);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->line, 2);
    EXPECT_EQ(r->fault, SpreadsheetFault::DialNumberInRegister);
    EXPECT_EQ(r->other, "14");
    EXPECT_EQ(CardFileText(base), before);

    // A good file: cards after the apartment's own, its own number to dial agreeing.
    ASSERT_FALSE(
        MergeCardSpreadsheet(ReadCardSpreadsheet("1;4;2;1;x;14\n1;4;0;0;;\n2;9;;;;7\n"), base));
    ASSERT_EQ(base.Cell(1, 4).lista.size(), 3u);
    EXPECT_EQ(base.Cell(1, 4).lista[1], (TKarta{"2", true, "x"}));
    EXPECT_EQ(base.Cell(1, 4).lista[2].numer, "0");
    EXPECT_EQ(base.Cell(2, 9).wybierany, "7");
}

TEST(CardSpreadsheet, ARegisterExportedAndImportedGivesTheSameCardFile) {
    TTablica tablica;
    tablica.AddCard(1, 0, {"1", true, "Administrator; główny"});
    tablica.AddCard(1, 5, {"7654321", false, ""});
    tablica.AddCard(1, 5, {"1234567", false, "Kowalski \"Jasio\", Łódź"});
    tablica.Cell(1, 5).wybierany = "0105";
    tablica.Cell(1, 6).wybierany = "106"; // a number to dial, no cards
    tablica.AddCard(2, 255, {"0042", false, " blanks at both ends "});
    tablica.AddCard(3, 128, {"268435455", true, "Żółta brama\tzakład"});
    tablica.Cell(3, 129).wybierany = "9";
    tablica.AddCard(4, 17, {"99", false, "a line\nbreak"});
    tablica.AddCard(4, 17, {"97", false, "\tindented\t"});
    tablica.AddCard(4, 17, {"98", false, "ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ"});
    tablica.Cell(4, 17).wybierany = "4017";

    for (const SpreadsheetHeader header : {SpreadsheetHeader::English, SpreadsheetHeader::Polish}) {
        const std::string text = CardSpreadsheetText(tablica, header);
        EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u);
        const std::string first =
            header == SpreadsheetHeader::English
                ? "zone;apartment;card;b1;description;number to dial\r\n1;0;1;1;"
                  "\"Administrator; główny\";\r\n"
                : "strefa;lokal;karta;b1;opis;wybierany numer\r\n";
        EXPECT_EQ(text.substr(3, first.size()), first);
        EXPECT_NE(text.find("\r\n1;6;;;;106\r\n"), std::string::npos);

        const CardSpreadsheet sheet = ReadCardSpreadsheet(text);
        EXPECT_TRUE(sheet.header);
        EXPECT_EQ(Refused(sheet), "");
        TTablica back;
        ASSERT_FALSE(MergeCardSpreadsheet(sheet, back));
        EXPECT_EQ(CardFileText(back), CardFileText(tablica));
        EXPECT_EQ(back.Cell(4, 17).lista[0].opis, "a line\nbreak");
        const SpreadsheetCounts counts = CountSpreadsheet(sheet);
        EXPECT_EQ(counts.cards, 8);
        EXPECT_EQ(counts.apartments, 5);
        EXPECT_EQ(counts.dialNumbers, 4);
    }
}

} // namespace
} // namespace korv
