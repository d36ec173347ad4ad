// What sits on the cable, decided from the Identify reply and, when that names no current
// module, the Legacy identify reply. Qt-free, so the window's connection monitor and
// korv-cli module identify share one table.
#pragma once

#include "link/ftdi.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korv::link {

enum class IdentifyOutcome {
    NoCable,           // the port did not open
    CurrentModule,     // 'F': every command
    CurrentZadaModule, // 'M': every command and the ZADA settings
    OtherFamily,       // "RUF" then 'J'/'j': a device that needs another application
    LegacyModule,      // 'J'/'j'/'I'/'i' to the legacy request: named, refused
    NothingIdentified,
};

// Reply bytes that are letters of the protocol, not numbers.
inline constexpr std::uint8_t kLegacyZelV1 = 'J';
inline constexpr std::uint8_t kLegacyZelV1Lower = 'j';
inline constexpr std::uint8_t kLegacyPelZel = 'I';
inline constexpr std::uint8_t kLegacyPelZelLower = 'i';
inline constexpr std::string_view kRufReply = "RUF";
// A RUF device sends at most this many further bytes after "RUF".
inline constexpr std::uint32_t kRufFurtherBytes = 8;

struct Identification {
    IdentifyOutcome outcome = IdentifyOutcome::NothingIdentified;
    // ModuleName after this tick; empty optional when the outcome leaves it unchanged.
    std::optional<std::string> moduleName;
    // The current module found; none for every other outcome.
    const ModuleModel* model = nullptr;
};

// Bytes 0..2 of the reply are "RUF".
bool IsRufReply(const IdentifyReply& reply);
// Only 'F' and 'M' settle the question; anything else is asked the legacy request.
bool NeedsLegacyIdentify(const IdentifyReply& reply);

// The outcome of one look at the cable. furtherBytes: what a RUF device sent after "RUF";
// legacy: the byte answering the legacy request (0 for none, ignored for 'F' and 'M').
Identification Identify(const IdentifyReply& reply, std::string_view furtherBytes,
                        std::uint8_t legacy);

// How whole the reply of a current module is. The monitor goes by byte 0 alone; a service
// tool reports a reply cut short or with a wrong check byte instead of trusting its letter.
enum class ReplyShape {
    Whole,    // three bytes, byte 2 the check byte of bytes 0..1
    Silent,   // nothing came
    Short,    // fewer than three bytes
    BadCheck, // three bytes, but byte 2 does not check bytes 0..1
};
ReplyShape ShapeOfCurrentModuleReply(const IdentifyReply& reply);

// Things the monitor shows between the requests. Both may be empty.
struct IdentifyHooks {
    // Lets the window repaint while an old module is asked.
    std::function<void()> letEventsRun;
    // Shown before the legacy request: the push panels off, the label red.
    std::function<void()> beforeLegacy;
};

// One look at the open cable: the identify request, and for anything but 'F' and 'M' a RUF
// device's further bytes and the legacy request, each reply read waitMs after its request.
struct DeviceAnswer {
    IdentifyReply reply;
    bool furtherAsked = false; // the reply was "RUF", so its further bytes were read
    std::string furtherBytes;  // after "RUF"
    bool legacyAsked = false;
    std::uint8_t legacy = 0; // the legacy reply, 0 when nothing came
    Identification id;
};
DeviceAnswer AskDevice(TBEXFTDI& port, std::uint32_t waitMs, const IdentifyHooks& hooks = {});

} // namespace korv::link
