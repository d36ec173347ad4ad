// korv-bench-monitor [TICKS]: runs connection-monitor ticks against the simulator library with
// its 9600-baud wire model, on a virtual clock shared by both sides, and reports how long one
// tick blocks the thread that runs it: every protocol wait, read time-out and byte on the
// wire. Cases: a module that answers (full and ZADA), an old module, a silent one, no cable.
#include "link/cable_driver.h"
#include "link/clock.h"
#include "sim/sim_clock.h"
#include "transfer/connection_monitor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

korv::link::VirtualClock programClock;

// The monitor shows everything through the Ui; nothing needs showing here.
class QuietUi : public korv::Ui {
public:
    int MessageBox(const std::string&, const std::string&, int) override { return korv::IdOk; }
    void ShowMessage(const std::string&) override {}
    void ShowError(const std::string&) override {}
    void ShowProgress(int, int, const std::string&) override {}
    void HideProgress() override {}
    void ProcessEvents() override {}
    std::optional<std::string> AskOpenFileName(const std::string&) override { return {}; }
    std::optional<std::string> AskSaveFileName(const std::string&, const std::string&) override {
        return {};
    }
    int AskZone() override { return 0; }
    void BeginBusy() override {}
    void EndBusy() override {}
    void RefreshViews() override {}
    void SetApartment(int) override {}
    void ShowCurrentApartment() override {}
    void SetWindowTitle(const std::string&) override {}
    void SetMenuItemEnabled(korv::MenuItem, bool) override {}
    void ShowConnection(const korv::ConnectionView&) override {}
    std::optional<std::string> AskPassword(bool) override { return {}; }
    void SetMonitorRunning(bool) override {}
    void ShowProgressLabel(const std::string&) override {}
    void SetWaitCursor(bool) override {}
};

struct Figures {
    std::uint64_t longest = 0, median = 0;
};

Figures Measure(const std::string& config, const std::string& module, int ticks) {
    std::ofstream(config) << "[module]\n" << module << "\ntiming=on\ndelay=1\n";
    std::string why;
    auto driver = korv::link::LoadVendorLibrary(KORV_SIM_LIBRARY, &why);
    if (!driver) {
        std::fprintf(stderr, "cannot load the simulator library: %s\n", why.c_str());
        std::exit(1);
    }
    korv::link::TBEXFTDI port(programClock, std::move(driver));
    korv::AppState state;
    QuietUi ui;
    korv::ModuleContext ctx{state, ui, port};
    std::vector<std::uint64_t> times;
    for (int t = 0; t < ticks; ++t) {
        const std::uint64_t start = programClock.TickMs();
        korv::TimerCheckTimer(ctx);
        times.push_back(programClock.TickMs() - start);
        programClock.Advance(1000); // the timer's interval
    }
    std::sort(times.begin(), times.end());
    return {times.back(), times[times.size() / 2]};
}

} // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 20;
    if (argc > 2 || ticks < 1) {
        std::fprintf(stderr, "usage: korv-bench-monitor [TICKS]\n");
        return 2;
    }
    char pattern[] = "/tmp/korv-bench-monitor-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::string config = std::string(pattern) + "/sim.ini";
    std::ofstream(config) << "[module]\n";
    setenv("KORV_SIM_CONFIG", config.c_str(), 1);
    // Keep the library loaded for the whole run and hand it the program's clock.
    std::string why;
    const auto keep = korv::link::LoadVendorLibrary(KORV_SIM_LIBRARY, &why);
    if (!keep) {
        std::fprintf(stderr, "cannot load the simulator library: %s\n", why.c_str());
        return 1;
    }
    void* lib = dlopen(KORV_SIM_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    auto hook = reinterpret_cast<void (*)(const korv::sim::HostClockCallbacks*)>(
        dlsym(lib, "KorvSim_UseHostClock"));
    korv::sim::HostClockCallbacks callbacks;
    callbacks.nowMs = [](void*) { return programClock.TickMs(); };
    callbacks.sleepMs = [](void*, std::uint64_t ms) { programClock.Advance(ms); };
    hook(&callbacks);

    std::printf("one monitor tick, %d ticks per case, virtual time on the 9600-baud wire\n", ticks);
    const struct {
        const char* name;
        const char* module;
    } cases[] = {
        {"full module", "kind=F"},        {"ZADA module", "kind=M"}, {"old module (i)", "kind=i"},
        {"silent module", "kind=silent"}, {"no cable", "kind=none"},
    };
    for (const auto& c : cases) {
        const Figures f = Measure(config, c.module, ticks);
        std::printf("%-16s longest %4llu ms   median %4llu ms\n", c.name,
                    static_cast<unsigned long long>(f.longest),
                    static_cast<unsigned long long>(f.median));
    }
    hook(nullptr);
    std::filesystem::remove_all(pattern);
    return 0;
}
