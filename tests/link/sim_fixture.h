// Runs the cable port against the simulator library through the same run-time loading as the
// vendor's library, with the simulator on the test's virtual clock.
#pragma once

#include "link/cable_driver.h"
#include "link/clock.h"
#include "link/ftdi.h"
#include "sim/sim_clock.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
// windows.h renames MessageBox to MessageBoxA: the Ui seam's method would then have one name
// where this header came first and another where it came after.
#undef MessageBox
#else
#include <dlfcn.h>
#endif
#include <cstdlib>
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
        SetConfigVariable(nullptr);
    }

    using UseHostClock = void (*)(const sim::HostClockCallbacks*);
    static UseHostClock HostClockHook() {
#ifdef _WIN32
        // Loaded already by the port's driver; only looked up here.
        HMODULE module = GetModuleHandleA("ftd2xx.dll");
        if (!module)
            return nullptr;
        return reinterpret_cast<UseHostClock>(
            reinterpret_cast<void*>(GetProcAddress(module, "KorvSim_UseHostClock")));
#else
        void* handle = dlopen(KORV_SIM_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
        if (!handle)
            return nullptr;
        auto hook = reinterpret_cast<UseHostClock>(dlsym(handle, "KorvSim_UseHostClock"));
        dlclose(handle);
        return hook;
#endif
    }

    // KORV_SIM_CONFIG set to value, or removed for nullptr.
    static void SetConfigVariable(const char* value) {
#ifdef _WIN32
        _putenv_s("KORV_SIM_CONFIG", value ? value : "");
#else
        if (value)
            setenv("KORV_SIM_CONFIG", value, 1);
        else
            unsetenv("KORV_SIM_CONFIG");
#endif
    }

    void Configure(const std::string& ini) {
        std::ofstream(configPath) << ini;
        SetConfigVariable(configPath.c_str());
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
