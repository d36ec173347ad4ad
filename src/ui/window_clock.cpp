#include "ui/window_clock.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>

namespace korv::ui {

namespace {
// Waits shorter than this are the protocol's own pacing; they stay plain sleeps.
constexpr std::uint32_t kLongWaitMs = 200;
constexpr std::uint32_t kSliceMs = 20;
} // namespace

void WindowClock::SleepMs(std::uint32_t ms) {
    if (ms < kLongWaitMs) {
        real_.SleepMs(ms);
        return;
    }
    const std::uint64_t end = real_.TickMs() + ms;
    for (std::uint64_t now = real_.TickMs(); now < end; now = real_.TickMs()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        real_.SleepMs(static_cast<std::uint32_t>(std::min<std::uint64_t>(kSliceMs, end - now)));
    }
}

} // namespace korv::ui
