// korv-bench-transfer: a full register of 6144 cards written, read back and verified through
// the window's own command bodies, against the simulator library with its 9600-baud wire model
// on a virtual clock shared by both sides. Each time is compared with the floor the wire and
// the protocol's fixed waits allow.
#include "bench/support/quiet_ui.h"
#include "bench/support/virtual_sim.h"
#include "bench/transfer/transfer_floor.h"
#include "commands/connection_monitor.h"
#include "commands/read_module.h"
#include "commands/verify_module.h"
#include "commands/write_module.h"
#include "link/memory_image.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr std::uint32_t kModuleMs = 1;
// A full register on a full module: the pages a read or verify of its count touches, and
// those its write sends.
const int kReadPages = korv::PagesToRead(korv::MaxCards, korv::link::kFullModule);
const int kWritePages = korv::PagesToWrite(korv::MaxCards, korv::link::kFullModule);

korv::TTablica FullRegister() {
    korv::TTablica t;
    for (int c = 0; c < korv::MaxCards; ++c)
        t.AddCard(1 + c / 1536, c % 256, {std::to_string(100000 + c * 37), c % 5 == 0, ""});
    return t;
}

} // namespace

int main(int argc, char**) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: korv-bench-transfer\n");
        return 2;
    }
    korv::bench::VirtualSim sim("korv-bench-transfer");
    sim.Configure("kind=F\ntiming=on\ndelay=" + std::to_string(kModuleMs) +
                  "\nmemory=" + sim.Folder() + "/memory.bin");
    auto port = sim.Port();
    korv::AppState state;
    korv::bench::QuietUi ui;
    korv::ModuleContext ctx{state, ui, *port};
    korv::CheckConnection(ctx); // finds the module and checks the password, as the window does
    if (!state.connection.PasswordAccepted()) {
        std::fprintf(stderr, "the simulated module was not found\n");
        return 1;
    }
    const korv::TTablica full = FullRegister();
    state.tablica = full;

    bool whole = true;
    auto measure = [&](const char* what, double floorMs, const std::function<bool()>& run) {
        const std::uint64_t start = sim.clock.TickMs();
        whole = run() && whole;
        const double ms = static_cast<double>(sim.clock.TickMs() - start);
        std::printf("%-20s %8.3f s   floor %8.3f s   ratio %.4f\n", what, ms / 1000.0,
                    floorMs / 1000.0, ms / floorMs);
    };
    const korv::bench::TransferFloor floor{kModuleMs};
    const auto wallStart = std::chrono::steady_clock::now();
    measure("6144-card write", floor.Write(kWritePages),
            [&] { return korv::WriteModule(ctx).Complete(); });
    measure("6144-card read", floor.Read(kReadPages), [&] {
        const bool complete = korv::ReadModule(ctx).Complete();
        return complete && state.tablica.CardCount() == korv::MaxCards;
    });
    measure("6144-card verify", floor.Read(kReadPages),
            [&] { return korv::VerifyModule(ctx).Matches(); });
    const auto wall = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - wallStart);
    std::printf("wall time for all three: %lld ms; notices %d, warnings %d\n",
                static_cast<long long>(wall.count()), ui.notices, ui.warnings);
    if (!whole || ui.notices || ui.warnings) {
        std::fprintf(stderr, "a transfer did not complete\n");
        return 1;
    }

    // The module goes quiet: it still gives its count, then answers no page. The read must give
    // up within a few pages' tries and say so once, not walk all 512 pages.
    sim.Configure("kind=F\ntiming=on\ndelay=" + std::to_string(kModuleMs) +
                  "\nmemory=" + sim.Folder() + "/memory.bin\n[faults]\nread=silent");
    const std::uint64_t quietStart = sim.clock.TickMs();
    const korv::ReadOutcome quiet = korv::ReadModule(ctx);
    std::printf("%-20s %8.3f s   stopped at page %d, notices %d\n", "read of a quiet module",
                static_cast<double>(sim.clock.TickMs() - quietStart) / 1000.0, quiet.stoppedAt,
                ui.notices);
    if (quiet.stoppedAt != 0 || ui.notices != 1) {
        std::fprintf(stderr, "the read of a quiet module did not give up once\n");
        return 1;
    }
    return 0;
}
