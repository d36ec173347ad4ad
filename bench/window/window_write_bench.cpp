// korv-bench-window-write: the real window (offscreen) writes a full register of 6144 cards to
// the simulated module on the real clock, the simulator's 9600-baud wire model switched on, as
// an installer's Save press would. Reports the time against the floor the wire and the
// protocol's fixed waits allow, and the longest the window's thread went without handling
// events. Takes about 40 s; run on request.
#include "bench/transfer/transfer_floor.h"
#include "ui/main_window.h"
#include "ui/push_panel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr std::uint32_t kModuleMs = 1;

// The window loads the cable's library by name from the library path, fixed when the program
// starts: put the simulator's there and start again.
void UseSimulatorLibrary(char** argv) {
    if (std::getenv("KORV_BENCH_WITH_SIM"))
        return;
    const std::string dir = std::filesystem::path(KORV_SIM_LIBRARY).parent_path().string();
    const char* old = std::getenv("LD_LIBRARY_PATH");
    setenv("LD_LIBRARY_PATH", (dir + (old ? ":" + std::string(old) : "")).c_str(), 1);
    setenv("KORV_BENCH_WITH_SIM", "1", 1);
    execv("/proc/self/exe", argv);
    std::perror("execv");
    std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: korv-bench-window-write\n");
        return 2;
    }
    UseSimulatorLibrary(argv);
    char pattern[] = "/tmp/korv-bench-window-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::string folder = pattern;
    std::ofstream(folder + "/sim.ini") << "[module]\nkind=F\ntiming=on\ndelay=" << kModuleMs
                                       << "\nmemory=" << folder << "/memory.bin\n";
    setenv("KORV_SIM_CONFIG", (folder + "/sim.ini").c_str(), 1);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication app(argc, argv);
    korv::ui::TMainOptions options;
    options.settingsPath = folder + "/korv.ini";
    korv::ui::TMain w(options);
    w.show();
    QApplication::processEvents();
    w.TimerCheckTimer();
    if (!w.state().PasswordAccepted) {
        std::fprintf(stderr, "the simulated module was not found (driver: %s)\n",
                     w.BEXFTDI->DriverName().c_str());
        return 1;
    }
    for (int c = 0; c < korv::MaxCards; ++c)
        w.state().tablica.AddCard(1 + c / 1536, c % 256,
                                  {std::to_string(100000 + c * 37), false, ""});
    w.state().NeedSave = true;

    // A timer that fires whenever the window's thread handles events; the longest gap between
    // two firings is the longest the window stood still.
    QElapsedTimer beatClock;
    qint64 lastBeat = 0, longestGap = 0;
    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    beat.setInterval(1);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const qint64 now = beatClock.elapsed();
        longestGap = std::max(longestGap, now - lastBeat);
        lastBeat = now;
    });
    double writeMs = 0;
    QTimer::singleShot(0, [&] {
        beatClock.start();
        beat.start();
        QElapsedTimer writeClock;
        writeClock.start();
        emit w.Panel2b->clicked();
        writeMs = static_cast<double>(writeClock.nsecsElapsed()) / 1e6;
        beat.stop();
        longestGap = std::max(longestGap, beatClock.elapsed() - lastBeat);
        app.quit();
    });
    app.exec();
    std::filesystem::remove_all(folder);

    const double floorMs = korv::bench::TransferFloor{kModuleMs}.Write(512);
    std::printf("window write of 6144 cards  %8.3f s   floor %8.3f s   ratio %.4f\n",
                writeMs / 1000.0, floorMs / 1000.0, writeMs / floorMs);
    std::printf("longest time without handling events: %lld ms\n",
                static_cast<long long>(longestGap));
    if (w.state().NeedSave) {
        std::fprintf(stderr, "the write did not complete\n");
        return 1;
    }
    return 0;
}
