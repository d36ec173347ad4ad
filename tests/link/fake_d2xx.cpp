#include "fake_d2xx.h"

#include <algorithm>
#include <cstring>

namespace korv::test {

using namespace korv::link;

namespace {

FakeD2xx* active = nullptr;
int handleToken = 0;

FT_STATUS Status(const char* name) {
    return active->Fails(name) ? FT_IO_ERROR : FT_OK;
}

FT_STATUS OpenEx(void* arg, DWORD flags, FT_HANDLE* h) {
    active->calls.push_back("FT_OpenEx " + std::string(static_cast<const char*>(arg)) + " " +
                            std::to_string(flags));
    if (!active->cablePresent)
        return FT_DEVICE_NOT_FOUND;
    if (active->heldElsewhere)
        return FT_DEVICE_NOT_OPENED;
    if (FT_STATUS s = Status("FT_OpenEx"))
        return s;
    *h = &handleToken;
    active->open = true;
    return FT_OK;
}

FT_STATUS Close(FT_HANDLE) {
    active->calls.push_back("FT_Close");
    if (FT_STATUS s = Status("FT_Close"))
        return s;
    active->open = false;
    return FT_OK;
}

FT_STATUS Read(FT_HANDLE, void* buf, DWORD n, DWORD* got) {
    active->calls.push_back("FT_Read " + std::to_string(n));
    active->readSizes.push_back(n);
    active->readAt.push_back(active->clock->TickMs());
    if (FT_STATUS s = Status("FT_Read"))
        return s;
    DWORD count = 0;
    auto* out = static_cast<std::uint8_t*>(buf);
    while (count < n && !active->incoming.empty()) {
        out[count++] = active->incoming.front();
        active->incoming.pop_front();
    }
    if (count < n)
        active->clock->Advance(active->readTimeoutMs);
    *got = count;
    return FT_OK;
}

FT_STATUS Write(FT_HANDLE, void* buf, DWORD n, DWORD* written) {
    active->calls.push_back("FT_Write " + std::to_string(n));
    if (FT_STATUS s = Status("FT_Write"))
        return s;
    const auto* in = static_cast<const std::uint8_t*>(buf);
    active->written.emplace_back(in, in + n);
    active->writtenAt.push_back(active->clock->TickMs());
    if (!active->replies.empty()) {
        const Bytes reply = active->replies.front();
        active->replies.pop_front();
        active->incoming.insert(active->incoming.end(), reply.begin(), reply.end());
    }
    *written = n - std::min(n, active->writeShortBy);
    return FT_OK;
}

FT_STATUS SetBaudRate(FT_HANDLE, DWORD baud) {
    active->calls.push_back("FT_SetBaudRate " + std::to_string(baud));
    return Status("FT_SetBaudRate");
}

FT_STATUS SetTimeouts(FT_HANDLE, DWORD r, DWORD w) {
    active->calls.push_back("FT_SetTimeouts " + std::to_string(r) + " " + std::to_string(w));
    if (FT_STATUS s = Status("FT_SetTimeouts"))
        return s;
    active->readTimeoutMs = r;
    return FT_OK;
}

FT_STATUS ResetDevice(FT_HANDLE) {
    active->calls.push_back("FT_ResetDevice");
    return Status("FT_ResetDevice");
}

FT_STATUS Purge(FT_HANDLE, DWORD mask) {
    active->calls.push_back("FT_Purge " + std::to_string(mask));
    if (FT_STATUS s = Status("FT_Purge"))
        return s;
    active->incoming.clear();
    return FT_OK;
}

FT_STATUS SetRts(FT_HANDLE) {
    active->calls.push_back("FT_SetRts");
    return Status("FT_SetRts");
}

FT_STATUS ClrRts(FT_HANDLE) {
    active->calls.push_back("FT_ClrRts");
    return Status("FT_ClrRts");
}

} // namespace

void FakeD2xx::Install(link::VirtualClock& c) {
    clock = &c;
    active = this;
}

bool FakeD2xx::Fails(const char* name) const {
    return std::find(failing.begin(), failing.end(), name) != failing.end();
}

std::size_t FakeD2xx::Count(const std::string& prefix) const {
    return static_cast<std::size_t>(std::count_if(
        calls.begin(), calls.end(), [&](const auto& c) { return c.rfind(prefix, 0) == 0; }));
}

link::CableDriver FakeD2xx::Driver() const {
    link::CableDriver d;
    d.table.FT_OpenEx = OpenEx;
    d.table.FT_Close = Close;
    d.table.FT_Read = Read;
    d.table.FT_Write = Write;
    d.table.FT_SetBaudRate = SetBaudRate;
    d.table.FT_SetTimeouts = SetTimeouts;
    d.table.FT_ResetDevice = ResetDevice;
    d.table.FT_Purge = Purge;
    d.table.FT_SetRts = SetRts;
    d.table.FT_ClrRts = ClrRts;
    d.name = "fake";
    return d;
}

} // namespace korv::test
