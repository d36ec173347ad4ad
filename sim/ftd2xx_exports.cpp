// The simulator as a D2XX library: the ten functions the cable port binds and the version
// query, over one SimCable configured by the INI file named in KORV_SIM_CONFIG. The file is
// read again at every open; the module keeps its state (card queue, RTS) while the file stays
// the same, and its memory lives in the image file when one is named. The file also stands for
// the cable across processes (CableHold): while one process has it open, the others are refused
// as the vendor's library refuses a device another process holds.
#include "sim/cable_hold.h"
#include "sim/sim_cable.h"
#include "sim/sim_clock.h"
#include "sim/sim_config.h"
#include "sim/small_file.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <sstream>

#ifdef _WIN32
#define KORV_SIM_EXPORT extern "C" __declspec(dllexport)
#else
#define KORV_SIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

using korv::sim::CableHold;
using korv::sim::HostClock;
using korv::sim::HostClockCallbacks;
using korv::sim::SimCable;
using korv::sim::SimClock;
using korv::sim::SimConfig;
using korv::sim::SimRealClock;

namespace {

struct Library {
    std::mutex mutex;
    std::unique_ptr<SimClock> clock = std::make_unique<SimRealClock>();
    std::unique_ptr<SimCable> cable;
    // Held from a successful open to its close.
    CableHold hold;
    std::string configText;
    bool configRead = false;
};

Library& Lib() {
    static Library lib;
    return lib;
}

// The configuration file's name, or null when none is set.
const char* ConfigPath() {
    const char* path = std::getenv("KORV_SIM_CONFIG");
    return path && *path ? path : nullptr;
}

bool ReadConfigText(std::string& text) {
    const char* path = ConfigPath();
    text.clear();
    if (!path)
        return true;
    std::string error;
    auto data = korv::sim::ReadSmallRegularFile(path, error);
    if (!data) {
        std::fprintf(stderr, "korv simulator: cannot read KORV_SIM_CONFIG file %s: %s\n", path,
                     error.c_str());
        return false;
    }
    text = std::move(*data);
    return true;
}

std::optional<SimConfig> ParseOrComplain(const std::string& text) {
    std::string error;
    auto config = korv::sim::ParseSimConfig(text, error);
    if (!config)
        std::fprintf(stderr, "korv simulator: KORV_SIM_CONFIG: %s\n", error.c_str());
    return config;
}

// The cable for this open: rebuilt when the configuration changed and nothing holds it open.
SimCable* CurrentCable(Library& lib) {
    if (lib.cable && lib.cable->IsOpen())
        return lib.cable.get();
    std::string text;
    if (!ReadConfigText(text))
        return nullptr;
    if (lib.cable && lib.configRead && text == lib.configText)
        return lib.cable.get();
    auto config = ParseOrComplain(text);
    if (!config)
        return nullptr;
    lib.cable = std::make_unique<SimCable>(std::move(*config), *lib.clock);
    lib.configText = text;
    lib.configRead = true;
    return lib.cable.get();
}

template <typename F> std::uint32_t WithCable(F&& f) {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    if (!lib.cable)
        return korv::sim::kFtInvalidHandle;
    return f(*lib.cable);
}

} // namespace

KORV_SIM_EXPORT std::uint32_t FT_OpenEx(void* pvArg1, std::uint32_t dwFlags, void** ftHandle) {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    SimCable* cable = CurrentCable(lib);
    if (!cable)
        return korv::sim::kFtDeviceNotFound;
    // A wrong description or a missing cable is answered as such whoever holds the cable.
    if (const std::uint32_t refusal = cable->OpenRefusal(pvArg1, dwFlags, ftHandle))
        return refusal;
    // Without a configuration file there is nothing another process could share.
    if (const char* path = ConfigPath()) {
        std::string error;
        switch (lib.hold.Take(path, error)) {
        case CableHold::Outcome::Taken:
            break;
        case CableHold::Outcome::HeldElsewhere:
            return korv::sim::kFtDeviceNotOpened;
        case CableHold::Outcome::Failed:
            // Opening unheld could let two processes write one module; the person running
            // the program must learn why the cable did not open.
            std::fprintf(stderr, "korv simulator: KORV_SIM_CONFIG file %s: %s\n", path,
                         error.c_str());
            return korv::sim::kFtIoError;
        }
    }
    const std::uint32_t status = cable->OpenEx(pvArg1, dwFlags, ftHandle);
    if (status != korv::sim::kFtOk)
        lib.hold.Release();
    return status;
}

KORV_SIM_EXPORT std::uint32_t FT_Close(void* ftHandle) {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    if (!lib.cable)
        return korv::sim::kFtInvalidHandle;
    const std::uint32_t status = lib.cable->Close(ftHandle);
    if (status == korv::sim::kFtOk)
        lib.hold.Release();
    return status;
}

KORV_SIM_EXPORT std::uint32_t FT_Read(void* ftHandle, void* bufor, std::uint32_t toRead,
                                      std::uint32_t* returned) {
    return WithCable([&](SimCable& c) { return c.Read(ftHandle, bufor, toRead, returned); });
}

KORV_SIM_EXPORT std::uint32_t FT_Write(void* ftHandle, void* bufor, std::uint32_t toWrite,
                                       std::uint32_t* written) {
    return WithCable([&](SimCable& c) { return c.Write(ftHandle, bufor, toWrite, written); });
}

KORV_SIM_EXPORT std::uint32_t FT_SetBaudRate(void* ftHandle, std::uint32_t baud) {
    return WithCable([&](SimCable& c) { return c.SetBaudRate(ftHandle, baud); });
}

KORV_SIM_EXPORT std::uint32_t FT_SetTimeouts(void* ftHandle, std::uint32_t readMs,
                                             std::uint32_t writeMs) {
    return WithCable([&](SimCable& c) { return c.SetTimeouts(ftHandle, readMs, writeMs); });
}

KORV_SIM_EXPORT std::uint32_t FT_ResetDevice(void* ftHandle) {
    return WithCable([&](SimCable& c) { return c.ResetDevice(ftHandle); });
}

KORV_SIM_EXPORT std::uint32_t FT_Purge(void* ftHandle, std::uint32_t mask) {
    return WithCable([&](SimCable& c) { return c.Purge(ftHandle, mask); });
}

KORV_SIM_EXPORT std::uint32_t FT_SetRts(void* ftHandle) {
    return WithCable([&](SimCable& c) { return c.SetRts(ftHandle, true); });
}

KORV_SIM_EXPORT std::uint32_t FT_ClrRts(void* ftHandle) {
    return WithCable([&](SimCable& c) { return c.SetRts(ftHandle, false); });
}

KORV_SIM_EXPORT std::uint32_t FT_GetLibraryVersion(std::uint32_t* lpdwVersion) {
    if (!lpdwVersion)
        return korv::sim::kFtInvalidParameter;
    std::string text;
    std::optional<SimConfig> config;
    if (ReadConfigText(text))
        config = ParseOrComplain(text);
    *lpdwVersion = config ? config->libraryVersion : SimConfig{}.libraryVersion;
    return korv::sim::kFtOk;
}

// For tests and benchmarks in the same process: run the simulator on the host's clock (null
// goes back to the real one). Drops the current module, so call it with the cable closed.
KORV_SIM_EXPORT void KorvSim_UseHostClock(const HostClockCallbacks* callbacks) {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    lib.cable.reset();
    lib.hold.Release();
    lib.configRead = false;
    if (callbacks)
        lib.clock = std::make_unique<HostClock>(*callbacks);
    else
        lib.clock = std::make_unique<SimRealClock>();
}

// The RTS line as the host last set it: 1 raised, 0 lowered, -1 no module yet.
KORV_SIM_EXPORT int KorvSim_Rts() {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    return lib.cable ? (lib.cable->module().Rts() ? 1 : 0) : -1;
}
