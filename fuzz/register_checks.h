// Register invariants every fuzz target checks after a load. A broken invariant aborts, which
// libFuzzer reports as a crash with the input that caused it.
#pragma once

#include "core/card_register.h"

#include <cstdio>
#include <cstdlib>

namespace korv::fuzz {

inline void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// Every card sits in a cell of zone 1..4 and apartment 0..255, and the count adds up.
inline void CheckCells(const TTablica& t) {
    int seen = 0;
    t.ForEachCard([&](int zone, int apartment, int, const TKarta&) {
        Require(ValidZone(zone) && ValidApartment(apartment), "card outside zones and apartments");
        ++seen;
    });
    Require(seen == t.CardCount(), "card count");
}

inline bool SameRegister(const TTablica& a, const TTablica& b) {
    for (int z = 1; z <= ZoneCount; ++z)
        for (int ap = 0; ap < ApartmentCount; ++ap) {
            const auto& x = a.Cell(z, ap);
            const auto& y = b.Cell(z, ap);
            if (x.wybierany != y.wybierany || x.lista != y.lista)
                return false;
        }
    return true;
}

// A register with a few cards and a number to dial, so "untouched" means something.
inline void Seed(TTablica& t) {
    t.AddCard(1, 0, {"1", false, "admin"});
    t.AddCard(2, 7, {"7", true, ""});
    t.AddCard(4, 255, {"123456", false, "x"});
    t.Cell(3, 3).wybierany = "33";
}

} // namespace korv::fuzz
