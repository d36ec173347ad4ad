// How long a Qt thread goes without handling events: a fast timer on that thread notes the
// longest time between two of its firings, less the interval it asked for. Whatever blocks the
// thread (a cable exchange, a sleep, a long computation) shows as one long gap; a nested event
// loop (a message box, a wait that lets paint events run) does not.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

namespace korv::bench {

class EventGapProbe {
public:
    explicit EventGapProbe(int intervalMs = 2) : intervalMs_(intervalMs) {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(intervalMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Beat(); });
    }
    EventGapProbe(const EventGapProbe&) = delete;
    EventGapProbe& operator=(const EventGapProbe&) = delete;

    // Starts afresh; call on the thread to watch.
    void Start() {
        longestNs_ = 0;
        longestEndNs_ = 0;
        beats_ = 0;
        clock_.start();
        lastNs_ = 0;
        timer_.start();
    }
    // Stops, counting the time since the last firing too: a block that lasts to the end is a gap.
    void Stop() {
        if (!timer_.isActive())
            return;
        Beat();
        timer_.stop();
    }

    // The longest time without handling events, in ms; 0 when the thread never stood still.
    double LongestMs() const {
        return std::max(0.0, static_cast<double>(longestNs_) / 1e6 - intervalMs_);
    }
    // When the longest gap ended, in ms from the start.
    double LongestEndedAtMs() const { return static_cast<double>(longestEndNs_) / 1e6; }
    // How many times the timer fired: a few means the probe saw little of the run.
    long Beats() const { return beats_; }

private:
    void Beat() {
        const qint64 now = clock_.nsecsElapsed();
        if (now - lastNs_ > longestNs_) {
            longestNs_ = now - lastNs_;
            longestEndNs_ = now;
        }
        lastNs_ = now;
        ++beats_;
    }

    int intervalMs_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastNs_ = 0, longestNs_ = 0, longestEndNs_ = 0;
    long beats_ = 0;
};

} // namespace korv::bench
