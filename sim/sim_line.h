// The cable between the host and a ModuleSim: bytes take 10 bit times each at the line's baud
// rate in both directions, the module takes its processing time before it answers, and the
// host's reads wait for the bytes on their way up to their time-out. Without the wire model
// bytes take no time, and a read that waits for nothing returns at once.
#pragma once

#include "sim/frame_trace.h"
#include "sim/module_sim.h"
#include "sim/sim_clock.h"

#include <cstdint>
#include <deque>

namespace korv::sim {

class SimLine {
public:
    SimLine(ModuleSim& module, SimClock& clock, bool wireModel, std::uint32_t baud = 9600);

    void SetTrace(FrameTrace* trace) { trace_ = trace; }
    // Host bytes reach the module only when the host talks at the module's 9600 baud.
    void SetHostBaud(std::uint32_t baud) { hostBaud_ = baud; }

    // Queues the bytes for sending and returns at once, as a USB serial chip does.
    std::uint32_t Write(const std::uint8_t* data, std::uint32_t count);
    // Up to count bytes; waits for bytes on their way, at most timeoutMs (0: no limit).
    std::uint32_t Read(std::uint8_t* data, std::uint32_t count, std::uint32_t timeoutMs);
    // Drops the bytes that have arrived and not been read; bytes still on the wire come later.
    void PurgeReceived();
    // Drops everything pending and any half-received request.
    void Reset();

    std::size_t BytesArrived();
    // Microseconds one byte takes on the wire.
    std::uint64_t ByteTimeUs(std::uint64_t bytes) const;

private:
    struct InByte {
        std::uint8_t value;
        std::uint64_t atUs;
    };
    void Deliver(const Exchange& ex, std::uint64_t receivedUs);

    ModuleSim& module_;
    SimClock& clock_;
    bool wire_;
    std::uint32_t baud_;
    std::uint32_t hostBaud_;
    FrameTrace* trace_ = nullptr;
    std::deque<InByte> incoming_;
    std::uint64_t hostSendsUntilUs_ = 0;
    std::uint64_t moduleSendsUntilUs_ = 0;
};

} // namespace korv::sim
