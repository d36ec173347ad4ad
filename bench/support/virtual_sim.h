// The simulator library on the benchmark's virtual clock: both sides of the cable see the same
// time, so every wait, time-out and byte on the 9600-baud wire costs virtual milliseconds and
// a run of minutes takes a moment. Configure the module through the INI file, then make ports.
#pragma once

#include "link/cable_driver.h"
#include "link/clock.h"
#include "link/ftdi.h"
#include "sim/sim_clock.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace korv::bench {

class VirtualSim {
public:
    explicit VirtualSim(const char* name) {
        std::string pattern = "/tmp/" + std::string(name) + "-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        folder_ = pattern;
        config_ = folder_ + "/sim.ini";
        Configure("");
        setenv("KORV_SIM_CONFIG", config_.c_str(), 1);
        std::string why;
        // Kept loaded for the whole run, so the clock handed over below stays in place.
        keep_ = link::LoadVendorLibrary(KORV_SIM_LIBRARY, &why);
        if (!keep_) {
            std::fprintf(stderr, "cannot load the simulator library: %s\n", why.c_str());
            std::exit(1);
        }
        void* lib = dlopen(KORV_SIM_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
        hook_ = reinterpret_cast<Hook>(dlsym(lib, "KorvSim_UseHostClock"));
        static link::VirtualClock* current;
        current = &clock;
        callbacks_.nowMs = [](void*) { return current->TickMs(); };
        callbacks_.sleepMs = [](void*, std::uint64_t ms) { current->Advance(ms); };
        hook_(&callbacks_);
    }
    ~VirtualSim() {
        hook_(nullptr);
        std::filesystem::remove_all(folder_);
    }
    VirtualSim(const VirtualSim&) = delete;
    VirtualSim& operator=(const VirtualSim&) = delete;

    // The [module] section's lines; read when the next port opens the cable.
    void Configure(const std::string& moduleLines) {
        std::ofstream(config_) << "[module]\n" << moduleLines << "\n";
    }
    const std::string& Folder() const { return folder_; }

    // A cable port over the simulator on the virtual clock.
    std::unique_ptr<link::TBEXFTDI> Port() {
        std::string why;
        auto driver = link::LoadVendorLibrary(KORV_SIM_LIBRARY, &why);
        return std::make_unique<link::TBEXFTDI>(clock, std::move(driver));
    }

    link::VirtualClock clock;

private:
    using Hook = void (*)(const sim::HostClockCallbacks*);
    std::string folder_, config_;
    std::optional<link::CableDriver> keep_;
    Hook hook_ = nullptr;
    sim::HostClockCallbacks callbacks_;
};

} // namespace korv::bench
