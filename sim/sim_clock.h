// The simulator's own notion of time, in microseconds so that the 9600-baud wire adds up
// without drift. Virtual in tests and benchmarks, real in the library by default, or borrowed
// from the host through two callbacks.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

namespace korv::sim {

class SimClock {
public:
    virtual ~SimClock() = default;
    virtual std::uint64_t NowUs() = 0;
    // Returns when the time has come (at once when it has passed).
    virtual void WaitUntilUs(std::uint64_t us) = 0;
};

class SimVirtualClock : public SimClock {
public:
    std::uint64_t NowUs() override { return now_; }
    void WaitUntilUs(std::uint64_t us) override {
        if (us > now_)
            now_ = us;
    }
    void AdvanceMs(std::uint64_t ms) { now_ += ms * 1000; }

private:
    std::uint64_t now_ = 0;
};

class SimRealClock : public SimClock {
public:
    std::uint64_t NowUs() override {
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                              std::chrono::steady_clock::now() - start_)
                                              .count());
    }
    // A sleep can end before its time: mingw-w64's drops the part below a millisecond. A read
    // woken early would hand back a reply without its last bytes, which the host must take for
    // a cut one.
    void WaitUntilUs(std::uint64_t us) override {
        for (std::uint64_t now = NowUs(); now < us; now = NowUs())
            SleepUs(us - now);
    }

protected:
    virtual void SleepUs(std::uint64_t us) {
        std::this_thread::sleep_for(std::chrono::microseconds(us));
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// A host's millisecond clock: now in ms, and a sleep of ms that moves it on.
struct HostClockCallbacks {
    void* context = nullptr;
    std::uint64_t (*nowMs)(void* context) = nullptr;
    void (*sleepMs)(void* context, std::uint64_t ms) = nullptr;
};

class HostClock : public SimClock {
public:
    explicit HostClock(HostClockCallbacks callbacks) : cb_(callbacks) {}
    std::uint64_t NowUs() override { return cb_.nowMs(cb_.context) * 1000; }
    void WaitUntilUs(std::uint64_t us) override {
        const std::uint64_t targetMs = (us + 999) / 1000;
        const std::uint64_t nowMs = cb_.nowMs(cb_.context);
        if (targetMs > nowMs)
            cb_.sleepMs(cb_.context, targetMs - nowMs);
    }

private:
    HostClockCallbacks cb_;
};

} // namespace korv::sim
