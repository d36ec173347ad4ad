// korv-bench-link [--delay MS]: reads and writes all 512 pages through TBEXFTDI and the
// simulator library with its 9600-baud wire model, on a virtual clock shared by both sides,
// and compares each time with the floor: per page, the longer of the protocol's fixed waits
// and the frame's bytes on the wire plus the module's processing time.
#include "link/cable_driver.h"
#include "link/clock.h"
#include "link/ftdi.h"
#include "sim/sim_clock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

korv::link::VirtualClock programClock;

constexpr double kBaud = 9600;
double WireMs(int bytes) {
    return bytes * 10 * 1000.0 / kBaud;
}

void Report(const char* what, std::uint64_t ms, double floorMs, const char* waits, int frameBytes,
            std::uint32_t delay) {
    std::printf("%-15s %9.3f s   floor %9.3f s   ratio %.4f   (per page: %d bytes on the wire, "
                "%u ms module, fixed waits %s ms)\n",
                what, ms / 1000.0, floorMs / 1000.0, ms / floorMs, frameBytes, delay, waits);
}

} // namespace

int main(int argc, char** argv) {
    std::uint32_t delay = 1;
    if (argc == 3 && std::string(argv[1]) == "--delay")
        delay = static_cast<std::uint32_t>(std::atoi(argv[2]));
    else if (argc != 1) {
        std::fprintf(stderr, "usage: korv-bench-link [--delay MS]\n");
        return 2;
    }

    char pattern[] = "/tmp/korv-bench-link-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::string config = std::string(pattern) + "/sim.ini";
    std::ofstream(config) << "[module]\nkind=F\ntiming=on\ndelay=" << delay << "\n";
    setenv("KORV_SIM_CONFIG", config.c_str(), 1);

    std::string why;
    auto driver = korv::link::LoadVendorLibrary(KORV_SIM_LIBRARY, &why);
    if (!driver) {
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

    korv::link::TBEXFTDI port(programClock, std::move(driver));
    if (port.Open() != korv::link::PortResult::Ok) {
        std::fprintf(stderr, "the simulated cable did not open\n");
        return 1;
    }
    const auto wallStart = std::chrono::steady_clock::now();
    int failures = 0;

    std::uint64_t start = programClock.TickMs();
    for (int page = 0; page < korv::link::kPageCount; ++page) {
        for (int i = 0; i < korv::link::kPageSize; ++i)
            port.buf_in[2 + i] = static_cast<std::uint8_t>(page * 7 + i);
        failures += port.WritePage(page) != korv::link::PortResult::Ok;
    }
    const std::uint64_t writeMs = programClock.TickMs() - start;

    start = programClock.TickMs();
    for (int page = 0; page < korv::link::kPageCount; ++page) {
        if (port.ReadPage(page) != korv::link::PortResult::Ok ||
            port.buf_out[5] != static_cast<std::uint8_t>(page * 7 + 5))
            ++failures;
    }
    const std::uint64_t readMs = programClock.TickMs() - start;
    const auto wall = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - wallStart);
    port.Close();
    hook(nullptr);
    std::filesystem::remove_all(pattern);

    // Read: 3 request bytes and 65 reply bytes; 20 ms wait and 5 ms clearing before the read.
    const double readPage = std::max(25.0, WireMs(3 + 65) + delay);
    // Write: 67 request bytes and 3 reply bytes; 5 ms (pages 0-255) or 10 ms (256-511) and
    // 5 ms clearing before the read.
    const double writeLow = std::max(10.0, WireMs(67 + 3) + delay);
    const double writeHigh = std::max(15.0, WireMs(67 + 3) + delay);
    Report("512-page read", readMs, 512 * readPage, "25", 68, delay);
    Report("512-page write", writeMs, 256 * writeLow + 256 * writeHigh, "10/15", 70, delay);
    std::printf("wall time for both: %lld ms; pages failed: %d\n",
                static_cast<long long>(wall.count()), failures);
    return failures ? 1 : 0;
}
