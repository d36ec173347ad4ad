// The simulated cable as a D2XX device: opening by description, the line settings, raw reads
// and writes over a SimLine to a ModuleSim, RTS. Statuses are the D2XX codes.
#pragma once

#include "sim/frame_trace.h"
#include "sim/module_sim.h"
#include "sim/sim_clock.h"
#include "sim/sim_config.h"
#include "sim/sim_line.h"

#include <cstdint>
#include <memory>

namespace korv::sim {

inline constexpr std::uint32_t kFtOk = 0;
inline constexpr std::uint32_t kFtInvalidHandle = 1;
inline constexpr std::uint32_t kFtDeviceNotFound = 2;
inline constexpr std::uint32_t kFtDeviceNotOpened = 3;
inline constexpr std::uint32_t kFtIoError = 4;
inline constexpr std::uint32_t kFtInvalidParameter = 6;
inline constexpr std::uint32_t kFtNotSupported = 17;

inline constexpr std::uint32_t kOpenByDescription = 2;
inline constexpr const char* kCableProduct = "VOVEDO";

class SimCable {
public:
    SimCable(SimConfig config, SimClock& clock);

    // What OpenEx would answer before it looks at the module: bad arguments, no such cable, or
    // open already (kFtDeviceNotOpened); kFtOk when nothing stands in its way.
    std::uint32_t OpenRefusal(const void* arg, std::uint32_t flags, void** handle) const;
    std::uint32_t OpenEx(const void* arg, std::uint32_t flags, void** handle);
    std::uint32_t Close(void* handle);
    std::uint32_t Read(void* handle, void* buffer, std::uint32_t count, std::uint32_t* got);
    std::uint32_t Write(void* handle, const void* buffer, std::uint32_t count,
                        std::uint32_t* written);
    std::uint32_t SetBaudRate(void* handle, std::uint32_t baud);
    std::uint32_t SetTimeouts(void* handle, std::uint32_t readMs, std::uint32_t writeMs);
    std::uint32_t ResetDevice(void* handle);
    std::uint32_t Purge(void* handle, std::uint32_t mask);
    std::uint32_t SetRts(void* handle, bool on);

    bool IsOpen() const { return open_; }
    std::uint32_t ReadTimeoutMs() const { return readTimeoutMs_; }
    ModuleSim& module() { return module_; }
    SimLine& line() { return line_; }
    FrameTrace& trace() { return *trace_; }
    const SimConfig& config() const { return config_; }

private:
    bool Valid(void* handle) const { return open_ && handle == this; }

    SimConfig config_;
    ModuleSim module_;
    std::unique_ptr<FrameTrace> trace_;
    SimLine line_;
    bool open_ = false;
    std::uint32_t readTimeoutMs_ = 0;
};

} // namespace korv::sim
