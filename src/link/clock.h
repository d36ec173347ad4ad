// Every wait of the cable work and the millisecond tick go through a Clock, so that a
// 13-second memory reset or a 6-second card wait runs in no time under a virtual clock.
#pragma once

#include <cstdint>

namespace korv::link {

class Clock {
public:
    virtual ~Clock() = default;
    // Blocks the caller for ms milliseconds.
    virtual void SleepMs(std::uint32_t ms) = 0;
    // Milliseconds since an arbitrary start; 64 bits, so it never wraps in practice.
    virtual std::uint64_t TickMs() = 0;
};

// The system's steady clock and a plain blocking sleep.
class RealClock : public Clock {
public:
    void SleepMs(std::uint32_t ms) override;
    std::uint64_t TickMs() override;
};

// Time that passes only when somebody sleeps or advances it.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(std::uint64_t startMs = 0) : now_(startMs) {}
    void SleepMs(std::uint32_t ms) override {
        now_ += ms;
        slept_ += ms;
    }
    std::uint64_t TickMs() override { return now_; }
    // Moves time on without counting it as a sleep of the caller (a driver's time-out, a
    // device that takes its time).
    void Advance(std::uint64_t ms) { now_ += ms; }
    // Sum of all SleepMs calls: what the caller waited of its own accord.
    std::uint64_t SleptMs() const { return slept_; }

private:
    std::uint64_t now_;
    std::uint64_t slept_ = 0;
};

} // namespace korv::link
