#include "link/identification.h"

#include <algorithm>

namespace korv::link {

namespace {

bool IsRuf(const IdentifyReply& reply) {
    return reply.bytes[0] == 'R' && reply.bytes[1] == 'U' && reply.bytes[2] == 'F';
}

void Run(const std::function<void()>& hook) {
    if (hook)
        hook();
}

} // namespace

void DecideDevice(Identification& id) {
    id.moduleKind = ModuleKindOf(id.reply);
    id.ruf = IsRuf(id.reply);
    id.moduleName.reset();
    if (id.moduleKind == kKindFull || id.moduleKind == kKindZada) {
        id.outcome = DeviceOutcome::Current;
        id.moduleName = id.moduleKind == kKindFull ? kNameFull : kNameZada;
        return;
    }
    const std::uint8_t legacy = id.legacyAsked ? id.legacyAnswer : 0;
    const bool j = legacy == 'J' || legacy == 'j';
    const bool i = legacy == 'I' || legacy == 'i';
    if (id.ruf) {
        // Another family's device names itself; only its own legacy answer J makes it one we
        // recognise (and send to its own application).
        id.moduleName = "RUF" + id.rufExtra;
        id.outcome = j ? DeviceOutcome::Legacy : DeviceOutcome::Nothing;
        return;
    }
    if (j || i) {
        id.outcome = DeviceOutcome::Legacy;
        id.moduleName = j ? kNameLegacyJ : kNameLegacyI;
        return;
    }
    id.outcome = DeviceOutcome::Nothing;
}

Identification IdentifyDevice(TBEXFTDI& port, std::uint32_t waitMs, const IdentifyHooks& hooks) {
    Identification id;
    id.reply = port.Identify(waitMs);
    const std::string kind = ModuleKindOf(id.reply);
    if (kind != kKindFull && kind != kKindZada) {
        Run(hooks.letEventsRun);
        if (IsRuf(id.reply)) {
            DWORD more = 0;
            port.Read(8, more);
            id.rufExtra.assign(port.buf_out.begin(),
                               port.buf_out.begin() + std::min<DWORD>(more, 8));
            Run(hooks.letEventsRun);
        }
        Run(hooks.beforeLegacy);
        id.legacyAnswer = port.LegacyIdentify(waitMs);
        id.legacyAsked = true;
    }
    DecideDevice(id);
    return id;
}

} // namespace korv::link
