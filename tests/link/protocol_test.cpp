// The module requests over the recording fake: exact frames, the waits between sending and
// reading, and how each reply is judged.
#include "link/ftdi.h"
#include "link/memory_image.h"

#include "support/fake_d2xx.h"
#include "support/port_calls.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace korv::test {
namespace {

using link::TBEXFTDI;
using link::ZadaSettings;

Bytes WithCheck(Bytes b) {
    unsigned sum = 1;
    for (auto x : b)
        sum += x;
    b.push_back(static_cast<std::uint8_t>(sum));
    return b;
}

Bytes PageReply(std::uint8_t fill, std::uint8_t b60, std::uint8_t b61, std::uint8_t b62,
                std::uint8_t b63) {
    Bytes page(64, fill);
    page[60] = b60;
    page[61] = b61;
    page[62] = b62;
    page[63] = b63;
    return WithCheck(page);
}

class ProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake.Install(clock);
        ASSERT_EQ(port.Open(), link::PortResult::Ok);
        fake.calls.clear();
    }
    // Time from the last write to the first read after it.
    std::uint64_t WaitBeforeRead() const { return fake.reads.back().at - fake.writtenAt.back(); }

    link::VirtualClock clock;
    FakeD2xx fake;
    TBEXFTDI port{clock, fake.Driver()};
};

TEST_F(ProtocolTest, PageReadFramesAddressBothBanksAndRefuseOutsidePages) {
    EXPECT_NE(port.ReadPage(-1), link::PortResult::Ok);
    EXPECT_NE(port.ReadPage(512), link::PortResult::Ok);
    EXPECT_NE(port.WritePage(-1), link::PortResult::Ok);
    EXPECT_NE(port.WritePage(512), link::PortResult::Ok);
    EXPECT_TRUE(fake.written.empty());
    EXPECT_EQ(clock.TickMs(), 0u);

    fake.replies = {PageReply(1, 0, 0, 0, 0), PageReply(2, 0, 0, 0, 0), PageReply(3, 0, 0, 0, 0),
                    PageReply(4, 0, 0, 0, 0)};
    port.ReadPage(255);
    port.ReadPage(256);
    port.ReadPage(511);
    port.ReadPage(0);
    ASSERT_EQ(fake.written.size(), 4u);
    EXPECT_EQ(fake.written[0], (Bytes{'A', 0xFF, 0x41}));
    EXPECT_EQ(fake.written[1], (Bytes{'D', 0x00, 0x45}));
    EXPECT_EQ(fake.written[2], (Bytes{'D', 0xFF, 0x44}));
    EXPECT_EQ(fake.written[3], (Bytes{'A', 0x00, 0x42}));
    // 20 ms after sending, 5 ms of clearing, then the 65-byte read.
    EXPECT_EQ(WaitBeforeRead(), 25u);
    EXPECT_EQ(fake.reads.back().asked, 65u);
}

TEST_F(ProtocolTest, PageReadAcceptsOnlyAWholeReplyWithItsCheckByte) {
    const Bytes good = PageReply(0x11, 1, 2, 3, 4);
    fake.replies = {good};
    EXPECT_EQ(port.ReadPage(7), link::PortResult::Ok);
    EXPECT_EQ(port.buf_out[0], 0x11);
    EXPECT_EQ(port.buf_out[63], 4);

    Bytes bad = good;
    ASSERT_EQ(bad.size(), 65u);
    bad[64] ^= 1; // the check byte
    fake.replies = {bad};
    EXPECT_NE(port.ReadPage(7), link::PortResult::Ok);

    fake.replies = {Bytes(good.begin(), good.end() - 1)};
    EXPECT_NE(port.ReadPage(7), link::PortResult::Ok);

    fake.replies = {Bytes{}};
    EXPECT_NE(port.ReadPage(7), link::PortResult::Ok);
}

TEST_F(ProtocolTest, PageWriteSendsTheCallersBytesAndWaitsByBank) {
    for (int i = 0; i < 64; ++i)
        port.buf_in[2 + i] = static_cast<std::uint8_t>(i * 3);
    fake.replies = {WithCheck({'E', 1})};
    EXPECT_EQ(port.WritePage(300), link::PortResult::Ok);
    const Bytes& frame = fake.written.back();
    ASSERT_EQ(frame.size(), 67u);
    EXPECT_EQ(frame[0], 'E');
    EXPECT_EQ(frame[1], 0x2C);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(frame[2 + i], i * 3);
    EXPECT_EQ(frame, WithCheck(Bytes(frame.begin(), frame.end() - 1)));
    EXPECT_EQ(WaitBeforeRead(), 15u); // 10 ms for the high bank, 5 ms clearing
    EXPECT_EQ(fake.reads.back().asked, 3u);

    fake.replies = {WithCheck({'B', 1})};
    EXPECT_EQ(port.WritePage(5), link::PortResult::Ok);
    EXPECT_EQ(fake.written.back()[0], 'B');
    EXPECT_EQ(fake.written.back()[1], 5);
    EXPECT_EQ(WaitBeforeRead(), 10u);

    fake.replies = {WithCheck({'B', 0})};
    EXPECT_NE(port.WritePage(5), link::PortResult::Ok);
    fake.replies = {{'B', 1, 0}};
    EXPECT_NE(port.WritePage(5), link::PortResult::Ok);
    fake.replies = {{'B', 1}};
    EXPECT_NE(port.WritePage(5), link::PortResult::Ok);
}

TEST_F(ProtocolTest, EachWayARequestFailsHasItsOwnResult) {
    using link::PortResult;
    const auto write = [&](Bytes reply) {
        fake.replies = {std::move(reply)};
        return port.WritePage(5);
    };
    EXPECT_EQ(write({}), PortResult::NoReply);
    EXPECT_EQ(write({'B', 1}), PortResult::ShortReply);
    EXPECT_EQ(write({'B', 1, 0}), PortResult::BadCheck);
    EXPECT_EQ(write(WithCheck({'B', 0})), PortResult::Refused);
    EXPECT_EQ(write(WithCheck({'B', 1})), PortResult::Ok);

    // The count is handed over only with a whole, checked reply.
    int count = 7;
    fake.replies = {{0x01}};
    EXPECT_EQ(port.LiczbaKart(count), PortResult::ShortReply);
    fake.replies = {{0x01, 0x2C, 0x2F}};
    EXPECT_EQ(port.LiczbaKart(count), PortResult::BadCheck);
    EXPECT_EQ(count, 7);
    fake.replies = {{'C', 0x00, 'D'}};
    EXPECT_EQ(port.Reset(link::kFullModule), PortResult::Refused);
    fake.replies = {PageReply(0xFF, 0, 0, 0x51, 0x72)};
    EXPECT_EQ(port.CheckPass("5173"), PortResult::Refused);

    // The reader's "no card" is an answer, not a lost reply.
    std::string numer = "unchanged";
    fake.replies = {{'G', 0x00, 0x48}, Bytes{}};
    EXPECT_EQ(port.OdczytajKarte(numer), PortResult::NoCard);
    fake.replies = {{'G', 0xFF, 0xFF, 0xFF, 0xFF, 0x44}};
    EXPECT_EQ(port.OdczytajKarte(numer), PortResult::NoCard);
    fake.replies = {{'G', 0x00, 0x00, 0x30, 0x39, 0xB2}};
    EXPECT_EQ(port.OdczytajKarte(numer), PortResult::BadCheck);
    fake.replies = {{'G', 0x00, 0x00, 0x30}, Bytes{}};
    EXPECT_EQ(port.OdczytajKarte(numer), PortResult::ShortReply);
    fake.replies = {Bytes{}};
    EXPECT_EQ(port.OdczytajKarte(numer), PortResult::NoReply);
    EXPECT_EQ(numer, "unchanged");

    // Failures of the line itself, and requests that cannot be made.
    fake.failing = {"FT_Read"};
    fake.replies = {PageReply(0, 0, 0, 0, 0)};
    EXPECT_EQ(port.ReadPage(0), PortResult::ReceiveFailed);
    fake.failing = {"FT_Write"};
    EXPECT_EQ(port.ReadPage(0), PortResult::SendFailed);
    fake.failing.clear();
    EXPECT_EQ(port.ReadPage(512), PortResult::BadArgument);
    EXPECT_EQ(port.SetPass("12"), PortResult::BadArgument);
    port.Close();
    EXPECT_EQ(port.ReadPage(0), PortResult::NotOpen);

    // Logs and korv-cli tell every result apart by its text.
    std::set<std::string_view> texts;
    for (int r = 0; r <= static_cast<int>(PortResult::NoCard); ++r)
        texts.insert(link::PortResultText(static_cast<PortResult>(r)));
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(PortResult::NoCard) + 1);
}

TEST_F(ProtocolTest, CardCountRepliesAndTheirCheck) {
    fake.replies = {{0x01, 0x2C, 0x2E}};
    EXPECT_EQ(CountOrMinusOne(port), 300);
    EXPECT_EQ(fake.written.back(), (Bytes{0x43, 0x13, 0x57}));
    EXPECT_EQ(WaitBeforeRead(), 55u);
    fake.replies = {{0x01, 0x2C, 0x2F}};
    EXPECT_EQ(CountOrMinusOne(port), -1);
    fake.replies = {{0xFF, 0xFF, 0xFF}};
    EXPECT_EQ(CountOrMinusOne(port), 65535);
    fake.replies = {{0x01, 0x2C}};
    EXPECT_EQ(CountOrMinusOne(port), -1);
}

TEST_F(ProtocolTest, AShortWriteFailsAtOnceWithoutWaiting) {
    fake.writeShortBy = 1;
    fake.replies = {{0x01, 0x2C, 0x2E}};
    EXPECT_EQ(CountOrMinusOne(port), -1);
    EXPECT_NE(port.ReadPage(3), link::PortResult::Ok);
    EXPECT_EQ(CardOrEmpty(port), "");
    EXPECT_EQ(clock.TickMs(), 0u);
    EXPECT_TRUE(fake.reads.empty());
}

TEST_F(ProtocolTest, ResetNeedsTheExactConfirmationAndWaitsLongerOnZada) {
    fake.replies = {{'C', 0x01, 'E'}};
    EXPECT_EQ(port.Reset(link::kFullModule), link::PortResult::Ok);
    EXPECT_EQ(fake.written.back(), (Bytes{0x43, 0x14, 0x58}));
    EXPECT_EQ(WaitBeforeRead(), 9005u);

    fake.replies = {{'C', 0x01, 'E'}};
    EXPECT_EQ(port.Reset(link::kZadaModule), link::PortResult::Ok);
    EXPECT_EQ(WaitBeforeRead(), 13005u);

    // Its check byte is right, but it is not the confirmation.
    fake.replies = {{'C', 0x00, 'D'}};
    EXPECT_NE(port.Reset(link::kFullModule), link::PortResult::Ok);
    fake.replies = {Bytes{}};
    EXPECT_NE(port.Reset(link::kFullModule), link::PortResult::Ok);
}

TEST_F(ProtocolTest, CardRepliesGiveUnsignedNumbersOrTheEmptyText) {
    fake.replies = {{'G', 0x00, 0x00, 0x30, 0x39, 0xB1}};
    EXPECT_EQ(CardOrEmpty(port), "12345");
    EXPECT_EQ(fake.written.back(), (Bytes{0x47, 0x00, 0x48}));
    EXPECT_EQ(WaitBeforeRead(), 25u);
    EXPECT_EQ(fake.reads.back().asked, 6u);

    fake.replies = {{'G', 0xFF, 0xFF, 0xFF, 0xFF, 0x44}};
    EXPECT_EQ(CardOrEmpty(port), "");
    // The top bit set is an ordinary card number, not a negative one.
    fake.replies = {{'G', 0x80, 0x00, 0x00, 0x00, 0xC8}};
    EXPECT_EQ(CardOrEmpty(port), "2147483648");
    fake.replies = {{'G', 0xFF, 0xFF, 0xFF, 0xFE, 0x43}};
    EXPECT_EQ(CardOrEmpty(port), "4294967294");
    fake.replies = {{'G', 0x00, 0x00, 0x30, 0x39, 0xB2}};
    EXPECT_EQ(CardOrEmpty(port), "");
}

TEST_F(ProtocolTest, ANoCardReplyEndsTheWaitOnceTheLineStaysQuiet) {
    fake.replies = {{'G', 0x00, 0x48}, Bytes{}};
    EXPECT_EQ(CardOrEmpty(port), "");
    // One poll brought 'G' 00 'H', the next one nothing more: two time-outs after 20 ms.
    EXPECT_EQ(fake.Count("FT_Read"), 2u);
    EXPECT_EQ(clock.TickMs(), 430u);
}

TEST_F(ProtocolTest, CardSilenceEndsJustAfterSixSecondsOfVirtualTime) {
    fake.replies = {Bytes{}};
    EXPECT_EQ(CardOrEmpty(port), "");
    // 20 ms, then polls of 5 ms clearing and a 200 ms time-out until more than 6000 ms passed.
    const std::uint64_t waited = clock.TickMs() - 20;
    EXPECT_GT(waited, 6000u);
    EXPECT_LE(waited, 6000u + 205u);
    EXPECT_EQ(fake.Count("FT_Read"), 30u);
}

TEST_F(ProtocolTest, ThreeBytesThatAreNotACardReplyKeepTheWaitGoing) {
    fake.replies = {{'X', 'X', 'X'}};
    EXPECT_EQ(CardOrEmpty(port), "");
    EXPECT_EQ(fake.Count("FT_Read"), 30u);
}

TEST_F(ProtocolTest, ZadaSettingsAreClampedOnlyOnPageOneOfAZadaModule) {
    const Bytes page1 = PageReply(0xFF, 0x1E, 0x05, 0x01, 0xFF);
    ZadaSettings zada{9, 1, true};

    fake.replies = {page1};
    EXPECT_EQ(port.ReadPage(1, link::kFullModule, zada), link::PortResult::Ok);
    EXPECT_EQ(port.buf_out[60], 0x1E);
    EXPECT_EQ(port.buf_out[61], 0x05);
    EXPECT_EQ(zada, (ZadaSettings{9, 1, true}));

    fake.replies = {page1};
    EXPECT_EQ(port.ReadPage(2, link::kZadaModule, zada), link::PortResult::Ok);
    EXPECT_EQ(port.buf_out[60], 0x1E);
    EXPECT_EQ(zada, (ZadaSettings{9, 1, true}));

    fake.replies = {page1};
    EXPECT_EQ(port.ReadPage(1, link::kZadaModule, zada), link::PortResult::Ok);
    EXPECT_EQ(port.buf_out[60], 4);
    EXPECT_EQ(port.buf_out[61], 0);
    EXPECT_EQ(port.buf_out[62], 1);
    EXPECT_EQ(zada, (ZadaSettings{4, 0, false}));

    fake.replies = {PageReply(0xFF, 25, 2, 0, 0xFF)};
    EXPECT_EQ(port.ReadPage(1, link::kZadaModule, zada), link::PortResult::Ok);
    EXPECT_EQ(zada, (ZadaSettings{25, 2, true}));

    // A reply that fails its check still hands over what the buffer holds.
    Bytes bad = PageReply(0xFF, 7, 1, 1, 0xFF);
    bad.back() ^= 0x10;
    fake.replies = {bad};
    EXPECT_NE(port.ReadPage(1, link::kZadaModule, zada), link::PortResult::Ok);
    EXPECT_EQ(zada, (ZadaSettings{7, 1, false}));

    // A request that could not be sent hands over nothing.
    fake.failing = {"FT_Write"};
    zada = ZadaSettings{9, 1, true};
    EXPECT_NE(port.ReadPage(1, link::kZadaModule, zada), link::PortResult::Ok);
    EXPECT_EQ(zada, (ZadaSettings{9, 1, true}));
}

TEST_F(ProtocolTest, PasswordCheckComparesPackedPairs) {
    const Bytes page0 = PageReply(0xFF, 0x00, 0x05, 0x51, 0x72);
    fake.replies = {page0};
    EXPECT_EQ(port.CheckPass("5172"), link::PortResult::Ok);
    EXPECT_EQ(fake.written.back(), (Bytes{'A', 0, 'B'}));
    EXPECT_EQ(WaitBeforeRead(), 25u);
    fake.replies = {page0};
    EXPECT_NE(port.CheckPass("5173"), link::PortResult::Ok);
    // Characters after the fourth do not count.
    fake.replies = {page0};
    EXPECT_EQ(port.CheckPass("517299"), link::PortResult::Ok);

    const std::size_t sent = fake.written.size();
    EXPECT_NE(port.CheckPass("517"), link::PortResult::Ok);
    EXPECT_EQ(fake.written.size(), sent);

    // Pairs that are not hexadecimal count as 00.
    fake.replies = {PageReply(0xFF, 0, 0, 0x00, 0x72)};
    EXPECT_EQ(port.CheckPass("x172"), link::PortResult::Ok);
    fake.replies = {PageReply(0xFF, 0, 0, 0x00, 0x72)};
    EXPECT_EQ(port.CheckPass("-572"), link::PortResult::Ok);

    // A page that does not come is a refusal.
    fake.replies = {Bytes{}};
    EXPECT_NE(port.CheckPass("5172"), link::PortResult::Ok);
}

TEST_F(ProtocolTest, SetPassRewritesPageZeroWithTheNewPair) {
    Bytes page0 = PageReply(0x33, 0x00, 0x07, 0x51, 0x72);
    fake.replies = {page0, WithCheck({'B', 1})};
    EXPECT_EQ(port.SetPass("12G4"), link::PortResult::Ok);
    ASSERT_EQ(fake.written.size(), 2u);
    // The page read goes without a wait before clearing.
    EXPECT_EQ(fake.reads[0].at - fake.writtenAt[0], 5u);
    const Bytes& w = fake.written[1];
    ASSERT_EQ(w.size(), 67u);
    EXPECT_EQ(w[0], 'B');
    EXPECT_EQ(w[1], 0);
    for (int i = 0; i < 60; ++i)
        ASSERT_EQ(w[2 + i], 0x33);
    EXPECT_EQ(w[62], 0x00);
    EXPECT_EQ(w[63], 0x07);
    EXPECT_EQ(w[64], 0x12);
    EXPECT_EQ(w[65], 0x00);

    fake.replies = {Bytes{}};
    EXPECT_NE(port.SetPass("1234"), link::PortResult::Ok);
    EXPECT_EQ(fake.written.size(), 3u); // the page read only
    EXPECT_NE(port.SetPass("12"), link::PortResult::Ok);
    EXPECT_EQ(fake.written.size(), 3u);
}

TEST_F(ProtocolTest, PageZeroOfAWriteAndThePasswordRequestsPackThePasswordAlike) {
    struct Case {
        const char* password;
        std::uint8_t d12, d34;
    };
    // 5172 is the password the program holds until the person changes it; letters in either
    // case and a pair that is not hexadecimal are where separate converters drift apart.
    for (const Case& c :
         {Case{"5172", 0x51, 0x72}, Case{"0429", 0x04, 0x29}, Case{"ab1f", 0xAB, 0x1F},
          Case{"AB1F", 0xAB, 0x1F}, Case{"x1F2", 0x00, 0xF2}}) {
        SCOPED_TRACE(c.password);
        TTablica empty;
        WriteCursor cursor;
        ASSERT_TRUE(AssemblePage(port, 0, cursor, empty, {link::kFullModule, c.password, {}}));
        EXPECT_EQ(port.buf_in[64], c.d12);
        EXPECT_EQ(port.buf_in[65], c.d34);

        fake.replies = {PageReply(0x33, 0, 0, 0x99, 0x99), WithCheck({'B', 1})};
        ASSERT_EQ(port.SetPass(c.password), link::PortResult::Ok);
        EXPECT_EQ(fake.written.back()[64], c.d12);
        EXPECT_EQ(fake.written.back()[65], c.d34);

        fake.replies = {PageReply(0xFF, 0, 0, c.d12, c.d34)};
        EXPECT_EQ(port.CheckPass(c.password), link::PortResult::Ok);
    }
}

Bytes ExpectedPage(std::uint8_t b60, std::uint8_t b61, std::uint8_t b62, std::uint8_t b63,
                   int pageno) {
    Bytes frame = {'B', static_cast<std::uint8_t>(pageno)};
    frame.insert(frame.end(), 60, 0xFF);
    frame.insert(frame.end(), {b60, b61, b62, b63});
    return WithCheck(frame);
}

TEST_F(ProtocolTest, ResetWithPassOnZadaWritesBothPageImages) {
    fake.replies = {PageReply(0x10, 0x00, 0x20, 0x51, 0x72),
                    {'C', 1, 'E'},
                    WithCheck({'B', 1}),
                    WithCheck({'B', 1})};
    EXPECT_EQ(port.ResetWithPass(link::kZadaModule), link::PortResult::Ok);
    ASSERT_EQ(fake.written.size(), 4u);
    EXPECT_EQ(fake.written[1], (Bytes{0x43, 0x14, 0x58}));
    EXPECT_EQ(fake.written[2], ExpectedPage(0x00, 0x00, 0x51, 0x72, 0));
    EXPECT_EQ(fake.written[3], ExpectedPage(0x04, 0x00, 0x00, 0x72, 1));
}

TEST_F(ProtocolTest, ResetWithPassOnAFullModuleWritesPageZeroOnly) {
    fake.replies = {PageReply(0x10, 0x00, 0x20, 0x98, 0x76), {'C', 1, 'E'}, WithCheck({'B', 1})};
    EXPECT_EQ(port.ResetWithPass(link::kFullModule), link::PortResult::Ok);
    ASSERT_EQ(fake.written.size(), 3u);
    EXPECT_EQ(fake.written[2], ExpectedPage(0x00, 0x00, 0x98, 0x76, 0));
}

TEST_F(ProtocolTest, ResetWithPassStopsAtTheFirstFailure) {
    // Unconfirmed reset: nothing written.
    fake.replies = {PageReply(0x10, 0, 0, 0x51, 0x72), {'C', 0, 'D'}};
    EXPECT_NE(port.ResetWithPass(link::kZadaModule), link::PortResult::Ok);
    EXPECT_EQ(fake.written.size(), 2u);
    // Page 0 refused: page 1 is not written.
    fake.written.clear();
    fake.replies = {PageReply(0x10, 0, 0, 0x51, 0x72), {'C', 1, 'E'}, WithCheck({'B', 0})};
    EXPECT_NE(port.ResetWithPass(link::kZadaModule), link::PortResult::Ok);
    EXPECT_EQ(fake.written.size(), 3u);
    // Page 0 unreadable: no reset at all, the password could not be kept.
    fake.written.clear();
    fake.replies = {Bytes{}};
    EXPECT_NE(port.ResetWithPass(link::kZadaModule), link::PortResult::Ok);
    EXPECT_EQ(fake.written.size(), 1u);
}

TEST_F(ProtocolTest, IdentifyExchangesReturnWhatCameOrZeros) {
    fake.replies = {{'M', 0x07, 0x55}};
    auto reply = port.Identify(link::kMonitorIdentifyWaitMs);
    EXPECT_EQ(fake.written.back(), (Bytes{0x46, 0x00, 0x47}));
    EXPECT_EQ(WaitBeforeRead(), 15u);
    EXPECT_EQ(link::ModuleKindOf(reply), "M");
    EXPECT_EQ(reply.received, 3u);

    fake.replies = {Bytes{}};
    reply = port.Identify(link::kCommandIdentifyWaitMs, link::IdentifyOrder::ClearThenWait);
    EXPECT_EQ(WaitBeforeRead(), 55u);
    EXPECT_EQ(reply.received, 0u);
    EXPECT_EQ(link::ModuleKindOf(reply), std::string(1, '\0'));

    fake.replies = {{'j'}};
    EXPECT_EQ(port.LegacyIdentify(), 'j');
    EXPECT_EQ(fake.written.back(), (Bytes{0x48, 0x00, 0x49}));
    EXPECT_EQ(fake.reads.back().asked, 1u);
    fake.replies = {Bytes{}};
    EXPECT_EQ(port.LegacyIdentify(), 0);
}

TEST(FrameChecks, HexPairsAndCheckBytes) {
    EXPECT_EQ(link::HexToByte("51"), 0x51);
    EXPECT_EQ(link::HexToByte("aF"), 0xAF);
    EXPECT_EQ(link::HexToByte("7"), 0x07);
    EXPECT_EQ(link::HexToByte(""), 0);
    EXPECT_EQ(link::HexToByte("G1"), 0);
    EXPECT_EQ(link::HexToByte(" 1"), 0);
    EXPECT_EQ(link::HexToByte("+1"), 0);
    EXPECT_EQ(link::HexToByte("0x1"), 0);

    link::PortBuffer buf{};
    buf[0] = 'A';
    buf[1] = 0xFF;
    EXPECT_EQ(link::SumBuf(buf, 1), 0x41);
    EXPECT_EQ(link::SumBuf(buf, 0), 0);
    EXPECT_EQ(link::SumBuf(buf, 1024), 0);
    buf[2] = 0x41;
    EXPECT_TRUE(link::CheckBuf(buf, 2));
    EXPECT_FALSE(link::CheckBuf(buf, 0));
    EXPECT_FALSE(link::CheckBuf(buf, 1024));
    buf.fill(0xFF);
    // The whole buffer's sum wraps without trouble.
    EXPECT_EQ(link::SumBuf(buf, 1023), static_cast<std::uint8_t>(1024 * 255 + 1));
}

} // namespace
} // namespace korv::test
