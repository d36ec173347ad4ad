// A D2XX table that records every call and answers on the virtual clock. Each written request
// takes an answer: the next scripted reply, or whatever the answer hook puts on the line. Bytes
// on the line arrive at times of their own, so a reply can come whole, cut short, straddling the
// read time-out, or long after the request that asked for it. A read takes what has come by its
// time-out and spends the time it waited on the virtual clock. Qt-free and free of any test
// framework, so that the fuzz targets can run on it as the tests do.
#pragma once

#include "link/cable_driver.h"
#include "link/clock.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace korv::test {

using Bytes = std::vector<std::uint8_t>;

class FakeD2xx {
public:
    struct Read {
        std::uint32_t asked = 0;
        Bytes got;
        std::uint64_t at = 0; // the virtual time the read started
    };

    // Entry points that answer with a failure status, by name ("FT_SetBaudRate").
    std::vector<std::string> failing;
    // Without the cable opens find no device and every other call but a close fails, as after
    // the cable was pulled.
    bool cablePresent = true;
    // The cable is there but another process holds it: FT_OpenEx answers FT_DEVICE_NOT_OPENED.
    bool heldElsewhere = false;
    // Replies, one per written request in order, there at once; an empty one means no answer.
    std::deque<Bytes> replies;
    // When set, answers each written request instead of the script (through Send, or by
    // pulling the cable).
    std::function<void(FakeD2xx&)> answer;
    // Write reports this many bytes fewer than asked.
    std::uint32_t writeShortBy = 0;
    // The line's time per byte.
    std::uint32_t byteGapMs = 0;

    // What happened.
    std::vector<std::string> calls;       // every call by name, with arguments
    std::vector<Bytes> written;           // each write's bytes
    std::vector<std::uint64_t> writtenAt; // the virtual time of each write
    std::vector<Read> reads;              // every read, in order
    std::uint32_t readTimeoutMs = 0;
    bool open = false;
    int opens = 0; // opens and closes that succeeded
    int closes = 0;

    // The table over the one active fake; Install makes this fake the active one.
    void Install(link::VirtualClock& clock);
    link::CableDriver Driver() const;

    // Puts a reply on the line: its first byte arrives delayMs from now, and never before the
    // bytes still coming.
    void Send(const Bytes& reply, std::uint64_t delayMs = 0);

    bool Fails(const char* name) const;
    std::size_t Count(const std::string& prefix) const;

private:
    friend struct FakeD2xxEntries;
    struct Timed {
        std::uint64_t at;
        std::uint8_t byte;
    };
    std::deque<Timed> line_;
    link::VirtualClock* clock_ = nullptr;
};

} // namespace korv::test
