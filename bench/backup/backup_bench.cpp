// korv-bench-backup: how long the backup a write offers adds for a full module. A module of
// 6144 cards is written once more with a full register, first without a backup, then with the
// offered one answered Yes (the module's 6144 cards into the user's data folder, here a
// temporary one), through the window's command body on the simulator's 9600-baud wire in
// virtual time.
#include "bench/support/quiet_ui.h"
#include "bench/support/virtual_sim.h"
#include "commands/connection_monitor.h"
#include "commands/write_module.h"
#include "files/card_file_v9.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

korv::TTablica FullRegister(int salt) {
    korv::TTablica t;
    for (int c = 0; c < korv::MaxCards; ++c)
        t.AddCard(1 + c / 1536, c % 256, {std::to_string(100000 + c * 37 + salt), false, ""});
    return t;
}

} // namespace

int main(int argc, char**) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: korv-bench-backup\n");
        return 2;
    }
    korv::bench::VirtualSim sim("korv-bench-backup");
    const std::string data = sim.Folder() + "/data";
#ifdef _WIN32
    _putenv_s("LOCALAPPDATA", data.c_str());
#else
    setenv("XDG_DATA_HOME", data.c_str(), 1);
#endif
    sim.Configure("kind=F\ntiming=on\ndelay=1\nmemory=" + sim.Folder() + "/memory.bin");
    auto port = sim.Port();
    korv::AppState state;
    korv::bench::QuietUi ui;
    korv::ModuleContext ctx{state, ui, *port};
    korv::CheckConnection(ctx);
    if (!state.connection.PasswordAccepted()) {
        std::fprintf(stderr, "the simulated module was not found\n");
        return 1;
    }
    state.tablica = FullRegister(0);
    if (!korv::WriteModule(ctx).Complete()) { // the module now holds 6144 cards
        std::fprintf(stderr, "the first write did not complete\n");
        return 1;
    }
    const auto timed = [&](const korv::WriteBackup& backup, korv::WriteOutcome& outcome) {
        const std::uint64_t start = sim.clock.TickMs();
        outcome = korv::WriteModule(ctx, backup);
        return static_cast<double>(sim.clock.TickMs() - start) / 1000.0;
    };
    korv::WriteOutcome plain, backedUp;
    state.tablica = FullRegister(1);
    const double plainS = timed({}, plain);
    state.tablica = FullRegister(2);
    const double backupS = timed(korv::WriteBackup::Offered(), backedUp);
    std::printf("6144-card write              %8.3f s\n", plainS);
    std::printf("6144-card write with backup  %8.3f s   backup adds %.3f s\n", backupS,
                backupS - plainS);
    korv::TTablica saved;
    const std::string path = backedUp.backup.backup.path;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const bool loaded = korv::LoadCardFile(bytes, saved).loaded;
    // The one notice is the write naming its backup.
    if (!plain.Complete() || !backedUp.Complete() || !loaded ||
        saved.CardCount() != korv::MaxCards || ui.notices != 1 || ui.warnings) {
        std::fprintf(stderr, "a write or its backup did not complete\n");
        return 1;
    }
    std::printf("backup file: %zu bytes, %d cards\n", bytes.size(), saved.CardCount());
    return 0;
}
