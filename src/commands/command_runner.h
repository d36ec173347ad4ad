// The one owner of the cable's work: it runs one job at a time (a monitor tick, a module
// command, a card read) and is the only busy state there is. In the window a job runs on a
// thread of its own, so the window keeps painting and answering while the cable waits; in
// korv-cli and the tests it runs on the caller's thread. A job takes its inputs by value and
// leaves its outcome for a continuation that runs on the owner's thread once the job ended.
#pragma once

#include "link/ftdi.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace korv {

// What a job is, for the window's enabling rules and for whether it may be cancelled.
enum class JobKind { MonitorTick, Read, Write, Verify, Password, Reset, CardRead, Find };

// Read and verify may stop between pages: the register stays as it was, and nothing was
// changed in the module. A write may not (a module holding part of the new register and part
// of the old would open doors for removed cards), nor may a reset or a password write.
bool JobCancellable(JobKind kind);

// Set by the owner's thread, looked at by the job between page exchanges.
using CancelFlag = std::atomic<bool>;

class CommandRunner {
public:
    // The job's body: the port is the runner's, the flag says a cancel was asked.
    using Work = std::function<void(link::TBEXFTDI& port, const CancelFlag& cancel)>;
    // Runs on the owner's thread after the body, before the runner takes the next job.
    using Done = std::function<void()>;
    // Called on the job's thread when a threaded job's body ended. It must bring the owner's
    // thread to call Finish() (the window posts it to its event loop); it must not block.
    using Wake = std::function<void()>;

    // Threaded when wake is given, else every job runs on the caller's thread.
    explicit CommandRunner(link::TBEXFTDI& port, Wake wake = {});
    // Cancels a cancellable job and waits for the job's thread; the continuation is dropped.
    ~CommandRunner();
    CommandRunner(const CommandRunner&) = delete;
    CommandRunner& operator=(const CommandRunner&) = delete;

    // Starts a job; false (nothing runs, done is dropped) while another job holds the cable.
    // Without a wake the body and done have both run when Start returns.
    bool Start(JobKind kind, Work work, Done done = {});
    // On the owner's thread, after wake: ends the job and runs its continuation. Does nothing
    // when no job has ended.
    void Finish();
    // Blocks until a threaded job's body ended, then finishes it (korv-cli, tests, closing).
    void WaitAndFinish();

    bool Busy() const { return busy_; }
    JobKind Kind() const { return kind_; }
    bool Cancellable() const { return busy_ && JobCancellable(kind_); }
    // Asks a cancellable job to stop at its next page; ignored for the others.
    void Cancel();
    bool CancelAsked() const { return cancel_; }

private:
    void Join();

    link::TBEXFTDI& port_;
    Wake wake_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable ended_;
    bool bodyEnded_ = false;
    // Touched only on the owner's thread.
    bool busy_ = false;
    JobKind kind_ = JobKind::MonitorTick;
    Done done_;
    CancelFlag cancel_{false};
};

} // namespace korv
