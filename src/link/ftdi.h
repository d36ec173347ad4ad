// TBEXFTDI: the USB cable port. Moves raw bytes between the cable and two fixed buffers over a
// D2XX table, and carries the module's requests on top of them. One object lives for the whole
// run; the cable itself is open only for one monitor tick or one command. Opening the cable and
// every module request answer with a PortResult; the raw byte moves below them answer as the
// driver's one call did. Nothing here shows anything; every wait goes through the Clock.
#pragma once

#include "link/cable_driver.h"
#include "link/clock.h"
#include "link/frame_checks.h"
#include "link/module_model.h"
#include "link/port_result.h"
#include "link/zada_settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korv::link {

// The cable's USB product description, which the port opens it by.
inline constexpr char kCableDescription[] = "VOVEDO";
inline constexpr DWORD kBaudRate = 9600;
inline constexpr DWORD kTimeoutMs = 200;
inline constexpr int kPageCount = 512;
inline constexpr int kPageSize = 64;

// The waits around Identify: the monitor's, and the transfer commands'.
inline constexpr std::uint32_t kMonitorIdentifyWaitMs = 10;
inline constexpr std::uint32_t kCommandIdentifyWaitMs = 50;

enum class IdentifyOrder {
    WaitThenClear, // wait, clear the receive buffer, read (monitor, transfer commands)
    ClearThenWait  // clear the receive buffer, wait, read (memory reset command)
};

// The three bytes in the receive buffer after Identify; zeros where nothing came.
struct IdentifyReply {
    std::array<std::uint8_t, 3> bytes{};
    DWORD received = 0;
};

// Byte 0 of the Identify reply as a one-character text (the character with code 0 when nothing
// came), as the reports print it. What the program does goes by ModelOf instead.
std::string ModuleKindOf(const IdentifyReply& reply);

class TBEXFTDI {
public:
    // Create: the vendor's library when one is usable, else the serial driver.
    explicit TBEXFTDI(Clock& clock);
    // Create over a given driver; none means no usable driver.
    TBEXFTDI(Clock& clock, std::optional<CableDriver> driver);
    // Destroy: closes a cable still open, then unloads the library.
    ~TBEXFTDI();
    TBEXFTDI(const TBEXFTDI&) = delete;
    TBEXFTDI& operator=(const TBEXFTDI&) = delete;

    // Requests are built here from position 0.
    PortBuffer buf_in{};
    // Replies are read here from position 0.
    PortBuffer buf_out{};

    bool Opened() const { return F_Opened; }
    bool RTS() const { return F_RTS; }
    bool DriverPresent() const { return F_DriverPresent; }
    const std::string& DriverName() const { return driverName_; }
    Clock& clock() { return clock_; }

    // Opens the cable by its description and sets it up: device reset, purge of both queues,
    // 9600 baud, 200 ms read and write time-outs. A step that fails closes it again. CableInUse
    // when the library says another process holds it (FT_DEVICE_NOT_OPENED), NoCable when it
    // is missing or cannot be reached.
    PortResult Open();
    bool Close();
    bool SetRTS();
    bool ClrRTS();
    // Blocks until the bytes came or the read time-out ran out; dwBytesReturned says how many
    // arrived in buf_out from position 0. False when the call failed.
    bool Read(DWORD dwBytesToRead, DWORD& dwBytesReturned);
    // Sends buf_in from position 0.
    bool Write(DWORD dwBytesToWrite, DWORD& dwBytesWritten);
    // Zero the whole buffer, then wait 5 ms.
    void ClearBufIn();
    void ClearBufOut();
    bool PurgeAll();

    // Module requests. model is the module the monitor identified; it decides what page 1 and a
    // reset do. Each answers Ok or why not (see PortResult); an out-parameter is set only on Ok.

    // Page 0..511 into buf_out positions 0..63. The overload with the ZADA settings also
    // clamps the settings of page 1 of a ZADA module in buf_out and hands them over, whether
    // or not the reply passed its checks (not when the request could not be sent).
    PortResult ReadPage(int pageno);
    PortResult ReadPage(int pageno, const ModuleModel& model, ZadaSettings& zada);
    // Writes buf_in positions 2..65 to page 0..511; Refused when the module did not take it.
    PortResult WritePage(int pageno);
    // The module's card count.
    PortResult LiczbaKart(int& count);
    // Memory reset: all pages FF. Blocks for the model's reset wait. Refused when the module
    // answered anything but its confirmation.
    PortResult Reset(const ModuleModel& model);
    // Memory reset that keeps the installer password: page 0 empty around it, and on a ZADA
    // module page 1 with the default extra settings. The first step that fails says why.
    PortResult ResetWithPass(const ModuleModel& model);
    // Ok when the module's installer password equals the first four characters of pass,
    // Refused when it differs.
    PortResult CheckPass(std::string_view pass);
    // Stores the first four characters of pass as the installer password.
    PortResult SetPass(std::string_view pass);
    // Waits a little over 6 s for a card at the reader; numer is its number in decimal. NoCard
    // when the reader said so or sent the empty record.
    PortResult OdczytajKarte(std::string& numer);

    // The identify requests that the monitor and the commands send; replies are not checked.
    IdentifyReply Identify(std::uint32_t waitMs,
                           IdentifyOrder order = IdentifyOrder::WaitThenClear);
    // The one byte a legacy module answers with, 0 when nothing came.
    std::uint8_t LegacyIdentify(std::uint32_t waitMs = kMonitorIdentifyWaitMs);

    std::uint8_t SumBufIn(int n) const { return SumBuf(buf_in, n); }
    std::uint8_t SumBufOut(int n) const { return SumBuf(buf_out, n); }
    bool CheckBufOut(int pos) const { return CheckBuf(buf_out, pos); }

    // Waits for the line to go quiet and drops what came meanwhile: after an identify that went
    // unanswered, its reply may still be on its way.
    void WaitForQuietLine() { DrainLateReply(); }

private:
    // Replies carry no page number: a reply that came after its time-out would be taken for
    // the next request's. Every request therefore starts with an empty receive queue.
    void DropLateReplies();
    // After a reply failed: waits for the line to go quiet and drops what came meanwhile.
    void DrainLateReply();
    // NoDriver or NotOpen when no request can go out now, else Ok.
    PortResult Ready() const;
    // The request of length bytes in buf_in went out whole.
    PortResult Send(DWORD length);
    // A reply of exactly length bytes came into buf_out; otherwise drains a late one.
    PortResult Receive(DWORD length);
    // Receive, then the check byte at pos.
    PortResult ReceiveChecked(DWORD length, int pos);
    void PutRequest(std::uint8_t command, std::uint8_t argument);
    // Page 0 into buf_out with 'A' 00 'B', waiting waitMs before clearing.
    PortResult ReadPageZero(std::uint32_t waitMs);
    PortResult SendPageRead(int pageno);

    Clock& clock_;
    D2xxTable table_{};
    std::shared_ptr<void> library_;
    std::string driverName_;
    bool F_DriverPresent = false;
    bool F_Opened = false;
    bool F_RTS = false;
    FT_HANDLE FT_Uchwyt = nullptr;
};

} // namespace korv::link
