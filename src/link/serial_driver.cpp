#include "link/serial_driver.h"

#include <libserialport.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <set>
#include <sys/file.h>
#include <sys/ioctl.h>

namespace korv::link {

namespace {

struct SerialHandle {
    sp_port* port = nullptr;
    DWORD readTimeout = 0;
    DWORD writeTimeout = 0;
};

// The handles this driver gave out; anything else is refused rather than dereferenced.
struct DriverState {
    std::mutex mutex;
    std::set<SerialHandle*> open;
    SerialPortLister lister;
    SerialPortOpener opener;
};

DriverState& State() {
    static DriverState state;
    return state;
}

SerialHandle* Find(FT_HANDLE h) {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    auto* handle = static_cast<SerialHandle*>(h);
    return s.open.count(handle) ? handle : nullptr;
}

std::vector<SerialPortInfo> CurrentPorts() {
    SerialPortLister lister;
    {
        auto& s = State();
        std::lock_guard lock(s.mutex);
        lister = s.lister;
    }
    return lister ? lister() : ListSystemSerialPorts();
}

SerialPortOpener CurrentOpener() {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    return s.opener ? s.opener : SerialPortOpener(OpenSerialPortExclusively);
}

// Why a port with the cable's description did not open, worst news first: a cable another
// program holds is still a cable, and says more than one that vanished since the listing.
enum class Refusal { None, Missing, Other, Held };

Refusal RefusalOf(int error) {
    if (error == EBUSY || error == EWOULDBLOCK || error == EAGAIN)
        return Refusal::Held;
    if (error == ENOENT || error == ENODEV || error == ENXIO)
        return Refusal::Missing;
    return Refusal::Other;
}

FT_STATUS KORV_D2XX_CALL SerialOpenEx(void* pvArg1, DWORD dwFlags, FT_HANDLE* ftHandle) {
    if (!pvArg1 || !ftHandle)
        return FT_INVALID_PARAMETER;
    if (dwFlags != FT_OPEN_BY_DESCRIPTION)
        return FT_NOT_SUPPORTED;
    const std::string description = static_cast<const char*>(pvArg1);
    const SerialPortOpener opener = CurrentOpener();
    Refusal refusal = Refusal::None;
    for (const auto& info : CurrentPorts()) {
        if (info.usbProduct != description)
            continue;
        sp_port* port = nullptr;
        const int error = opener(info.name, port);
        if (error != 0 || !port) {
            refusal = std::max(refusal, error != 0 ? RefusalOf(error) : Refusal::Other);
            continue;
        }
        auto* handle = new SerialHandle{port, 0, 0};
        auto& s = State();
        std::lock_guard lock(s.mutex);
        s.open.insert(handle);
        *ftHandle = handle;
        return FT_OK;
    }
    switch (refusal) {
    case Refusal::Held:
        return FT_DEVICE_NOT_OPENED;
    case Refusal::Other:
        return FT_OTHER_ERROR;
    case Refusal::None:
    case Refusal::Missing:
        break;
    }
    return FT_DEVICE_NOT_FOUND;
}

FT_STATUS KORV_D2XX_CALL SerialClose(FT_HANDLE ftHandle) {
    auto* handle = static_cast<SerialHandle*>(ftHandle);
    {
        auto& s = State();
        std::lock_guard lock(s.mutex);
        if (!s.open.erase(handle))
            return FT_INVALID_HANDLE;
    }
    // A pseudo-terminal keeps its exclusive mode past our close while its other end lives.
    int fd = -1;
    if (sp_get_port_handle(handle->port, &fd) == SP_OK)
        ::ioctl(fd, TIOCNXCL);
    const bool closed = sp_close(handle->port) == SP_OK;
    sp_free_port(handle->port);
    delete handle;
    return closed ? FT_OK : FT_IO_ERROR;
}

FT_STATUS KORV_D2XX_CALL SerialRead(FT_HANDLE ftHandle, void* bufor, DWORD dwBytesToRead,
                                    DWORD* dwBytesReturned) {
    SerialHandle* h = Find(ftHandle);
    if (!h)
        return FT_INVALID_HANDLE;
    if (!bufor || !dwBytesReturned)
        return FT_INVALID_PARAMETER;
    const sp_return r = sp_blocking_read(h->port, bufor, dwBytesToRead, h->readTimeout);
    if (r < 0)
        return FT_IO_ERROR;
    *dwBytesReturned = static_cast<DWORD>(r);
    return FT_OK;
}

FT_STATUS KORV_D2XX_CALL SerialWrite(FT_HANDLE ftHandle, void* bufor, DWORD dwBytesToWrite,
                                     DWORD* dwBytesWritten) {
    SerialHandle* h = Find(ftHandle);
    if (!h)
        return FT_INVALID_HANDLE;
    if (!bufor || !dwBytesWritten)
        return FT_INVALID_PARAMETER;
    const sp_return r = sp_blocking_write(h->port, bufor, dwBytesToWrite, h->writeTimeout);
    if (r < 0)
        return FT_IO_ERROR;
    *dwBytesWritten = static_cast<DWORD>(r);
    return FT_OK;
}

FT_STATUS KORV_D2XX_CALL SerialSetBaudRate(FT_HANDLE ftHandle, DWORD dwBaudRate) {
    SerialHandle* h = Find(ftHandle);
    if (!h)
        return FT_INVALID_HANDLE;
    if (dwBaudRate == 0 || dwBaudRate > 3000000)
        return FT_INVALID_BAUD_RATE;
    return sp_set_baudrate(h->port, static_cast<int>(dwBaudRate)) == SP_OK ? FT_OK : FT_IO_ERROR;
}

FT_STATUS KORV_D2XX_CALL SerialSetTimeouts(FT_HANDLE ftHandle, DWORD dwReadTimeout,
                                           DWORD dwWriteTimeout) {
    SerialHandle* h = Find(ftHandle);
    if (!h)
        return FT_INVALID_HANDLE;
    h->readTimeout = dwReadTimeout;
    h->writeTimeout = dwWriteTimeout;
    return FT_OK;
}

// What the chip comes up with after a reset: 9600 baud, 8 data bits, no parity, one stop bit,
// no flow control, and no time-outs.
FT_STATUS KORV_D2XX_CALL SerialResetDevice(FT_HANDLE ftHandle) {
    SerialHandle* h = Find(ftHandle);
    if (!h)
        return FT_INVALID_HANDLE;
    h->readTimeout = 0;
    h->writeTimeout = 0;
    const bool ok = sp_set_baudrate(h->port, 9600) == SP_OK && sp_set_bits(h->port, 8) == SP_OK &&
                    sp_set_parity(h->port, SP_PARITY_NONE) == SP_OK &&
                    sp_set_stopbits(h->port, 1) == SP_OK &&
                    sp_set_flowcontrol(h->port, SP_FLOWCONTROL_NONE) == SP_OK;
    return ok ? FT_OK : FT_IO_ERROR;
}

FT_STATUS KORV_D2XX_CALL SerialPurge(FT_HANDLE ftHandle, DWORD dwMask) {
    SerialHandle* h = Find(ftHandle);
    if (!h)
        return FT_INVALID_HANDLE;
    int buffers = 0;
    if (dwMask & FT_PURGE_RX)
        buffers |= SP_BUF_INPUT;
    if (dwMask & FT_PURGE_TX)
        buffers |= SP_BUF_OUTPUT;
    if (buffers == 0)
        return FT_OK;
    return sp_flush(h->port, static_cast<sp_buffer>(buffers)) == SP_OK ? FT_OK : FT_IO_ERROR;
}

FT_STATUS SetRts(FT_HANDLE ftHandle, sp_rts rts) {
    SerialHandle* h = Find(ftHandle);
    if (!h)
        return FT_INVALID_HANDLE;
    return sp_set_rts(h->port, rts) == SP_OK ? FT_OK : FT_IO_ERROR;
}

FT_STATUS KORV_D2XX_CALL SerialSetRts(FT_HANDLE ftHandle) {
    return SetRts(ftHandle, SP_RTS_ON);
}
FT_STATUS KORV_D2XX_CALL SerialClrRts(FT_HANDLE ftHandle) {
    return SetRts(ftHandle, SP_RTS_OFF);
}

} // namespace

std::vector<SerialPortInfo> ListSystemSerialPorts() {
    std::vector<SerialPortInfo> result;
    sp_port** ports = nullptr;
    if (sp_list_ports(&ports) != SP_OK)
        return result;
    for (sp_port** p = ports; *p; ++p) {
        SerialPortInfo info;
        info.name = sp_get_port_name(*p);
        if (sp_get_port_transport(*p) == SP_TRANSPORT_USB) {
            if (const char* product = sp_get_port_usb_product(*p))
                info.usbProduct = product;
        }
        result.push_back(std::move(info));
    }
    sp_free_port_list(ports);
    return result;
}

// libserialport up to 0.1.1 opens a port with no lock at all, so a second program would open
// the cable too and the two would split each other's replies; later versions take the lock
// below themselves. The flock decides between programs that take it; the terminal's exclusive
// mode turns away, with EBUSY, those that do not (except root, whom it does not stop).
int OpenSerialPortExclusively(const std::string& name, sp_port*& port) {
    port = nullptr;
    sp_port* p = nullptr;
    const sp_return found = sp_get_port_by_name(name.c_str(), &p);
    if (found != SP_OK)
        return found == SP_ERR_MEM ? ENOMEM : ENOENT;
    errno = 0;
    if (sp_open(p, SP_MODE_READ_WRITE) != SP_OK) {
        const int error = errno;
        // Later versions leave the descriptor open when their own lock fails.
        sp_close(p);
        sp_free_port(p);
        return error != 0 ? error : EIO;
    }
    int fd = -1;
    int error = 0;
    if (sp_get_port_handle(p, &fd) != SP_OK)
        error = EBADF;
    else if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        error = errno;
    if (error != 0) {
        sp_close(p);
        sp_free_port(p);
        return error;
    }
    ::ioctl(fd, TIOCEXCL);
    port = p;
    return 0;
}

void SetSerialPortOpener(SerialPortOpener opener) {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    s.opener = std::move(opener);
}

void SetSerialPortLister(SerialPortLister lister) {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    s.lister = std::move(lister);
}

CableDriver SerialDriver() {
    CableDriver driver;
    D2xxTable& t = driver.table;
    t.FT_OpenEx = SerialOpenEx;
    t.FT_Close = SerialClose;
    t.FT_Read = SerialRead;
    t.FT_Write = SerialWrite;
    t.FT_SetBaudRate = SerialSetBaudRate;
    t.FT_SetTimeouts = SerialSetTimeouts;
    t.FT_ResetDevice = SerialResetDevice;
    t.FT_Purge = SerialPurge;
    t.FT_SetRts = SerialSetRts;
    t.FT_ClrRts = SerialClrRts;
    driver.name = "serial driver";
    return driver;
}

} // namespace korv::link
