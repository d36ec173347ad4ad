// Who is on the other end of the cable: the identify request, and for anything but a current
// module the legacy request. The connection monitor and korv-cli decide by the same rules.
#pragma once

#include "link/ftdi.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace korv::link {

enum class DeviceOutcome {
    Current, // a ZEL v7 module ('F') or its ZADA variant ('M')
    Legacy,  // an older module, or a device of another family, that this program cannot serve
    Nothing  // nothing identified (a silent line among them)
};

struct Identification {
    DeviceOutcome outcome = DeviceOutcome::Nothing;
    IdentifyReply reply;      // the identify request's three bytes
    std::string moduleKind;   // byte 0 of that reply as a one-character text
    bool ruf = false;         // the reply was "RUF": a device of another family
    std::string rufExtra;     // the further bytes such a device sent (up to 8)
    bool legacyAsked = false; // the legacy request was sent
    std::uint8_t legacyAnswer = 0;
    // The name to show; nothing when the name of the last device stays.
    std::optional<std::string> moduleName;
};

// The module names the window shows after "Connected with module ".
inline constexpr char kNameFull[] = "ZEL v7";
inline constexpr char kNameZada[] = "PEL-ZEL-ZADA";
inline constexpr char kNameLegacyJ[] = "ZEL v1";
inline constexpr char kNameLegacyI[] = "PEL-ZEL";

// Things the monitor shows between the requests. Both may be empty.
struct IdentifyHooks {
    // Lets the window repaint while an old module is asked.
    std::function<void()> letEventsRun;
    // Shown before the legacy request: the push panels off, the label red.
    std::function<void()> beforeLegacy;
};

// Asks the device on the open cable, waiting waitMs before each reply is read.
Identification IdentifyDevice(TBEXFTDI& port, std::uint32_t waitMs,
                              const IdentifyHooks& hooks = {});

// The decision alone, from the replies: reply, and for a RUF device its further bytes, and the
// legacy answer when it was asked.
void DecideDevice(Identification& id);

} // namespace korv::link
