// The extra settings of a ZADA module, carried on page 1, as the window shows them.
#pragma once

namespace korv::link {

struct ZadaSettings {
    int lockTime = 4;     // ELOCK output time in seconds, 0..25 (the time list's item index)
    int lockType = 0;     // ELOCK output type: 0 electric lock, 1 relay, 2 reverse
    bool soundsOn = true; // module byte 0 = on
};

inline bool operator==(const ZadaSettings& a, const ZadaSettings& b) {
    return a.lockTime == b.lockTime && a.lockType == b.lockType && a.soundsOn == b.soundsOn;
}

} // namespace korv::link
