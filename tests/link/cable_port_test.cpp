// The cable port over a recording D2XX fake: what it calls, in which order, and what it does
// when a call fails.
#include "link/ftdi.h"
#include "link/port_control.h"

#include "support/fake_d2xx.h"
#include "support/port_calls.h"

#include <gtest/gtest.h>

namespace korv::test {
namespace {

using link::DWORD;
using link::TBEXFTDI;

class CablePortTest : public ::testing::Test {
protected:
    void SetUp() override { fake.Install(clock); }
    link::VirtualClock clock;
    FakeD2xx fake;
};

TEST_F(CablePortTest, WithoutDriverEveryOperationFailsWithoutCallingAnything) {
    TBEXFTDI port(clock, std::nullopt);
    EXPECT_FALSE(port.DriverPresent());
    EXPECT_FALSE(port.Opened());
    EXPECT_FALSE(port.RTS());
    DWORD n = 77;
    EXPECT_EQ(port.Open(), link::PortResult::NoDriver);
    EXPECT_FALSE(port.Close());
    EXPECT_FALSE(port.SetRTS());
    EXPECT_FALSE(port.ClrRTS());
    EXPECT_FALSE(port.Read(3, n));
    EXPECT_FALSE(port.Write(3, n));
    EXPECT_EQ(n, 77u);
    EXPECT_FALSE(port.PurgeAll());
    EXPECT_NE(port.ReadPage(0), link::PortResult::Ok);
    EXPECT_NE(port.WritePage(0), link::PortResult::Ok);
    EXPECT_EQ(CountOrMinusOne(port), -1);
    EXPECT_NE(port.Reset(link::kZadaModule), link::PortResult::Ok);
    EXPECT_NE(port.ResetWithPass(link::kFullModule), link::PortResult::Ok);
    EXPECT_NE(port.CheckPass("0000"), link::PortResult::Ok);
    EXPECT_NE(port.SetPass("1234"), link::PortResult::Ok);
    EXPECT_EQ(CardOrEmpty(port), "");
    // Failure values come at once: no protocol wait is spent.
    EXPECT_EQ(clock.TickMs(), 0u);
    EXPECT_TRUE(fake.calls.empty());
}

TEST_F(CablePortTest, AnIncompleteTableCountsAsNoDriver) {
    auto driver = fake.Driver();
    driver.table.FT_ClrRts = nullptr;
    TBEXFTDI port(clock, driver);
    EXPECT_FALSE(port.DriverPresent());
    EXPECT_NE(port.Open(), link::PortResult::Ok);
    EXPECT_TRUE(fake.calls.empty());
}

TEST_F(CablePortTest, OpenConfiguresTheLineInOrderAndCloseClosesOnce) {
    TBEXFTDI port(clock, fake.Driver());
    ASSERT_TRUE(port.DriverPresent());
    ASSERT_EQ(OpenPort(port), link::PortResult::Ok);
    EXPECT_TRUE(port.Opened());
    const std::vector<std::string> expected = {"FT_OpenEx VOVEDO 2", "FT_ResetDevice", "FT_Purge 3",
                                               "FT_SetBaudRate 9600", "FT_SetTimeouts 200 200"};
    EXPECT_EQ(fake.calls, expected);
    EXPECT_TRUE(ClosePort(port));
    EXPECT_FALSE(port.Opened());
    // Closing a closed cable only reports failure; the library never sees the old handle.
    EXPECT_FALSE(port.Close());
    EXPECT_EQ(fake.Count("FT_Close"), 1u);
}

TEST_F(CablePortTest, NoCableLeavesThePortClosed) {
    fake.cablePresent = false;
    TBEXFTDI port(clock, fake.Driver());
    EXPECT_NE(port.Open(), link::PortResult::Ok);
    EXPECT_FALSE(port.Opened());
    EXPECT_EQ(fake.calls.size(), 1u);
}

TEST_F(CablePortTest, OpenSaysWhetherAnotherProcessHoldsTheCableOrItIsMissing) {
    using link::PortResult;
    TBEXFTDI port(clock, fake.Driver());
    fake.heldElsewhere = true;
    EXPECT_EQ(port.Open(), PortResult::CableInUse);
    fake.heldElsewhere = false;
    EXPECT_FALSE(port.Opened());
    // Refused, so nothing was set up and there is nothing to close.
    EXPECT_EQ(fake.calls, std::vector<std::string>{"FT_OpenEx VOVEDO 2"});
    EXPECT_FALSE(port.Close());
    EXPECT_EQ(fake.Count("FT_Close"), 0u);

    fake.cablePresent = false;
    EXPECT_EQ(port.Open(), PortResult::NoCable);
    fake.cablePresent = true;
    fake.failing = {"FT_OpenEx"};
    EXPECT_EQ(port.Open(), PortResult::NoCable);
    fake.failing = {"FT_SetBaudRate"};
    EXPECT_EQ(port.Open(), PortResult::SetupFailed);
    EXPECT_FALSE(port.Opened());
    fake.failing.clear();
    EXPECT_EQ(port.Open(), PortResult::Ok);
}

TEST_F(CablePortTest, AFailingSetupStepClosesTheDeviceAgain) {
    const std::vector<std::string> steps = {"FT_ResetDevice", "FT_Purge", "FT_SetBaudRate",
                                            "FT_SetTimeouts"};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(steps[i]);
        FakeD2xx f;
        f.Install(clock);
        f.failing = {steps[i]};
        TBEXFTDI port(clock, f.Driver());
        EXPECT_NE(port.Open(), link::PortResult::Ok);
        EXPECT_FALSE(port.Opened());
        EXPECT_FALSE(f.open);
        ASSERT_EQ(f.calls.size(), i + 3);
        EXPECT_EQ(f.calls.back(), "FT_Close");
        // The steps after the failing one were not tried.
        for (std::size_t j = i + 1; j < steps.size(); ++j)
            EXPECT_EQ(f.Count(steps[j]), 0u);
    }
}

TEST_F(CablePortTest, RtsFollowsTheCallsThatSucceededAcrossOpens) {
    TBEXFTDI port(clock, fake.Driver());
    ASSERT_EQ(port.Open(), link::PortResult::Ok);
    EXPECT_TRUE(port.SetRTS());
    EXPECT_TRUE(port.RTS());
    EXPECT_TRUE(port.ClrRTS());
    EXPECT_FALSE(port.RTS());
    fake.failing = {"FT_SetRts"};
    EXPECT_FALSE(port.SetRTS());
    EXPECT_FALSE(port.RTS());
    fake.failing.clear();
    ASSERT_TRUE(port.SetRTS());
    fake.failing = {"FT_ClrRts"};
    EXPECT_FALSE(port.ClrRTS());
    EXPECT_TRUE(port.RTS());
    fake.failing.clear();
    // Opening again does not touch the remembered state.
    ASSERT_TRUE(port.Close());
    ASSERT_EQ(port.Open(), link::PortResult::Ok);
    EXPECT_TRUE(port.RTS());
}

TEST_F(CablePortTest, ReadWithNothingArrivingSucceedsEmptyAfterTheTimeOut) {
    TBEXFTDI port(clock, fake.Driver());
    ASSERT_EQ(port.Open(), link::PortResult::Ok);
    port.buf_out.fill(0x5A);
    const auto before = clock.TickMs();
    DWORD got = 99;
    EXPECT_TRUE(port.Read(3, got));
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(clock.TickMs() - before, 200u);
    for (auto b : port.buf_out)
        ASSERT_EQ(b, 0x5A);
}

TEST_F(CablePortTest, ReadAndWriteReportTheLibraryResult) {
    TBEXFTDI port(clock, fake.Driver());
    ASSERT_EQ(port.Open(), link::PortResult::Ok);
    port.buf_in[0] = 1;
    port.buf_in[1] = 2;
    fake.replies = {{9, 8, 7}};
    DWORD n = 0;
    EXPECT_TRUE(port.Write(2, n));
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(fake.written.back(), (Bytes{1, 2}));
    EXPECT_TRUE(port.Read(3, n));
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(port.buf_out[2], 7);
    fake.failing = {"FT_Read", "FT_Write"};
    EXPECT_FALSE(port.Read(3, n));
    EXPECT_FALSE(port.Write(3, n));
}

TEST_F(CablePortTest, ClearingZeroesTheWholeBufferAndWaitsFiveMilliseconds) {
    TBEXFTDI port(clock, fake.Driver());
    port.buf_out.fill(0xEE);
    port.buf_in.fill(0xEE);
    port.ClearBufOut();
    EXPECT_EQ(clock.SleptMs(), 5u);
    port.ClearBufIn();
    EXPECT_EQ(clock.SleptMs(), 10u);
    for (std::size_t i = 0; i < link::kBufferSize; ++i) {
        ASSERT_EQ(port.buf_out[i], 0) << i;
        ASSERT_EQ(port.buf_in[i], 0) << i;
    }
}

TEST_F(CablePortTest, PurgeAllPurgesBothQueues) {
    TBEXFTDI port(clock, fake.Driver());
    ASSERT_EQ(port.Open(), link::PortResult::Ok);
    fake.calls.clear();
    EXPECT_TRUE(port.PurgeAll());
    EXPECT_EQ(fake.calls, std::vector<std::string>{"FT_Purge 3"});
    fake.failing = {"FT_Purge"};
    EXPECT_FALSE(port.PurgeAll());
}

TEST_F(CablePortTest, DestroyingThePortClosesACableLeftOpen) {
    {
        TBEXFTDI port(clock, fake.Driver());
        ASSERT_EQ(port.Open(), link::PortResult::Ok);
    }
    EXPECT_EQ(fake.Count("FT_Close"), 1u);
    {
        TBEXFTDI port(clock, fake.Driver());
        ASSERT_EQ(port.Open(), link::PortResult::Ok);
        ASSERT_TRUE(port.Close());
    }
    EXPECT_EQ(fake.Count("FT_Close"), 2u);
}

TEST_F(CablePortTest, OpeningAnOpenCableClosesTheFirstHandle) {
    TBEXFTDI port(clock, fake.Driver());
    ASSERT_EQ(port.Open(), link::PortResult::Ok);
    ASSERT_EQ(port.Open(), link::PortResult::Ok);
    EXPECT_EQ(fake.Count("FT_Close"), 1u);
    EXPECT_EQ(fake.Count("FT_OpenEx"), 2u);
}

link::DWORD reportedVersion = 0;
link::FT_STATUS ReportVersion(link::DWORD* v) {
    *v = reportedVersion;
    return link::FT_OK;
}

TEST_F(CablePortTest, BindingNeedsTheVersionAndAllTenNames) {
    const link::D2xxTable t = fake.Driver().table;
    std::string missing;
    bool withVersion = true;
    const link::SymbolLookup lookup = [&](const char* name) -> void* {
        const std::string n = name;
        if (n == missing)
            return nullptr;
        if (n == "FT_GetLibraryVersion")
            return withVersion ? reinterpret_cast<void*>(ReportVersion) : nullptr;
        const std::pair<const char*, void*> names[] = {
            {"FT_OpenEx", reinterpret_cast<void*>(t.FT_OpenEx)},
            {"FT_Close", reinterpret_cast<void*>(t.FT_Close)},
            {"FT_Read", reinterpret_cast<void*>(t.FT_Read)},
            {"FT_Write", reinterpret_cast<void*>(t.FT_Write)},
            {"FT_SetBaudRate", reinterpret_cast<void*>(t.FT_SetBaudRate)},
            {"FT_SetTimeouts", reinterpret_cast<void*>(t.FT_SetTimeouts)},
            {"FT_ResetDevice", reinterpret_cast<void*>(t.FT_ResetDevice)},
            {"FT_Purge", reinterpret_cast<void*>(t.FT_Purge)},
            {"FT_SetRts", reinterpret_cast<void*>(t.FT_SetRts)},
            {"FT_ClrRts", reinterpret_cast<void*>(t.FT_ClrRts)}};
        for (const auto& [key, fn] : names)
            if (n == key)
                return fn;
        return nullptr;
    };
    link::D2xxTable bound;
    reportedVersion = 0x00030100;
    EXPECT_EQ(link::BindD2xx(lookup, bound), link::BindOutcome::Bound);
    EXPECT_TRUE(link::HasAllEntryPoints(bound));
    reportedVersion = 0x000300FF; // 3.0.255 is still 3.0
    EXPECT_EQ(link::BindD2xx(lookup, bound), link::BindOutcome::TooOld);
    reportedVersion = 0x00040000;
    EXPECT_EQ(link::BindD2xx(lookup, bound), link::BindOutcome::Bound);
    missing = "FT_Purge";
    EXPECT_EQ(link::BindD2xx(lookup, bound), link::BindOutcome::MissingEntryPoint);
    missing.clear();
    withVersion = false;
    EXPECT_EQ(link::BindD2xx(lookup, bound), link::BindOutcome::NoVersion);

    EXPECT_FALSE(link::VersionAccepted(3, 0));
    EXPECT_TRUE(link::VersionAccepted(3, 1));
    EXPECT_TRUE(link::VersionAccepted(4, 0));
    EXPECT_FALSE(link::VersionAccepted(2, 99));
}

} // namespace
} // namespace korv::test
