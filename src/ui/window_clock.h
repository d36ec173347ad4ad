// The window's clock for the cable: real time, but a long wait (the memory reset's 9 to 13
// seconds) keeps the window painting. Only paint and timer events run meanwhile, never the
// person's clicks and keys, so no second command can start inside a wait.
#pragma once

#include "link/clock.h"

namespace korv::ui {

class WindowClock : public link::Clock {
public:
    void SleepMs(std::uint32_t ms) override;
    std::uint64_t TickMs() override { return real_.TickMs(); }

private:
    link::RealClock real_;
};

} // namespace korv::ui
