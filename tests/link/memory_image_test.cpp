// The module's memory image: how many pages a transfer touches, records both ways, trailers,
// and the refusal of numbers a record cannot hold.
#include "link/memory_image.h"

#include "link/clock.h"
#include "link/ftdi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace korv {
namespace {

struct Image {
    link::VirtualClock clock;
    link::TBEXFTDI port{clock, std::nullopt};

    // Assembles pages 0..last as a write would, each page's 64 data bytes.
    std::vector<std::vector<std::uint8_t>> Pages(const TTablica& t, int last,
                                                 const PageContext& context) {
        std::vector<std::vector<std::uint8_t>> pages;
        WriteCursor cursor;
        for (int n = 0; n <= last; ++n) {
            EXPECT_TRUE(AssemblePage(port, n, cursor, t, context));
            pages.emplace_back(port.buf_in.begin() + 2, port.buf_in.begin() + 66);
        }
        return pages;
    }
    // Decodes one page's data bytes as a read would.
    static void Decode(const std::vector<std::uint8_t>& page, TTablica& t) {
        link::PortBuffer reply{};
        std::copy(page.begin(), page.end(), reply.begin());
        for (int r = 1; r <= 12; ++r)
            DecodeCardRecord(reply, r, t);
    }
};

TEST(MemoryImage, LastPageForReadAndWriteOnBothModules) {
    for (int count : {-1, 0, 1, 12})
        EXPECT_EQ(LastPageToRead(count, link::kFullModule), 0) << count;
    EXPECT_EQ(LastPageToRead(13, link::kFullModule), 1);
    EXPECT_EQ(LastPageToRead(12, link::kZadaModule), 1); // page 1 carries the ZADA settings
    EXPECT_EQ(LastPageToRead(-1, link::kZadaModule), 1);
    EXPECT_EQ(LastPageToRead(6144, link::kFullModule), 511);
    EXPECT_EQ(LastPageToRead(65535, link::kFullModule), kLastModulePage); // no module holds it
    EXPECT_EQ(LastPageToWrite(0, link::kFullModule), -1);
    EXPECT_EQ(LastPageToWrite(0, link::kZadaModule), -1); // no page at all, ZADA or not
    EXPECT_EQ(LastPageToWrite(12, link::kFullModule), 0);
    EXPECT_EQ(LastPageToWrite(12, link::kZadaModule), 1);
    EXPECT_EQ(LastPageToWrite(25, link::kFullModule), 2);
    EXPECT_EQ(LastPageToWrite(6144, link::kZadaModule), 511);
}

TEST(MemoryImage, TheCountLaysItsCardsOverThePagesInOrder) {
    // Walking every page a read touches meets each card once, at its place in the packed list.
    for (int count : {0, 1, 11, 12, 13, 25, 6144, 7000}) {
        int met = 0;
        for (int n = 0; n <= LastPageToRead(count, link::kZadaModule); ++n) {
            for (int r = 1; r <= CardRecordsOnPage(count, n); ++r, ++met)
                ASSERT_EQ(met, n * 12 + r - 1) << count;
            EXPECT_EQ(CardsThroughPage(count, n), met) << count;
        }
        EXPECT_EQ(met, std::min(count, MaxCards)) << count;
    }
    EXPECT_EQ(CardRecordsOnPage(25, 2), 1);
    EXPECT_EQ(CardRecordsOnPage(25, 3), 0);
    EXPECT_EQ(CardRecordsOnPage(-1, 0), 0);
}

TEST(MemoryImage, WrittenPagesHoldRecordsAndTrailersAndReadBackInRegisterOrder) {
    TTablica t;
    for (int k = 0; k < 25; ++k)
        t.AddCard(1, 0, {std::to_string(1000 + k), k == 3, "door"});
    t.AddCard(4, 255, {"268435455", true, ""});
    t.AddCard(2, 7, {"000123", false, "zeros"});
    t.Cell(3, 3).wybierany = "33";
    Image image;
    const auto pages = image.Pages(t, LastPageToWrite(t.CardCount(), link::kZadaModule),
                                   {link::kZadaModule, "5172", {12, 2, false}});
    ASSERT_EQ(pages.size(), 3u);

    // Page 0: first card 1000 = E8 03 00, zone 1, apartment 0; count 27; password in BCD.
    EXPECT_EQ(std::vector<std::uint8_t>(pages[0].begin(), pages[0].begin() + 5),
              (std::vector<std::uint8_t>{0xE8, 0x03, 0x00, 0x01, 0x00}));
    EXPECT_EQ(pages[0][15 + 3], 0x09); // the fourth card carries B1
    EXPECT_EQ(std::vector<std::uint8_t>(pages[0].begin() + 60, pages[0].end()),
              (std::vector<std::uint8_t>{0x00, 27, 0x51, 0x72}));
    // Page 1 of a ZADA module: its settings; page 2: the 25th card of zone 1, then the others
    // in register order, then free slots and an all-FF trailer.
    EXPECT_EQ(std::vector<std::uint8_t>(pages[1].begin() + 60, pages[1].end()),
              (std::vector<std::uint8_t>{12, 2, 1, 0xFF}));
    EXPECT_EQ(pages[2][0], (1024 & 0xFF));
    EXPECT_EQ(std::vector<std::uint8_t>(pages[2].begin() + 5, pages[2].begin() + 10),
              (std::vector<std::uint8_t>{123, 0, 0, 0x02, 7}));
    EXPECT_EQ(std::vector<std::uint8_t>(pages[2].begin() + 10, pages[2].begin() + 15),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFC, 0xFF}));
    for (int b = 15; b < 64; ++b)
        EXPECT_EQ(pages[2][b], 0xFF) << b;

    // Read back: same cards in the same order, descriptions empty, leading zeros gone, numbers
    // to dial untouched.
    TTablica back;
    back.Cell(3, 3).wybierany = "33";
    for (const auto& page : pages)
        Image::Decode(page, back);
    ASSERT_EQ(back.CardCount(), 27);
    for (int k = 0; k < 25; ++k)
        EXPECT_EQ(back.Cell(1, 0).lista[k], (TKarta{std::to_string(1000 + k), k == 3, ""}));
    EXPECT_EQ(back.Cell(2, 7).lista[0].numer, "123");
    EXPECT_EQ(back.Cell(4, 255).lista[0], (TKarta{"268435455", true, ""}));
    EXPECT_EQ(back.Cell(3, 3).wybierany, "33");

    // A full module's page 1 is an ordinary page.
    const auto full = image.Pages(t, 2, {link::kFullModule, "5172", {}});
    EXPECT_EQ(std::vector<std::uint8_t>(full[1].begin() + 60, full[1].end()),
              (std::vector<std::uint8_t>(4, 0xFF)));
}

TEST(MemoryImage, RecordsWithoutAZoneGiveNoCard) {
    TTablica t;
    link::PortBuffer reply{};
    std::fill(reply.begin(), reply.begin() + 5, 0xFF); // free slot, zone code 7
    // record 2 stays 00 00 00 00 00: zone code 0
    const std::uint8_t zone5[] = {1, 0, 0, 0x05, 0};
    std::copy(std::begin(zone5), std::end(zone5), reply.begin() + 10);
    for (int r = 0; r <= 13; ++r)
        EXPECT_FALSE(DecodeCardRecord(reply, r, t)) << r;
    EXPECT_EQ(t.CardCount(), 0);
}

TEST(MemoryImage, NumbersARecordCannotHoldAreRefusedNotTruncated) {
    for (const char* numer :
         {"268435456", "4294967297", "-1", "12a", "", " 5", "99999999999999999999"}) {
        TTablica t;
        t.AddCard(1, 0, {"5", false, ""});
        t.AddCard(2, 9, {numer, false, "bad"});
        const auto first = FirstCardModuleCannotHold(t);
        ASSERT_TRUE(first.has_value()) << numer;
        EXPECT_EQ(first->i, 2);
        EXPECT_EQ(first->j, 9);
        EXPECT_EQ(first->karta.numer, numer);
        Image image;
        WriteCursor cursor;
        EXPECT_FALSE(AssemblePage(image.port, 0, cursor, t, {link::kFullModule, "5172", {}}))
            << numer;
    }
    TTablica ok;
    ok.AddCard(1, 0, {"0268435455", false, ""});
    EXPECT_FALSE(FirstCardModuleCannotHold(ok).has_value());
    EXPECT_FALSE(WhyModuleCannotTake(ok).has_value());

    // A full register with one number too large names that card; one card more is refused
    // for its count first.
    TTablica full;
    full.AddCard(4, 255, {"268435456", false, ""});
    for (int k = 1; k < MaxCards; ++k)
        full.AddCard(1, k % ApartmentCount, {std::to_string(k), false, ""});
    auto why = WhyModuleCannotTake(full);
    ASSERT_TRUE(why.has_value());
    ASSERT_FALSE(why->TooManyCards());
    EXPECT_EQ(why->card->karta.numer, "268435456");
    full.AddCard(2, 0, {"7", false, ""});
    why = WhyModuleCannotTake(full);
    ASSERT_TRUE(why.has_value());
    EXPECT_TRUE(why->TooManyCards());
    EXPECT_EQ(why->cards, MaxCards + 1);
}

TEST(MemoryImage, PackPasswordTakesTwoPairsOfTwoCharacters) {
    EXPECT_EQ(link::PackPassword("519F"), (link::PasswordBytes{0x51, 0x9F}));
    EXPECT_EQ(link::PackPassword("51729"), (link::PasswordBytes{0x51, 0x72}));
    EXPECT_EQ(link::PackPassword("5"), (link::PasswordBytes{0, 0}));
    EXPECT_EQ(link::PackPassword("517"), (link::PasswordBytes{0x51, 0}));
}

} // namespace
} // namespace korv
