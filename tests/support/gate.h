// A gate a job's thread waits at until the test's thread opens it. Both sides wait at most a
// few seconds, so a fault ends the test instead of hanging it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace korv::test {

class Gate {
public:
    void Arrive() {
        std::unique_lock<std::mutex> lock(m_);
        arrived_ = true;
        cv_.notify_all();
        cv_.wait_for(lock, std::chrono::seconds(5), [this] { return open_; });
    }
    bool WaitForArrival() {
        std::unique_lock<std::mutex> lock(m_);
        return cv_.wait_for(lock, std::chrono::seconds(5), [this] { return arrived_; });
    }
    void Open() {
        std::lock_guard<std::mutex> lock(m_);
        open_ = true;
        cv_.notify_all();
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool arrived_ = false, open_ = false;
};

} // namespace korv::test
