// The least time a whole-register transfer can take on the 9600-baud wire: per exchange, the
// longer of the protocol's fixed waits and the frame's bytes on the wire plus the module's
// processing time, and the 5 ms clearing of the request buffer before each page is assembled.
#pragma once

#include <algorithm>
#include <cstdint>

namespace korv::bench {

inline double WireMs(int bytes) {
    return bytes * 10 * 1000.0 / 9600; // a start bit, eight data bits, a stop bit
}

struct TransferFloor {
    std::uint32_t moduleMs = 1; // the module's processing time per request

    // Identify: 3 bytes out, 3 back; 50 ms wait and 5 ms clearing before the read.
    double Identify() const { return std::max(55.0, WireMs(6) + moduleMs); }
    // Count: the same frame lengths and waits.
    double Count() const { return std::max(55.0, WireMs(6) + moduleMs); }
    // Page read: 3 bytes out, 65 back; 20 ms wait and 5 ms clearing.
    double ReadPage() const { return std::max(25.0, WireMs(68) + moduleMs); }
    // Page write: the 5 ms clearing of the request buffer, then 67 bytes out and 3 back with
    // 5 ms (pages 0-255) or 10 ms (256-511) wait and 5 ms clearing.
    double WritePage(int page) const {
        return 5.0 + std::max(page < 256 ? 10.0 : 15.0, WireMs(70) + moduleMs);
    }

    double Write(int pages) const {
        double ms = Identify();
        for (int p = 0; p < pages; ++p)
            ms += WritePage(p);
        return ms;
    }
    double Read(int pages) const { return Identify() + Count() + pages * ReadPage(); }
};

} // namespace korv::bench
