// korv-bench-monitor [TICKS]: runs connection-monitor ticks against the simulator library with
// its 9600-baud wire model, on a virtual clock shared by both sides, and reports how long one
// tick blocks the thread that runs it: every protocol wait, read time-out and byte on the
// wire. Cases: a module that answers (full and ZADA), an old module, a silent one, no cable.
#include "bench/support/quiet_ui.h"
#include "bench/support/virtual_sim.h"
#include "commands/connection_monitor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Figures {
    std::uint64_t longest = 0, median = 0;
};

Figures Measure(korv::bench::VirtualSim& sim, const std::string& module, int ticks) {
    sim.Configure(module + "\ntiming=on\ndelay=1");
    auto port = sim.Port();
    korv::AppState state;
    korv::bench::QuietUi ui;
    korv::ModuleContext ctx{state, ui, *port};
    std::vector<std::uint64_t> times;
    for (int t = 0; t < ticks; ++t) {
        const std::uint64_t start = sim.clock.TickMs();
        korv::TimerCheckTimer(ctx);
        times.push_back(sim.clock.TickMs() - start);
        sim.clock.Advance(1000); // the timer's interval
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
    korv::bench::VirtualSim sim("korv-bench-monitor");

    std::printf("one monitor tick, %d ticks per case, virtual time on the 9600-baud wire\n", ticks);
    const struct {
        const char* name;
        const char* module;
    } cases[] = {
        {"full module", "kind=F"},        {"ZADA module", "kind=M"}, {"old module (i)", "kind=i"},
        {"silent module", "kind=silent"}, {"no cable", "kind=none"},
    };
    for (const auto& c : cases) {
        const Figures f = Measure(sim, c.module, ticks);
        std::printf("%-16s longest %4llu ms   median %4llu ms\n", c.name,
                    static_cast<unsigned long long>(f.longest),
                    static_cast<unsigned long long>(f.median));
    }
    return 0;
}
