// The serial-driver layer on a real pseudo-terminal pair, with the simulated module on the far
// end: finding the cable by its USB product, the protocol over it, read time-outs that return
// early with what came, purge and RTS.
#include "link/ftdi.h"
#include "link/serial_driver.h"
#include "pty_shim.h"
#include "sim/module_sim.h"

#include "support/port_calls.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <map>
#include <poll.h>
#include <pty.h>
#include <thread>
#include <unistd.h>

namespace korv::test {
namespace {

using link::DWORD;
using link::FT_HANDLE;
using link::FT_OK;

// The module at the far end of the pseudo-terminal: answers each request at once.
class FarEnd {
public:
    FarEnd() {
        char name[128];
        if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0)
            name_ = name;
        thread_ = std::thread([this] { Pump(); });
    }
    ~FarEnd() {
        stop_ = true;
        thread_.join();
        close(master_);
        close(slave_);
    }
    const std::string& name() const { return name_; }
    sim::ModuleSim& module() { return module_; }
    void SendRaw(const std::vector<std::uint8_t>& bytes) {
        ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

private:
    void Pump() {
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN))
                continue;
            std::uint8_t buf[256];
            const ssize_t n = read(master_, buf, sizeof buf);
            for (ssize_t i = 0; i < n; ++i) {
                auto ex = module_.Receive(buf[i]);
                if (ex && !ex->reply.empty())
                    (void)!write(master_, ex->reply.data(), ex->reply.size());
            }
        }
    }

    int master_ = -1, slave_ = -1;
    std::string name_;
    sim::ModuleSim module_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class SerialDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(far.name().empty());
        const std::string name = far.name();
        link::SetSerialPortLister([name] {
            return std::vector<link::SerialPortInfo>{
                {"/dev/ttyS0", ""}, {"/dev/ttyUSB7", "FT232R USB UART"}, {name, "VOVEDO"}};
        });
    }
    void TearDown() override {
        link::SetSerialPortLister({});
        link::SetSerialPortOpener({});
    }

    FarEnd far;
    link::VirtualClock clock;
};

TEST_F(SerialDriverTest, TheCableIsThePortWithTheProductString) {
    link::TBEXFTDI port(clock, link::SerialDriver());
    ASSERT_TRUE(port.DriverPresent());
    ASSERT_EQ(port.Open(), link::PortResult::Ok);
    const auto reply = port.Identify(link::kMonitorIdentifyWaitMs);
    EXPECT_EQ(link::ModuleKindOf(reply), "F");
    EXPECT_TRUE(port.Close());

    link::SetSerialPortLister([] {
        return std::vector<link::SerialPortInfo>{{"/dev/ttyUSB7", "FT232R USB UART"}};
    });
    EXPECT_NE(port.Open(), link::PortResult::Ok);
    link::SetSerialPortLister([] {
        return std::vector<link::SerialPortInfo>{{"/dev/korv-no-such-port", "VOVEDO"}};
    });
    EXPECT_NE(port.Open(), link::PortResult::Ok);
    EXPECT_FALSE(port.Opened());
}

TEST_F(SerialDriverTest, APortAnotherProgramHoldsIsToldFromAMissingOne) {
    // The lock is on the port, not on this process: a second open is what another program's
    // open would meet.
    const link::D2xxTable t = link::SerialDriver().table;
    char description[] = "VOVEDO";
    FT_HANDLE first = nullptr;
    FT_HANDLE second = nullptr;
    ASSERT_EQ(t.FT_OpenEx(description, link::FT_OPEN_BY_DESCRIPTION, &first), FT_OK);
    EXPECT_EQ(t.FT_OpenEx(description, link::FT_OPEN_BY_DESCRIPTION, &second),
              link::FT_DEVICE_NOT_OPENED);
    link::TBEXFTDI port(clock, link::SerialDriver());
    EXPECT_EQ(port.Open(), link::PortResult::CableInUse);
    ASSERT_EQ(t.FT_Close(first), FT_OK);
    ASSERT_EQ(port.Open(), link::PortResult::Ok);
    EXPECT_TRUE(port.Close());

    link::SetSerialPortLister([] {
        return std::vector<link::SerialPortInfo>{{"/dev/korv-no-such-port", "VOVEDO"}};
    });
    EXPECT_EQ(t.FT_OpenEx(description, link::FT_OPEN_BY_DESCRIPTION, &second),
              link::FT_DEVICE_NOT_FOUND);

    // With two ports of the description, the one another program holds decides; one that
    // refuses for another reason is not reported as held.
    std::map<std::string, int> answers;
    link::SetSerialPortOpener([&](const std::string& name, sp_port*&) { return answers[name]; });
    link::SetSerialPortLister([] {
        return std::vector<link::SerialPortInfo>{{"/dev/ttyUSB0", "VOVEDO"},
                                                 {"/dev/ttyUSB1", "FT232R USB UART"},
                                                 {"/dev/ttyUSB2", "VOVEDO"}};
    });
    const struct {
        int first, other, last;
        link::FT_STATUS status;
    } cases[] = {{ENOENT, EBUSY, ENXIO, link::FT_DEVICE_NOT_FOUND},
                 {ENODEV, 0, EACCES, link::FT_OTHER_ERROR},
                 {EACCES, 0, EBUSY, link::FT_DEVICE_NOT_OPENED},
                 {EWOULDBLOCK, 0, ENOENT, link::FT_DEVICE_NOT_OPENED}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + " " + std::to_string(c.last));
        answers = {{"/dev/ttyUSB0", c.first}, {"/dev/ttyUSB1", c.other}, {"/dev/ttyUSB2", c.last}};
        EXPECT_EQ(t.FT_OpenEx(description, link::FT_OPEN_BY_DESCRIPTION, &second), c.status);
    }
}

TEST_F(SerialDriverTest, TheProtocolRunsOverTheSerialDriver) {
    far.module().Page(0)[61] = 42;
    far.module().QueueCard(3000000000u);
    link::TBEXFTDI port(clock, link::SerialDriver());
    ASSERT_EQ(port.Open(), link::PortResult::Ok);
    EXPECT_EQ(CountOrMinusOne(port), 42);
    for (int i = 0; i < 64; ++i)
        port.buf_in[2 + i] = static_cast<std::uint8_t>(255 - i);
    ASSERT_EQ(port.WritePage(511), link::PortResult::Ok);
    ASSERT_EQ(port.ReadPage(511), link::PortResult::Ok);
    EXPECT_EQ(port.buf_out[0], 255);
    EXPECT_EQ(port.buf_out[63], 192);
    EXPECT_EQ(CardOrEmpty(port), "3000000000");
    EXPECT_TRUE(port.SetRTS());
    EXPECT_EQ(PtyShimRts(), 1);
    EXPECT_TRUE(port.ClrRTS());
    EXPECT_EQ(PtyShimRts(), 0);
    EXPECT_TRUE(port.Close());
}

TEST_F(SerialDriverTest, ReadsReturnAtTheirTimeOutWithWhatCameAndPurgeDropsInput) {
    const link::D2xxTable t = link::SerialDriver().table;
    FT_HANDLE h = nullptr;
    char description[] = "VOVEDO";
    ASSERT_EQ(t.FT_OpenEx(description, link::FT_OPEN_BY_DESCRIPTION, &h), FT_OK);
    ASSERT_EQ(t.FT_ResetDevice(h), FT_OK);
    ASSERT_EQ(t.FT_SetBaudRate(h, 9600), FT_OK);
    ASSERT_EQ(t.FT_SetTimeouts(h, 60, 60), FT_OK);
    using Clock = std::chrono::steady_clock;
    std::uint8_t buf[80];
    DWORD got = 99;

    // A whole reply returns as soon as it is there.
    std::uint8_t request[] = {'A', 0, 'B'};
    ASSERT_EQ(t.FT_Write(h, request, 3, &got), FT_OK);
    EXPECT_EQ(got, 3u);
    auto start = Clock::now();
    ASSERT_EQ(t.FT_Read(h, buf, 65, &got), FT_OK);
    EXPECT_EQ(got, 65u);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(55));

    // Asking for more than comes returns at the time-out with the count that came.
    far.SendRaw({1, 2, 3, 4});
    start = Clock::now();
    ASSERT_EQ(t.FT_Read(h, buf, 10, &got), FT_OK);
    EXPECT_EQ(got, 4u);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(55));
    EXPECT_EQ(buf[3], 4);

    // Nothing at all: zero bytes, still a success.
    ASSERT_EQ(t.FT_Read(h, buf, 3, &got), FT_OK);
    EXPECT_EQ(got, 0u);

    // Purging the receive queue drops what waited in it.
    far.SendRaw({9, 9, 9});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(t.FT_Purge(h, link::FT_PURGE_RX | link::FT_PURGE_TX), FT_OK);
    ASSERT_EQ(t.FT_Read(h, buf, 3, &got), FT_OK);
    EXPECT_EQ(got, 0u);

    ASSERT_EQ(t.FT_Close(h), FT_OK);
    // A closed handle is refused, not used.
    EXPECT_EQ(t.FT_Read(h, buf, 3, &got), link::FT_INVALID_HANDLE);
    EXPECT_EQ(t.FT_Close(h), link::FT_INVALID_HANDLE);
    EXPECT_EQ(t.FT_OpenEx(description, link::FT_OPEN_BY_SERIAL_NUMBER, &h), link::FT_NOT_SUPPORTED);
}

} // namespace
} // namespace korv::test
