#include "link/ftdi.h"

#include <cstring>

namespace korv::link {

namespace {
constexpr DWORD kPurgeBoth = FT_PURGE_RX | FT_PURGE_TX;
constexpr std::uint32_t kClearWaitMs = 5;
} // namespace

TBEXFTDI::TBEXFTDI(Clock& clock) : TBEXFTDI(clock, FindCableDriver()) {}

TBEXFTDI::TBEXFTDI(Clock& clock, std::optional<CableDriver> driver) : clock_(clock) {
    if (!driver || !HasAllEntryPoints(driver->table))
        return;
    table_ = driver->table;
    library_ = std::move(driver->owner);
    driverName_ = std::move(driver->name);
    F_DriverPresent = true;
}

// Closes a cable left open before the library goes, so the library never outlives a handle
// of its own nor loses one.
TBEXFTDI::~TBEXFTDI() {
    if (FT_Uchwyt)
        Close();
}

PortResult TBEXFTDI::Open() {
    if (!F_DriverPresent)
        return PortResult::NoDriver;
    // A second open would lose the first handle; the cable is set up afresh instead.
    if (FT_Uchwyt)
        Close();
    // The library takes the description through a non-const pointer: it gets a copy.
    char description[sizeof kCableDescription];
    std::memcpy(description, kCableDescription, sizeof description);
    FT_HANDLE handle = nullptr;
    const FT_STATUS status = table_.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle);
    if (status != FT_OK) {
        // The library tells a cable another process holds from one that is not there; the
        // person needs to hear which, since only one of them is solved by plugging it in.
        return status == FT_DEVICE_NOT_OPENED ? PortResult::CableInUse : PortResult::NoCable;
    }
    FT_Uchwyt = handle;
    F_Opened = table_.FT_ResetDevice(FT_Uchwyt) == FT_OK &&
               table_.FT_Purge(FT_Uchwyt, kPurgeBoth) == FT_OK &&
               table_.FT_SetBaudRate(FT_Uchwyt, kBaudRate) == FT_OK &&
               table_.FT_SetTimeouts(FT_Uchwyt, kTimeoutMs, kTimeoutMs) == FT_OK;
    if (!F_Opened) {
        Close();
        return PortResult::SetupFailed;
    }
    return PortResult::Ok;
}

bool TBEXFTDI::Close() {
    // Closing without an open handle only reports failure; the library never sees a stale
    // handle.
    if (!F_DriverPresent || !FT_Uchwyt)
        return false;
    if (table_.FT_Close(FT_Uchwyt) != FT_OK)
        return false;
    FT_Uchwyt = nullptr;
    F_Opened = false;
    return true;
}

bool TBEXFTDI::SetRTS() {
    if (!F_DriverPresent || !FT_Uchwyt || table_.FT_SetRts(FT_Uchwyt) != FT_OK)
        return false;
    F_RTS = true;
    return true;
}

bool TBEXFTDI::ClrRTS() {
    if (!F_DriverPresent || !FT_Uchwyt || table_.FT_ClrRts(FT_Uchwyt) != FT_OK)
        return false;
    F_RTS = false;
    return true;
}

bool TBEXFTDI::Read(DWORD dwBytesToRead, DWORD& dwBytesReturned) {
    if (!F_DriverPresent || !FT_Uchwyt)
        return false;
    if (dwBytesToRead > buf_out.size())
        dwBytesToRead = static_cast<DWORD>(buf_out.size());
    return table_.FT_Read(FT_Uchwyt, buf_out.data(), dwBytesToRead, &dwBytesReturned) == FT_OK;
}

bool TBEXFTDI::Write(DWORD dwBytesToWrite, DWORD& dwBytesWritten) {
    if (!F_DriverPresent || !FT_Uchwyt)
        return false;
    if (dwBytesToWrite > buf_in.size())
        dwBytesToWrite = static_cast<DWORD>(buf_in.size());
    return table_.FT_Write(FT_Uchwyt, buf_in.data(), dwBytesToWrite, &dwBytesWritten) == FT_OK;
}

void TBEXFTDI::ClearBufIn() {
    buf_in.fill(0);
    clock_.SleepMs(kClearWaitMs);
}

void TBEXFTDI::ClearBufOut() {
    buf_out.fill(0);
    clock_.SleepMs(kClearWaitMs);
}

PortResult TBEXFTDI::Ready() const {
    if (!F_DriverPresent)
        return PortResult::NoDriver;
    return FT_Uchwyt ? PortResult::Ok : PortResult::NotOpen;
}

void TBEXFTDI::DropLateReplies() {
    if (F_DriverPresent && FT_Uchwyt)
        table_.FT_Purge(FT_Uchwyt, FT_PURGE_RX);
}

bool TBEXFTDI::PurgeAll() {
    return F_DriverPresent && FT_Uchwyt && table_.FT_Purge(FT_Uchwyt, kPurgeBoth) == FT_OK;
}

std::string ModuleKindOf(const IdentifyReply& reply) {
    return std::string(1, static_cast<char>(reply.bytes[0]));
}

} // namespace korv::link
