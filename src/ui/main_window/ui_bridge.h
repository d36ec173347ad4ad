// How a job of the command runner reaches the window from its own thread: calls posted to the
// window's event loop, and questions whose answer the job waits for. The window's thread never
// waits for the job. Once the window closes the bridge, nothing more is posted and every
// question still waiting is answered with its fallback, so a job can always end.
#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>

namespace korv::ui {

class UiBridge {
public:
    UiBridge();
    ~UiBridge();
    UiBridge(const UiBridge&) = delete;
    UiBridge& operator=(const UiBridge&) = delete;

    // Runs call on the window's thread, later; nothing once closed.
    void Post(std::function<void()> call);

    // Runs ask on the window's thread and waits for its answer; the fallback once closed or
    // when the call is dropped unanswered. Never called on the window's thread itself.
    template <class R> R Ask(std::function<R()> ask, R fallback) {
        auto promise = std::make_shared<std::promise<R>>();
        std::future<R> answer = promise->get_future();
        // The posted call owns the promise alone: dropped unrun, it breaks the promise.
        const bool posted =
            PostOwned([promise = std::move(promise), ask = std::move(ask)]() mutable {
                promise->set_value(ask());
            });
        if (!posted)
            return fallback;
        try {
            return answer.get();
        } catch (const std::future_error&) {
            return fallback;
        }
    }

    // On the window's thread: no more calls; those posted and not yet run are dropped.
    void Close();

private:
    class Receiver;
    bool PostOwned(std::function<void()> call);

    // The calls themselves cross in queued_, under mutex_, and Qt's event only says that one
    // is waiting. Every write the job made before posting is then ordered before the call
    // through a lock of ours, which a race checker sees; Qt's own queue lock it does not.
    std::mutex mutex_;
    std::deque<std::function<void()>> queued_;
    std::unique_ptr<QObject> receiver_; // lives on the window's thread
};

} // namespace korv::ui
