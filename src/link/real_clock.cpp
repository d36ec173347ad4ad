#include "link/clock.h"

#include <chrono>
#include <thread>

namespace korv::link {

void RealClock::SleepMs(std::uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint64_t RealClock::TickMs() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

} // namespace korv::link
