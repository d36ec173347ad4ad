// A fingerprint of the register, to tell whether it still holds what it held when it was last
// saved, without keeping a second copy of 6144 cards.
#pragma once

#include "core/card_register.h"

#include <cstdint>

namespace korv {

// The cards (zone, apartment, number, B1, description) and, apart, the numbers to dial: a
// module never holds the numbers to dial, so only a file keeps them.
struct RegisterFingerprint {
    std::uint64_t cards = 0;
    std::uint64_t dialNumbers = 0;
    bool operator==(const RegisterFingerprint&) const = default;
};
RegisterFingerprint FingerprintOf(const TTablica& tablica);

} // namespace korv
