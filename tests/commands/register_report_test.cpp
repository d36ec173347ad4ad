#include "commands/register_report.h"

#include "i18n/catalogue.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

namespace korv {
namespace {

using Kind = ReportLineKind;

// Every line of every page as one text: kind, then what it shows.
std::vector<std::string> Body(const RegisterReport& r) {
    std::vector<std::string> body;
    for (const ReportPage& p : r.pages)
        for (const ReportLine& l : p.lines)
            switch (l.kind) {
            case Kind::Card:
                body.push_back("C " + l.number + " " + l.b1 + " " + l.description);
                break;
            case Kind::ApartmentHeading:
                body.push_back("A " + l.text + (l.dialText.empty() ? "" : " | " + l.dialText));
                break;
            case Kind::Blank:
                body.push_back("");
                break;
            default:
                body.push_back("- " + l.text);
            }
    return body;
}

// Zone 1: apartment 1 with 3 cards and a number to dial, apartment 2 with a number to dial
// only, apartment 5 with 1 card, apartment 9 emptied; zone 3: apartment 200 with 2 cards.
// Zones 2 and 4 hold nothing.
std::unique_ptr<TTablica> SmallBuilding() {
    auto t = std::make_unique<TTablica>();
    t->AddCard(1, 1, {"4412873", false, "Kowalski"});
    t->AddCard(1, 1, {"4412874", true, "Kowalska"});
    t->AddCard(1, 1, {"4412875", false, ""});
    t->Cell(1, 1).wybierany = "0101";
    t->Cell(1, 2).wybierany = "0102";
    t->AddCard(1, 5, {"5529011", false, "Nowak"});
    t->AddCard(1, 9, {"1", false, ""});
    t->DeleteCard(1, 9, 0);
    t->AddCard(3, 200, {"77", false, "Żółć"});
    t->AddCard(3, 200, {"78", false, "Gęś"});
    return t;
}

TEST(RegisterReport, ZonesApartmentsCardsAndTotalsInBothLanguages) {
    const auto t = SmallBuilding();
    const RegisterReport en =
        LayOutRegisterReport(*t, "/home/jan/a.zel", "2026-12-10", English, 60);
    EXPECT_EQ(Body(en), (std::vector<std::string>{
                            "- Zone 1",
                            "A Apartment 1 | number to dial: 0101",
                            "C 4412873 0 Kowalski",
                            "C 4412874 1 Kowalska",
                            "C 4412875 0 ",
                            "A Apartment 2 | number to dial: 0102",
                            "A Apartment 5",
                            "C 5529011 0 Nowak",
                            "- Zone 1 total: cards 4, apartments 3",
                            "",
                            "- Zone 3",
                            "A Apartment 200",
                            "C 77 0 Żółć",
                            "C 78 0 Gęś",
                            "- Zone 3 total: cards 2, apartments 1",
                            "- Whole register: cards 6, apartments 4",
                        }));
    EXPECT_EQ(en.cards, 6);
    EXPECT_EQ(en.apartments, 4);
    EXPECT_EQ(en.title, "Card register");
    EXPECT_EQ(en.fileLine, "File: /home/jan/a.zel");
    EXPECT_EQ(en.dateLine, "Date: 2026-12-10");
    EXPECT_EQ(en.pages.at(0).footer, "Page 1 of 1");

    const RegisterReport pl = LayOutRegisterReport(*t, "", "2026-12-10", Polish, 60);
    const auto body = Body(pl);
    ASSERT_EQ(body.size(), 16u);
    EXPECT_EQ(body[0], "- Strefa 1");
    EXPECT_EQ(body[1], "A Lokal 1 | numer do wybrania: 0101");
    EXPECT_EQ(body[8], "- Strefa 1 razem: kart 4, lokali 3");
    EXPECT_EQ(body[15], "- Cały rejestr: kart 6, lokali 4");
    EXPECT_EQ(pl.title, "Rejestr kart");
    EXPECT_EQ(pl.fileLine, "Plik: (rejestr nie zapisany w pliku)");
    EXPECT_EQ(pl.numberCaption, "Numer karty");
    EXPECT_EQ(pl.descriptionCaption, "Opis");
    EXPECT_EQ(pl.pages.at(0).footer, "Strona 1 z 1");

    // The other languages print the English texts, as every own text does.
    const RegisterReport de = LayOutRegisterReport(*t, "", "2026-12-10", German, 60);
    EXPECT_EQ(de.fileLine, "File: (register not saved to a file)");
    EXPECT_EQ(Body(de), Body(en));
}

TEST(RegisterReport, AnEmptyRegisterGivesOnePageSayingSo) {
    TTablica t;
    for (const int language : {Polish, English}) {
        const RegisterReport r = LayOutRegisterReport(t, "", "2026-12-10", language, 40);
        ASSERT_EQ(r.pages.size(), 1u);
        ASSERT_EQ(r.pages[0].lines.size(), 1u);
        EXPECT_EQ(r.pages[0].lines[0].kind, Kind::NoCards);
        EXPECT_EQ(r.pages[0].lines[0].text, language == Polish ? "Rejestr nie zawiera kart."
                                                               : "The register holds no cards.");
        EXPECT_EQ(r.cards, 0);
    }
}

// Every card once, in register order; no page over its capacity; an apartment's heading never
// last on a page; a page that starts inside a zone or an apartment says so first; the zone's
// total with the zone's last line; the footers count the pages.
void CheckPages(const TTablica& t, const RegisterReport& r, int capacity) {
    std::vector<std::pair<CardPosition, std::string>> expected, printed;
    t.ForEachCard([&](int z, int a, int, const TKarta& k) {
        expected.push_back({{z, a}, k.numer});
    });
    const std::string count = std::to_string(r.pages.size());
    for (std::size_t n = 0; n < r.pages.size(); ++n) {
        const auto& lines = r.pages[n].lines;
        SCOPED_TRACE("page " + std::to_string(n + 1));
        EXPECT_EQ(r.pages[n].footer, "Page " + std::to_string(n + 1) + " of " + count);
        ASSERT_FALSE(lines.empty());
        EXPECT_LE(static_cast<int>(lines.size()), capacity);
        EXPECT_NE(lines.front().kind, Kind::Blank);
        EXPECT_NE(lines.back().kind, Kind::Blank);
        EXPECT_NE(lines.back().kind, Kind::ZoneHeading);
        if (lines.back().kind == Kind::ApartmentHeading) {
            EXPECT_TRUE(t.Cell(lines.back().zone, lines.back().apartment).lista.empty())
                << "apartment " << lines.back().apartment << " left alone at the bottom";
        }
        EXPECT_NE(lines.front().kind, Kind::ZoneTotal);
        EXPECT_NE(lines.front().kind, Kind::GrandTotal);
        if (n > 0) {
            EXPECT_EQ(lines.front().kind, Kind::ZoneHeading) << "a page starts without its zone";
        }
        if (lines.front().kind == Kind::ZoneHeading && lines.front().continued) {
            EXPECT_EQ(lines.front().zone, r.pages[n - 1].lines.back().zone);
            EXPECT_NE(lines[1].kind, Kind::Card) << "a card at the top without its apartment";
        }
        int zone = 0, apartment = -1;
        for (const ReportLine& l : lines) {
            if (l.kind == Kind::ZoneHeading)
                zone = l.zone;
            if (l.kind == Kind::ApartmentHeading) {
                EXPECT_EQ(l.zone, zone);
                apartment = l.apartment;
            }
            if (l.kind == Kind::Card) {
                EXPECT_EQ(l.zone, zone);
                EXPECT_EQ(l.apartment, apartment);
                printed.push_back({{l.zone, l.apartment}, l.number});
            }
        }
    }
    ASSERT_EQ(printed.size(), expected.size());
    for (std::size_t i = 0; i < printed.size(); ++i) {
        EXPECT_EQ(printed[i].first.zone, expected[i].first.zone);
        EXPECT_EQ(printed[i].first.apartment, expected[i].first.apartment);
        EXPECT_EQ(printed[i].second, expected[i].second);
    }
}

TEST(RegisterReport, PagesBreakWithoutLosingOrOrphaningAnything) {
    // Apartments of 1 to 6 cards in every zone, some with numbers to dial only, so that at
    // every capacity some apartment's heading falls on a page's last line.
    auto t = std::make_unique<TTablica>();
    int numer = 1000;
    for (int z = 1; z <= 4; ++z)
        for (int a = z; a < 60; a += 3) {
            const int n = (a * 7 + z) % 7;
            for (int k = 0; k < n; ++k)
                t->AddCard(z, a, {std::to_string(numer++), k % 2 == 1, "opis"});
            if (n == 0 || a % 5 == 0)
                t->Cell(z, a).wybierany = std::to_string(a);
        }
    for (int capacity = kMinReportLinesPerPage; capacity <= 40; ++capacity) {
        SCOPED_TRACE("capacity " + std::to_string(capacity));
        const RegisterReport r = LayOutRegisterReport(*t, "", "", English, capacity);
        EXPECT_GT(r.pages.size(), 1u);
        CheckPages(*t, r, capacity);
        EXPECT_EQ(r.cards, t->CardCount());
    }
    // Below the least capacity the pages are laid out as at the least one.
    const RegisterReport tiny = LayOutRegisterReport(*t, "", "", English, 1);
    CheckPages(*t, tiny, kMinReportLinesPerPage);

    // One zone, one apartment with many cards: it goes on page after page under its heading.
    TTablica one;
    for (int k = 0; k < 30; ++k)
        one.AddCard(2, 17, {std::to_string(500 + k), false, ""});
    const RegisterReport r = LayOutRegisterReport(one, "", "", English, 8);
    CheckPages(one, r, 8);
    ASSERT_GE(r.pages.size(), 2u);
    const auto& second = r.pages[1].lines;
    EXPECT_EQ(second[0].text, "Zone 2 (continued)");
    EXPECT_EQ(second[1].text, "Apartment 17 (continued)");
    EXPECT_EQ(second[1].kind, Kind::ApartmentHeading);
}

} // namespace
} // namespace korv
