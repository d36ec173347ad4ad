#include "sim/sim_cable.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace korv::sim {

SimCable::SimCable(SimConfig config, SimClock& clock)
    : config_(std::move(config)), module_(config_.module),
      trace_(std::make_unique<FrameTrace>(config_.tracePath)),
      line_(module_, clock, config_.timing) {
    module_.memory() = NewMemoryImage(config_);
    for (std::uint32_t card : config_.cards)
        module_.QueueCard(card);
    for (const Fault& fault : config_.faults)
        module_.AddFault(fault);
    line_.SetTrace(trace_.get());
    module_.onMemoryChanged = [this] {
        if (!config_.memoryPath.empty())
            SaveMemoryImage(config_.memoryPath, module_.memory());
    };
}

std::uint32_t SimCable::OpenRefusal(const void* arg, std::uint32_t flags, void** handle) const {
    if (!arg || !handle)
        return kFtInvalidParameter;
    if (flags != kOpenByDescription)
        return kFtNotSupported;
    if (!config_.cablePresent || std::strcmp(static_cast<const char*>(arg), kCableProduct) != 0)
        return kFtDeviceNotFound;
    if (open_)
        return kFtDeviceNotOpened;
    return kFtOk;
}

std::uint32_t SimCable::OpenEx(const void* arg, std::uint32_t flags, void** handle) {
    if (const std::uint32_t refusal = OpenRefusal(arg, flags, handle))
        return refusal;
    // Another process may have changed the module since this one last looked.
    if (!config_.memoryPath.empty()) {
        std::string error;
        if (!LoadMemoryImage(config_.memoryPath, NewMemoryImage(config_), module_.memory(),
                             error)) {
            // The program sees only a cable that did not open; the person running it must
            // learn why.
            std::fprintf(stderr, "korv simulator: %s\n", error.c_str());
            return kFtDeviceNotOpened;
        }
    }
    open_ = true;
    readTimeoutMs_ = 0;
    line_.Reset();
    *handle = this;
    return kFtOk;
}

std::uint32_t SimCable::Close(void* handle) {
    if (!Valid(handle))
        return kFtInvalidHandle;
    open_ = false;
    return kFtOk;
}

std::uint32_t SimCable::Read(void* handle, void* buffer, std::uint32_t count, std::uint32_t* got) {
    if (!Valid(handle))
        return kFtInvalidHandle;
    if (!buffer || !got)
        return kFtInvalidParameter;
    *got = line_.Read(static_cast<std::uint8_t*>(buffer), count, readTimeoutMs_);
    return kFtOk;
}

std::uint32_t SimCable::Write(void* handle, const void* buffer, std::uint32_t count,
                              std::uint32_t* written) {
    if (!Valid(handle))
        return kFtInvalidHandle;
    if (!buffer || !written)
        return kFtInvalidParameter;
    *written = line_.Write(static_cast<const std::uint8_t*>(buffer), count);
    return kFtOk;
}

std::uint32_t SimCable::SetBaudRate(void* handle, std::uint32_t baud) {
    if (!Valid(handle))
        return kFtInvalidHandle;
    if (baud == 0)
        return kFtInvalidParameter;
    line_.SetHostBaud(baud);
    return kFtOk;
}

std::uint32_t SimCable::SetTimeouts(void* handle, std::uint32_t readMs, std::uint32_t) {
    if (!Valid(handle))
        return kFtInvalidHandle;
    readTimeoutMs_ = readMs;
    return kFtOk;
}

std::uint32_t SimCable::ResetDevice(void* handle) {
    if (!Valid(handle))
        return kFtInvalidHandle;
    line_.Reset();
    readTimeoutMs_ = 0;
    return kFtOk;
}

std::uint32_t SimCable::Purge(void* handle, std::uint32_t mask) {
    if (!Valid(handle))
        return kFtInvalidHandle;
    if (mask & 1)
        line_.PurgeReceived();
    return kFtOk;
}

std::uint32_t SimCable::SetRts(void* handle, bool on) {
    if (!Valid(handle))
        return kFtInvalidHandle;
    module_.SetRts(on);
    return kFtOk;
}

} // namespace korv::sim
