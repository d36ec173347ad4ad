#include "commands/register_report.h"

#include "i18n/catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace korv {
namespace {

using Kind = ReportLineKind;

std::vector<const ReportLine*> LinesOf(const RegisterReport& r, Kind kind) {
    std::vector<const ReportLine*> found;
    for (const ReportPage& p : r.pages)
        for (const ReportLine& l : p.lines)
            if (l.kind == kind)
                found.push_back(&l);
    return found;
}

// Zone 1: apartment 1 with 3 cards and a number to dial, apartment 2 with a number to dial
// only, apartment 5 with 1 card; zone 3: apartment 200 with 2 cards. Zone 2 holds an apartment
// with nothing in it, and zone 4 nothing at all.
std::unique_ptr<TTablica> SmallBuilding() {
    auto t = std::make_unique<TTablica>();
    t->AddCard(1, 1, {"4412873", false, "Kowalski"});
    t->AddCard(1, 1, {"4412874", true, "Kowalska"});
    t->AddCard(1, 1, {"4412875", false, ""});
    t->Cell(1, 1).wybierany = "0101";
    t->Cell(1, 2).wybierany = "0102";
    t->AddCard(1, 5, {"5529011", false, "Nowak"});
    t->AddCard(3, 200, {"77", false, "Żółć"});
    t->AddCard(3, 200, {"78", false, "Gęś"});
    return t;
}

TEST(RegisterReport, TotalsPerZoneAndOverallCountWhatIsListed) {
    const auto t = SmallBuilding();
    const RegisterReport r = LayOutRegisterReport(*t, "/home/jan/a.zel", "2026-12-10", English, 60);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(r.cards, 6);
    EXPECT_EQ(r.apartments, 4);

    const auto zones = LinesOf(r, Kind::ZoneHeading);
    ASSERT_EQ(zones.size(), 2u); // zones 2 and 4 have nothing to list
    EXPECT_EQ(zones[0]->text, "Zone 1");
    EXPECT_EQ(zones[1]->text, "Zone 3");
    const auto totals = LinesOf(r, Kind::ZoneTotal);
    ASSERT_EQ(totals.size(), 2u);
    EXPECT_EQ(totals[0]->text, "Zone 1 total: cards 4, apartments 3");
    EXPECT_EQ(totals[1]->text, "Zone 3 total: cards 2, apartments 1");
    const auto grand = LinesOf(r, Kind::GrandTotal);
    ASSERT_EQ(grand.size(), 1u);
    EXPECT_EQ(grand[0]->text, "Whole register: cards 6, apartments 4");
    EXPECT_EQ(&r.pages.back().lines.back(), grand[0]);

    const auto apartments = LinesOf(r, Kind::ApartmentHeading);
    ASSERT_EQ(apartments.size(), 4u);
    EXPECT_EQ(apartments[0]->text, "Apartment 1");
    EXPECT_EQ(apartments[0]->dialText, "number to dial: 0101");
    EXPECT_EQ(apartments[1]->apartment, 2);
    EXPECT_EQ(apartments[2]->dialText, ""); // apartment 5 has no number to dial
    EXPECT_EQ(apartments[3]->zone, 3);
    EXPECT_EQ(apartments[3]->apartment, 200);

    const auto cards = LinesOf(r, Kind::Card);
    ASSERT_EQ(cards.size(), 6u);
    EXPECT_EQ(cards[1]->number, "4412874");
    EXPECT_EQ(cards[1]->b1, "1");
    EXPECT_EQ(cards[0]->b1, "0");
    EXPECT_EQ(cards[4]->description, "Żółć");

    EXPECT_EQ(r.fileLine, "File: /home/jan/a.zel");
    EXPECT_EQ(r.dateLine, "Date: 2026-12-10");
    EXPECT_EQ(r.pages[0].footer, "Page 1 of 1");
}

TEST(RegisterReport, HeadingsInPolishAndEnglishAndTheOtherLanguagesGetEnglish) {
    const auto t = SmallBuilding();
    const RegisterReport pl = LayOutRegisterReport(*t, "", "2026-12-10", Polish, 60);
    EXPECT_EQ(pl.title, "Rejestr kart");
    EXPECT_EQ(pl.fileLine, "Plik: (rejestr nie zapisany w pliku)");
    EXPECT_EQ(pl.numberCaption, "Numer karty");
    EXPECT_EQ(pl.descriptionCaption, "Opis");
    EXPECT_EQ(LinesOf(pl, Kind::ZoneHeading)[0]->text, "Strefa 1");
    EXPECT_EQ(LinesOf(pl, Kind::ApartmentHeading)[0]->text, "Lokal 1");
    EXPECT_EQ(LinesOf(pl, Kind::ApartmentHeading)[0]->dialText, "numer do wybrania: 0101");
    EXPECT_EQ(LinesOf(pl, Kind::ZoneTotal)[0]->text, "Strefa 1 razem: kart 4, lokali 3");
    EXPECT_EQ(LinesOf(pl, Kind::GrandTotal)[0]->text, "Cały rejestr: kart 6, lokali 4");
    EXPECT_EQ(pl.pages[0].footer, "Strona 1 z 1");

    const RegisterReport en = LayOutRegisterReport(*t, "", "2026-12-10", English, 60);
    EXPECT_EQ(en.title, "Card register");
    EXPECT_EQ(en.fileLine, "File: (register not saved to a file)");
    const RegisterReport de = LayOutRegisterReport(*t, "", "2026-12-10", German, 60);
    EXPECT_EQ(de.title, en.title);
    EXPECT_EQ(de.pages[0].footer, "Page 1 of 1");
}

TEST(RegisterReport, AnEmptyRegisterGivesOnePageSayingSo) {
    TTablica t;
    t.AddCard(2, 9, {"1", false, ""});
    t.DeleteCard(2, 9, 0); // an apartment emptied again is not listed
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
