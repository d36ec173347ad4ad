// korv-bench-monitor [--seconds N] [--ticks T] [--limit MS]: what the connection monitor
// costs the window, against the simulator library with its 9600-baud wire model.
//
// First, on a virtual clock shared by both sides of the cable, how long one tick blocks the
// thread that runs it (every protocol wait, read time-out and byte on the wire), T ticks per
// case: exact and repeatable. Then the real window (offscreen) on the real clock, its monitor
// ticking once a second for N seconds per case, and the longest its thread went without
// handling events. Cases: a module that answers (full and ZADA), an old module, a silent one
// (cable there, module off), no cable. Exits 1 when a window case goes over the limit.
#include "bench/support/event_gap_probe.h"
#include "bench/support/quiet_ui.h"
#include "bench/support/virtual_sim.h"
#include "bench/support/window_bench.h"
#include "commands/connection_monitor.h"
#include "ui/main_window/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Case {
    const char* name;
    const char* module;
    bool answers; // the module takes the password
};

const Case kCases[] = {
    {"full module", "kind=F", true},     {"ZADA module", "kind=M", true},
    {"old module (i)", "kind=i", false}, {"silent module", "kind=silent", false},
    {"no cable", "kind=none", false},
};

struct TickFigures {
    std::uint64_t longest = 0, median = 0;
};

TickFigures MeasureTicks(korv::bench::VirtualSim& sim, const std::string& module, int ticks) {
    sim.Configure(module + "\ntiming=on\ndelay=1");
    auto port = sim.Port();
    korv::AppState state;
    korv::bench::QuietUi ui;
    korv::ModuleContext ctx{state, ui, *port};
    std::vector<std::uint64_t> times;
    for (int t = 0; t < ticks; ++t) {
        const std::uint64_t start = sim.clock.TickMs();
        korv::CheckConnection(ctx);
        times.push_back(sim.clock.TickMs() - start);
        sim.clock.Advance(1000); // the timer's interval
    }
    std::sort(times.begin(), times.end());
    return {times.back(), times[times.size() / 2]};
}

void VirtualTicks(int ticks) {
    // Its own scope: the simulator goes back to the real clock before the window starts.
    korv::bench::VirtualSim sim("korv-bench-monitor");
    std::printf("one monitor tick, %d ticks per case, virtual time on the 9600-baud wire\n", ticks);
    for (const Case& c : kCases) {
        const TickFigures f = MeasureTicks(sim, c.module, ticks);
        std::printf("  %-16s longest %4llu ms   median %4llu ms\n", c.name,
                    static_cast<unsigned long long>(f.longest),
                    static_cast<unsigned long long>(f.median));
    }
}

int Usage() {
    std::fprintf(stderr, "usage: korv-bench-monitor [--seconds N] [--ticks T] [--limit MS]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int seconds = 8, ticks = 20;
    std::optional<double> limit;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--seconds" || arg == "--ticks") && i + 1 < argc) {
            (arg == "--seconds" ? seconds : ticks) = std::atoi(argv[++i]);
        } else if (!korv::bench::ParseLimit(argc, argv, i, limit)) {
            return Usage();
        }
    }
    if (seconds < 1 || ticks < 1)
        return Usage();
    korv::bench::UseSimulatorLibrary(argv);

    VirtualTicks(ticks);

    QApplication app(argc, argv);
    korv::bench::BenchFolder folder("korv-bench-monitor");
    korv::bench::GapSummary summary;
    bool found = true;
    std::printf("\nthe window's thread on the real clock, the monitor ticking for %d s per case\n",
                seconds);
    int n = 0;
    for (const Case& c : kCases) {
        folder.Module(std::string(c.module) + "\ntiming=on\ndelay=1\nmemory=" + folder.Path() +
                      "/memory" + std::to_string(n++) + ".bin");
        auto window = folder.StartWindow();
        korv::bench::ModalAnswerer answerer;
        int ran = 0;
        QObject::connect(window->TimerCheck, &QTimer::timeout, [&ran] { ++ran; });
        korv::bench::EventGapProbe probe;
        probe.Start();
        korv::bench::RunEventsFor(seconds * 1000);
        probe.Stop();
        // Let a tick that is still going finish before the window goes.
        korv::bench::WaitUntil([&] { return !korv::bench::WindowCommandRunning(*window); }, 5000);

        std::printf("  %-16s longest gap %6.1f ms (ended at %5.2f s)   %d ticks   \"%s\"", c.name,
                    probe.LongestMs(), probe.LongestEndedAtMs() / 1000.0, ran,
                    window->LabelPolacz->text().toStdString().c_str());
        for (const std::string& box : answerer.Take())
            std::printf("   box: \"%s\"", box.c_str());
        std::printf("\n");
        summary.Add(c.name, probe.LongestMs());
        if (window->state().connection.PasswordAccepted() != c.answers) {
            std::fprintf(stderr, "%s: the window %s the module\n", c.name,
                         c.answers ? "did not find" : "unexpectedly accepted");
            found = false;
        }
    }
    std::printf("\n");
    const int status = summary.Finish(limit);
    return found ? status : 1;
}
