// The port's count and card requests as one value each, for tests that look only at what came:
// the count or -1, the card number or "", as the requests answered before they said why.
#pragma once

#include "link/ftdi.h"

#include <string>

namespace korv::test {

inline int CountOrMinusOne(link::TBEXFTDI& port) {
    int count = -1;
    port.LiczbaKart(count);
    return count;
}

inline std::string CardOrEmpty(link::TBEXFTDI& port) {
    std::string numer;
    port.OdczytajKarte(numer);
    return numer;
}

} // namespace korv::test
