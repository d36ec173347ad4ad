// The cable port and the protocol against the module simulator, loaded through the same
// run-time path as the vendor's library.
#include "sim_fixture.h"
#include "support/port_calls.h"

#include <sstream>

#ifndef _WIN32
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace korv::test {
namespace {

using link::DWORD;

#ifdef _WIN32
// On Windows the version is the library file's version resource, as the vendor's installer
// stamps it: the simulator claims 3.2, its old build 3.0.
TEST_F(SimLibraryTest, TheVersionResourceDecidesOnWindows) {
    Configure("[module]\nversion=2.0\n"); // what the library says of itself does not count
    std::string why;
    EXPECT_TRUE(link::LoadVendorLibrary(KORV_SIM_LIBRARY, &why)) << why;
    std::string old = KORV_SIM_LIBRARY;
    old.replace(old.rfind("ftd2xx.dll"), 10, "old/ftd2xx.dll");
    EXPECT_FALSE(link::LoadVendorLibrary(old, &why));
    EXPECT_NE(why.find("older"), std::string::npos) << why;
    EXPECT_FALSE(link::LoadVendorLibrary("no-such-ftd2xx.dll", &why));
}
#else
TEST_F(SimLibraryTest, TheVersionTestRefusesThreePointZero) {
    const std::pair<const char*, bool> cases[] = {
        {"3.0", false}, {"3.0.9", false}, {"2.12", false}, {"3.1", true}, {"4.0", true}};
    for (const auto& [version, usable] : cases) {
        SCOPED_TRACE(version);
        Configure(std::string("[module]\nversion=") + version + "\n");
        std::string why;
        auto driver = link::LoadVendorLibrary(KORV_SIM_LIBRARY, &why);
        EXPECT_EQ(driver.has_value(), usable);
        if (!usable) {
            EXPECT_NE(why.find("older"), std::string::npos) << why;
        }
    }
}
#endif

TEST_F(SimLibraryTest, AMissingLibraryLeavesNoDriver) {
    std::string why;
    EXPECT_FALSE(link::LoadVendorLibrary(dir + "/libftd2xx.so", &why));
    EXPECT_FALSE(why.empty());
}

TEST_F(SimLibraryTest, EachKindAnswersTheIdentifyRequests) {
    struct Case {
        const char* kind;
        std::uint8_t first;
        std::uint8_t legacy;
    };
    const Case cases[] = {{"F", 'F', 0}, {"M", 'M', 0}, {"J", 0, 'J'},   {"j", 0, 'j'},
                          {"I", 0, 'I'}, {"i", 0, 'i'}, {"silent", 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        auto& p = Port(std::string("[module]\nkind=") + c.kind + "\n");
        ASSERT_EQ(p.Open(), link::PortResult::Ok);
        const auto reply = p.Identify(link::kMonitorIdentifyWaitMs);
        EXPECT_EQ(reply.bytes[0], c.first);
        EXPECT_EQ(p.LegacyIdentify(), c.legacy);
        EXPECT_TRUE(p.Close());
    }
}

TEST_F(SimLibraryTest, ARufDeviceSendsItsFurtherBytesAndItsLegacyAnswer) {
    auto& p = Port("[module]\nkind=RUF\nruf_extra=-BUS2\nruf_legacy=j\n");
    ASSERT_EQ(p.Open(), link::PortResult::Ok);
    const auto reply = p.Identify(link::kMonitorIdentifyWaitMs);
    EXPECT_EQ(std::string(reply.bytes.begin(), reply.bytes.end()), "RUF");
    DWORD n = 0;
    ASSERT_TRUE(p.Read(8, n));
    EXPECT_EQ(std::string(p.buf_out.begin(), p.buf_out.begin() + n), "-BUS2");
    EXPECT_EQ(p.LegacyIdentify(), 'j');
}

TEST_F(SimLibraryTest, NoCableMeansOpenFails) {
    auto& p = Port("[module]\nkind=none\n");
    EXPECT_TRUE(p.DriverPresent());
    EXPECT_NE(p.Open(), link::PortResult::Ok);
    EXPECT_FALSE(p.Opened());
}

TEST_F(SimLibraryTest, PagesCountAndPasswordLiveInTheMemoryImage) {
    const std::string image = dir + "/module.bin";
    auto& p = Port("[module]\nkind=F\npassword=0429\nmemory=" + image + "\n");
    ASSERT_EQ(p.Open(), link::PortResult::Ok);
    EXPECT_EQ(CountOrMinusOne(p), 0);
    EXPECT_EQ(p.CheckPass("0429"), link::PortResult::Ok);
    EXPECT_NE(p.CheckPass("5172"), link::PortResult::Ok);
    for (int i = 0; i < 64; ++i)
        p.buf_in[2 + i] = static_cast<std::uint8_t>(i);
    ASSERT_EQ(p.WritePage(300), link::PortResult::Ok);
    ASSERT_EQ(p.ReadPage(300), link::PortResult::Ok);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(p.buf_out[i], i);
    ASSERT_EQ(p.SetPass("1234"), link::PortResult::Ok);
    EXPECT_EQ(p.CheckPass("1234"), link::PortResult::Ok);
    EXPECT_TRUE(p.Close());

    // The image on disk is what a later process finds.
    const std::string bytes = ReadFile(image);
    ASSERT_EQ(bytes.size(), 32768u);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[300 * 64 + 10]), 10);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[62]), 0x12);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[63]), 0x34);
}

TEST_F(SimLibraryTest, ResetWithPassLeavesEmptyPagesAroundTheKeptPassword) {
    const std::string image = dir + "/zada.bin";
    auto& p = Port("[module]\nkind=M\ntiming=on\nmemory=" + image + "\n");
    ASSERT_EQ(p.Open(), link::PortResult::Ok);
    for (int i = 0; i < 64; ++i)
        p.buf_in[2 + i] = 0x00;
    ASSERT_EQ(p.WritePage(5), link::PortResult::Ok);
    const auto before = clock.TickMs();
    ASSERT_EQ(p.ResetWithPass(link::kZadaModule), link::PortResult::Ok);
    // The reset alone blocks 13 s on a ZADA module.
    EXPECT_GE(clock.TickMs() - before, 13000u);
    link::ZadaSettings zada{0, 2, false};
    ASSERT_EQ(p.ReadPage(1, link::kZadaModule, zada), link::PortResult::Ok);
    EXPECT_EQ(zada, (link::ZadaSettings{4, 0, true}));
    ASSERT_EQ(p.ReadPage(5), link::PortResult::Ok);
    EXPECT_EQ(p.buf_out[0], 0xFF);
    EXPECT_EQ(CountOrMinusOne(p), 0);
    EXPECT_EQ(p.CheckPass("5172"), link::PortResult::Ok);
}

TEST_F(SimLibraryTest, TheReaderAnswersCardsInOrderThenNothing) {
    auto& p = Port("[module]\ncards=12345,2147483648,4294967295\n");
    ASSERT_EQ(p.Open(), link::PortResult::Ok);
    EXPECT_EQ(CardOrEmpty(p), "12345");
    EXPECT_EQ(CardOrEmpty(p), "2147483648");
    EXPECT_EQ(CardOrEmpty(p), "");
    const auto start = clock.TickMs();
    EXPECT_EQ(CardOrEmpty(p), "");
    EXPECT_GT(clock.TickMs() - start, 6000u);
}

TEST_F(SimLibraryTest, ACardHeldLaterIsCaughtByALaterPoll) {
    auto& p = Port("[module]\ntiming=on\ncards=777\ncard_delay=1500\n");
    ASSERT_EQ(p.Open(), link::PortResult::Ok);
    const auto start = clock.TickMs();
    EXPECT_EQ(CardOrEmpty(p), "777");
    EXPECT_GE(clock.TickMs() - start, 1500u);
    EXPECT_LT(clock.TickMs() - start, 1800u);
}

TEST_F(SimLibraryTest, ACardReplyStraddlingAPollsTimeOutIsPutTogether) {
    // Held 200-240 ms after the request, the reply's six bytes (6.25 ms on the wire) cross the
    // end of the first poll's read time-out at 225 ms; its head starts with 'G'. Card 0x00483039
    // begins like the "no card" reply 'G' 00 'H'.
    for (const std::string card : {"4012345", "4730937"})
        for (int delay = 200; delay <= 240; delay += 2) {
            SCOPED_TRACE(card + " held after " + std::to_string(delay) + " ms");
            auto& p = Port("[module]\ntiming=on\ncards=" + card +
                           "\ncard_delay=" + std::to_string(delay) + "\n");
            ASSERT_EQ(p.Open(), link::PortResult::Ok);
            EXPECT_EQ(CardOrEmpty(p), card);
            p.Close();
        }
}

TEST_F(SimLibraryTest, AnEmptyQueueCanAnswerWithTheShortCardReply) {
    auto& p = Port("[module]\nempty_card=short\n");
    ASSERT_EQ(p.Open(), link::PortResult::Ok);
    const auto start = clock.TickMs();
    EXPECT_EQ(CardOrEmpty(p), "");
    EXPECT_LT(clock.TickMs() - start, 100u);
}

TEST_F(SimLibraryTest, InjectedFaultsGiveTheFailureValues) {
    auto& p = Port("[module]\ntiming=on\n"
                   "[faults]\nread.5=badcheck\nread.6=short\nwrite.9=status\ncount=silent x1\n"
                   "read.7=slow 300\nreset=status\n");
    ASSERT_EQ(p.Open(), link::PortResult::Ok);
    EXPECT_NE(p.ReadPage(5), link::PortResult::Ok);
    EXPECT_NE(p.ReadPage(6), link::PortResult::Ok);
    EXPECT_EQ(p.ReadPage(4), link::PortResult::Ok);
    p.buf_in.fill(0x00);
    EXPECT_NE(p.WritePage(9), link::PortResult::Ok);
    ASSERT_EQ(p.ReadPage(9), link::PortResult::Ok);
    EXPECT_EQ(p.buf_out[0], 0xFF); // the refused write left the page alone
    EXPECT_EQ(CountOrMinusOne(p), -1);
    EXPECT_EQ(CountOrMinusOne(p), 0); // the fault was for once
    EXPECT_NE(p.Reset(link::kFullModule), link::PortResult::Ok);

    // A reply later than the read time-out fails, and it must never be taken for the next
    // request's reply: replies carry no page number.
    p.buf_in.fill(0x77);
    ASSERT_EQ(p.WritePage(7), link::PortResult::Ok);
    p.buf_in.fill(0x88);
    ASSERT_EQ(p.WritePage(8), link::PortResult::Ok);
    EXPECT_NE(p.ReadPage(7), link::PortResult::Ok);
    EXPECT_EQ(p.ReadPage(8), link::PortResult::Ok);
    EXPECT_EQ(p.buf_out[0], 0x88);
    EXPECT_EQ(CountOrMinusOne(p), 0);
}

TEST_F(SimLibraryTest, WireTimingMakesAPageReadTakeItsBytes) {
    auto& p = Port("[module]\ntiming=on\ndelay=0\n");
    ASSERT_EQ(p.Open(), link::PortResult::Ok);
    const auto start = clock.TickMs();
    ASSERT_EQ(p.ReadPage(0), link::PortResult::Ok);
    // 3 bytes out and 65 back at 9600 baud: 70.8 ms, on a millisecond clock.
    EXPECT_EQ(clock.TickMs() - start, 71u);
}

TEST_F(SimLibraryTest, TheTraceShowsEveryFrame) {
    const std::string trace = dir + "/trace.txt";
    auto& p = Port("[module]\ntrace=" + trace + "\n");
    ASSERT_EQ(p.Open(), link::PortResult::Ok);
    ASSERT_EQ(p.ReadPage(255), link::PortResult::Ok);
    ASSERT_TRUE(p.Close());
    std::istringstream lines(ReadFile(trace));
    std::string request, reply;
    std::getline(lines, request);
    std::getline(lines, reply);
    EXPECT_NE(request.find(" > 41 FF 41"), std::string::npos) << request;
    EXPECT_EQ(request.back(), '1');
    EXPECT_NE(reply.find(" < FF FF"), std::string::npos) << reply;
    // 65 bytes: 65 pairs with a space before each.
    EXPECT_EQ(reply.size() - reply.find('<') - 1, 65u * 3);
}

TEST_F(SimLibraryTest, ASecondOpenWhileOpenIsRefusedByTheDevice) {
    Configure("[module]\n");
    auto driver = link::LoadVendorLibrary(KORV_SIM_LIBRARY);
    ASSERT_TRUE(driver);
    link::TBEXFTDI a(clock, driver), b(clock, driver);
    ASSERT_EQ(a.Open(), link::PortResult::Ok);
    EXPECT_NE(b.Open(), link::PortResult::Ok);
    EXPECT_TRUE(a.Close());
    EXPECT_EQ(b.Open(), link::PortResult::Ok);
    EXPECT_TRUE(b.Close());
}

#ifndef _WIN32
// One byte from fd within ten seconds; 0 for none.
char Await(int fd) {
    pollfd p{fd, POLLIN, 0};
    char c = 0;
    return poll(&p, 1, 10000) == 1 && read(fd, &c, 1) == 1 ? c : 0;
}

TEST_F(SimLibraryTest, ACableAnotherProcessHoldsIsRefusedUntilItClosesOrDies) {
    Configure("[module]\n");
    auto driver = link::LoadVendorLibrary(KORV_SIM_LIBRARY);
    ASSERT_TRUE(driver);
    const link::D2xxTable t = driver->table;
    link::TBEXFTDI port(clock, driver);
    for (const bool closes : {true, false}) {
        SCOPED_TRACE(closes ? "the holder closes the cable" : "the holder dies with it open");
        int up[2];
        int down[2];
        ASSERT_EQ(pipe(up), 0);
        ASSERT_EQ(pipe(down), 0);
        const pid_t holder = fork();
        ASSERT_GE(holder, 0);
        if (holder == 0) {
            // Another program: opens the cable, says so, and closes it when told.
            char description[] = "VOVEDO";
            link::FT_HANDLE h = nullptr;
            (void)!write(up[1],
                         t.FT_OpenEx(description, link::FT_OPEN_BY_DESCRIPTION, &h) == link::FT_OK
                             ? "o"
                             : "x",
                         1);
            Await(down[0]);
            (void)!write(up[1], t.FT_Close(h) == link::FT_OK ? "c" : "x", 1);
            Await(down[0]);
            _exit(0);
        }
        EXPECT_EQ(Await(up[0]), 'o');
        EXPECT_EQ(port.Open(), link::PortResult::CableInUse);
        // Another description is no cable at all, whoever holds the cable.
        char other[] = "FT232R USB UART";
        link::FT_HANDLE h = nullptr;
        EXPECT_EQ(t.FT_OpenEx(other, link::FT_OPEN_BY_DESCRIPTION, &h), link::FT_DEVICE_NOT_FOUND);
        if (closes) {
            EXPECT_EQ(write(down[1], "g", 1), 1);
            EXPECT_EQ(Await(up[0]), 'c');
        } else {
            kill(holder, SIGKILL);
            EXPECT_EQ(waitpid(holder, nullptr, 0), holder);
        }
        EXPECT_EQ(port.Open(), link::PortResult::Ok);
        EXPECT_TRUE(port.Close());
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
        for (int fd : {up[0], up[1], down[0], down[1]})
            close(fd);
    }
}
#endif

} // namespace
} // namespace korv::test
