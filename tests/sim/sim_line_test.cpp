// The simulated wire: byte times at 9600 baud, read time-outs, purge, and the frame trace.
#include "sim/sim_cable.h"
#include "sim/sim_line.h"

#include "sim_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdlib.h>

namespace korv::sim {
namespace {

TEST(SimLine, APageReadTakesItsWireTimeAndTheModulesDelay) {
    SimVirtualClock clock;
    ModuleSim module(Configured([](ModuleSetup& s) { s.processingMs = 2; }));
    SimLine line(module, clock, true);
    FrameTrace trace;
    line.SetTrace(&trace);
    const Bytes request = {'A', 0xFF, 0x41};
    EXPECT_EQ(line.Write(request.data(), 3), 3u);
    EXPECT_EQ(clock.NowUs(), 0u); // the write returns at once
    std::uint8_t buf[65];
    EXPECT_EQ(line.Read(buf, 65, 200), 65u);
    // 68 bytes of 10 bits at 9600 baud, and 2 ms in the module.
    EXPECT_NEAR(static_cast<double>(clock.NowUs()), 68 * 10 * 1e6 / 9600 + 2000, 2);
    ASSERT_EQ(trace.lines().size(), 2u);
    EXPECT_EQ(trace.lines()[0], "3 > 41 FF 41");
    EXPECT_EQ(trace.lines()[1].substr(0, 7), "5 < FF ");
}

TEST(SimLine, ReadsWaitForTheirTimeOutOnlyWhenSomethingCouldStillCome) {
    SimVirtualClock clock;
    ModuleSim module(Configured([](ModuleSetup& s) { s.kind = "silent"; }));
    SimLine timed(module, clock, true);
    std::uint8_t buf[8];
    EXPECT_EQ(timed.Read(buf, 3, 200), 0u);
    EXPECT_EQ(clock.NowUs(), 200000u);

    SimLine instant(module, clock, false);
    EXPECT_EQ(instant.Read(buf, 3, 200), 0u);
    EXPECT_EQ(clock.NowUs(), 200000u);
}

TEST(SimLine, AShortReplyReturnsEarlyAtTheTimeOutWithWhatCame) {
    SimVirtualClock clock;
    ModuleSim module;
    module.AddFault(MakeFault(Request::Count, FaultType::Short, -1, 2));
    SimLine line(module, clock, true);
    const Bytes request = {0x43, 0x13, 0x57};
    line.Write(request.data(), 3);
    std::uint8_t buf[3];
    EXPECT_EQ(line.Read(buf, 3, 200), 2u);
    EXPECT_EQ(clock.NowUs(), 200000u);
}

// Sleeps the way mingw-w64's do: the part below a millisecond is dropped, so a wait below one
// comes back almost at once.
class EarlyWakingClock : public SimRealClock {
public:
    std::uint64_t NowUs() override { return now_; }

protected:
    void SleepUs(std::uint64_t us) override { now_ += std::max<std::uint64_t>(us - us % 1000, 1); }

private:
    std::uint64_t now_ = 0;
};

TEST(SimLine, APageComesWholeWhenTheSystemsSleepsEndEarly) {
    EarlyWakingClock clock;
    ModuleSim module;
    SimLine line(module, clock, true);
    const Bytes request = {'A', 0, 'B'};
    line.Write(request.data(), 3);
    std::uint8_t buf[65];
    ASSERT_EQ(line.Read(buf, 65, 200), 65u);
    EXPECT_TRUE(std::equal(buf, buf + 64, module.Page(0)));
    EXPECT_EQ(buf[64], CheckByte(buf, 64));
    EXPECT_LT(clock.NowUs(), 100000u); // on the last byte, not at the time-out
}

TEST(SimLine, PurgeDropsWhatArrivedButNotWhatIsStillOnTheWire) {
    SimVirtualClock clock;
    ModuleSim module(Configured([](ModuleSetup& s) { s.processingMs = 0; }));
    SimLine line(module, clock, true);
    const Bytes request = {'A', 0, 'B'};
    line.Write(request.data(), 3);
    clock.WaitUntilUs(30000); // 3 request bytes and some 26 reply bytes are through
    line.PurgeReceived();
    std::uint8_t buf[65];
    const auto n = line.Read(buf, 65, 200);
    EXPECT_GT(n, 30u);
    EXPECT_LT(n, 45u);
}

TEST(SimLine, AHostAtTheWrongBaudRateIsNotUnderstood) {
    SimVirtualClock clock;
    ModuleSim module;
    SimLine line(module, clock, false);
    line.SetHostBaud(19200);
    const Bytes request = {0x46, 0x00, 0x47};
    line.Write(request.data(), 3);
    std::uint8_t buf[3];
    EXPECT_EQ(line.Read(buf, 3, 200), 0u);
    line.Reset();
    line.Write(request.data(), 3);
    EXPECT_EQ(line.Read(buf, 3, 200), 3u);
}

TEST(SimLine, TraceLinesUseUpperCaseHexPairs) {
    const std::uint8_t bytes[] = {0x0A, 0xFF, 0x41};
    EXPECT_EQ(TraceLine(12, '>', bytes, 3), "12 > 0A FF 41");
    EXPECT_EQ(TraceLine(0, '<', bytes, 0), "0 <");
}

TEST(SimCable, OpensOnlyByTheCablesDescriptionAndOnlyOnce) {
    SimVirtualClock clock;
    SimCable cable(SimConfig{}, clock);
    void* h = nullptr;
    EXPECT_EQ(cable.OpenEx("OTHER", kOpenByDescription, &h), kFtDeviceNotFound);
    EXPECT_EQ(cable.OpenEx("VOVEDO", 1, &h), kFtNotSupported);
    ASSERT_EQ(cable.OpenEx("VOVEDO", kOpenByDescription, &h), kFtOk);
    void* h2 = nullptr;
    EXPECT_EQ(cable.OpenEx("VOVEDO", kOpenByDescription, &h2), kFtDeviceNotOpened);
    std::uint32_t n = 0;
    std::uint8_t buf[3];
    EXPECT_EQ(cable.Read(&n, buf, 3, &n), kFtInvalidHandle);
    EXPECT_EQ(cable.SetRts(h, true), kFtOk);
    EXPECT_TRUE(cable.module().Rts());
    EXPECT_EQ(cable.Close(h), kFtOk);
    EXPECT_EQ(cable.Close(h), kFtInvalidHandle);

    SimConfig none;
    none.cablePresent = false;
    SimCable missing(none, clock);
    EXPECT_EQ(missing.OpenEx("VOVEDO", kOpenByDescription, &h), kFtDeviceNotFound);
}

TEST(SimCable, TheMemoryImageIsMadeLoadedAndRefusedWhenItIsNotOne) {
    korv::test::TempFolder folder;
    const std::filesystem::path& dir = folder.Path();
    const std::string image = (dir / "m.bin").string();
    Memory m{};
    std::string error;
    ASSERT_TRUE(LoadMemoryImage(image, NewMemoryImage("0429"), m, error)) << error;
    EXPECT_EQ(std::filesystem::file_size(image), 32768u);
    EXPECT_EQ(m[60], 0x00);
    EXPECT_EQ(m[61], 0x00);
    EXPECT_EQ(m[62], 0x04);
    EXPECT_EQ(m[63], 0x29);
    EXPECT_EQ(m[0], 0xFF);
    EXPECT_EQ(m[32767], 0xFF);

    std::ofstream(dir / "short.bin") << "abc";
    EXPECT_FALSE(LoadMemoryImage((dir / "short.bin").string(), NewMemoryImage("0429"), m, error));
    EXPECT_NE(error.find("holds 3 bytes, not 32768"), std::string::npos) << error;
    EXPECT_FALSE(LoadMemoryImage(dir.string(), NewMemoryImage("0429"), m, error));
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;

    SimVirtualClock clock;
    SimConfig config;
    config.memoryPath = (dir / "short.bin").string();
    SimCable cable(config, clock);
    void* h = nullptr;
    EXPECT_EQ(cable.OpenEx("VOVEDO", kOpenByDescription, &h), kFtDeviceNotOpened);
}

} // namespace
} // namespace korv::sim
