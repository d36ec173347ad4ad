#include "commands/command_runner.h"

#include <utility>

namespace korv {

bool JobCancellable(JobKind kind) {
    switch (kind) {
    case JobKind::Read:
    case JobKind::Verify:
        return true;
    case JobKind::MonitorTick:
    case JobKind::Write:
    case JobKind::Password:
    case JobKind::Reset:
    case JobKind::CardRead:
    case JobKind::Find:
        break;
    }
    return false;
}

CommandRunner::CommandRunner(link::TBEXFTDI& port, Wake wake)
    : port_(port), wake_(std::move(wake)) {}

CommandRunner::~CommandRunner() {
    Cancel();
    Join();
}

bool CommandRunner::Start(JobKind kind, Work work, Done done) {
    if (busy_)
        return false;
    busy_ = true;
    kind_ = kind;
    cancel_ = false;
    done_ = std::move(done);
    if (!wake_) {
        work(port_, cancel_);
        Finish();
        return true;
    }
    Join(); // the thread of the job before has ended its body; let it go
    bodyEnded_ = false;
    thread_ = std::thread([this, work = std::move(work)] {
        work(port_, cancel_);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            bodyEnded_ = true;
        }
        ended_.notify_all();
        wake_();
    });
    return true;
}

void CommandRunner::Finish() {
    if (!busy_)
        return;
    if (wake_) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!bodyEnded_)
            return; // a wake for a job the owner already finished by waiting
    }
    Join();
    Done done = std::move(done_);
    done_ = nullptr;
    busy_ = false;
    cancel_ = false;
    if (done)
        done();
}

void CommandRunner::WaitAndFinish() {
    if (!busy_)
        return;
    if (wake_) {
        std::unique_lock<std::mutex> lock(mutex_);
        ended_.wait(lock, [this] { return bodyEnded_; });
    }
    Finish();
}

void CommandRunner::Cancel() {
    if (Cancellable())
        cancel_ = true;
}

void CommandRunner::Join() {
    if (thread_.joinable())
        thread_.join();
}

} // namespace korv
