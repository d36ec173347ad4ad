// A D2XX table for tests that records every call and answers from a script: each written
// request takes the next scripted reply; a read takes what has come and spends the read
// time-out on the virtual clock when it is short.
#pragma once

#include "link/cable_driver.h"
#include "link/clock.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace korv::test {

using Bytes = std::vector<std::uint8_t>;

struct FakeD2xx {
    // Entry points that answer with a failure status, by name ("FT_SetBaudRate").
    std::vector<std::string> failing;
    bool cablePresent = true;
    // The cable is there but another process holds it: FT_OpenEx answers FT_DEVICE_NOT_OPENED.
    bool heldElsewhere = false;
    // Replies, one per written request in order; an empty one means no answer.
    std::deque<Bytes> replies;
    // Write reports this many bytes fewer than asked.
    std::uint32_t writeShortBy = 0;

    // What happened.
    std::vector<std::string> calls;       // every call by name, with arguments
    std::vector<Bytes> written;           // each write's bytes
    std::vector<std::uint64_t> writtenAt; // the virtual time of each write
    std::vector<std::uint64_t> readAt;    // the virtual time at the start of each read
    std::vector<std::uint32_t> readSizes;
    std::deque<std::uint8_t> incoming;
    std::uint32_t readTimeoutMs = 0;
    bool open = false;

    link::VirtualClock* clock = nullptr;

    // The table over the one active fake; Install makes this fake the active one.
    void Install(link::VirtualClock& c);
    link::CableDriver Driver() const;
    bool Fails(const char* name) const;
    std::size_t Count(const std::string& prefix) const;
};

} // namespace korv::test
