// Runs the cable port against the simulator library through the same run-time loading as the
// vendor's library, with the simulator on the test's virtual clock.
#pragma once

#include "link/cable_driver.h"
#include "link/clock.h"
#include "link/ftdi.h"
#include "sim/sim_clock.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace korv::test {

class SimLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { configPath = dir + "/sim.ini"; }

    void TearDown() override {
        port.reset();
        if (auto use = HostClockHook())
            use(nullptr);
        unsetenv("KORV_SIM_CONFIG");
    }

    using UseHostClock = void (*)(const sim::HostClockCallbacks*);
    static UseHostClock HostClockHook() {
        void* handle = dlopen(KORV_SIM_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
        if (!handle)
            return nullptr;
        auto hook = reinterpret_cast<UseHostClock>(dlsym(handle, "KorvSim_UseHostClock"));
        dlclose(handle);
        return hook;
    }

    void Configure(const std::string& ini) {
        std::ofstream(configPath) << ini;
        setenv("KORV_SIM_CONFIG", configPath.c_str(), 1);
    }

    // A port over the simulator library, with the simulator on this test's clock.
    link::TBEXFTDI& Port(const std::string& ini) {
        Configure(ini);
        std::string why;
        auto driver = link::LoadVendorLibrary(KORV_SIM_LIBRARY, &why);
        EXPECT_TRUE(driver.has_value()) << why;
        port = std::make_unique<link::TBEXFTDI>(clock, std::move(driver));
        static link::VirtualClock* current;
        current = &clock;
        callbacks.nowMs = [](void*) { return current->TickMs(); };
        callbacks.sleepMs = [](void*, std::uint64_t ms) { current->Advance(ms); };
        auto hook = HostClockHook();
        EXPECT_NE(hook, nullptr);
        if (hook)
            hook(&callbacks);
        return *port;
    }

    std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    TempFolder folder;
    const std::string dir = folder.Path().string();
    std::string configPath;
    link::VirtualClock clock{1000};
    sim::HostClockCallbacks callbacks;
    std::unique_ptr<link::TBEXFTDI> port;
};

} // namespace korv::test
