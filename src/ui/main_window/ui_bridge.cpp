#include "ui/main_window/ui_bridge.h"

#include <QCoreApplication>
#include <QEvent>

namespace korv::ui {

// Runs one queued call for each event it receives.
class UiBridge::Receiver : public QObject {
public:
    static constexpr QEvent::Type kRunNext = QEvent::User;

    explicit Receiver(UiBridge& bridge) : bridge_(bridge) {}

    bool event(QEvent* e) override {
        std::function<void()> call;
        {
            // The job's thread made the event under this lock: take it before reading it.
            std::lock_guard<std::mutex> lock(bridge_.mutex_);
            if (e->type() == kRunNext && !bridge_.queued_.empty()) {
                call = std::move(bridge_.queued_.front());
                bridge_.queued_.pop_front();
            }
        }
        if (e->type() != kRunNext)
            return QObject::event(e);
        if (call)
            call();
        return true;
    }

private:
    UiBridge& bridge_;
};

UiBridge::UiBridge() : receiver_(std::make_unique<Receiver>(*this)) {}

UiBridge::~UiBridge() {
    Close();
}

void UiBridge::Post(std::function<void()> call) {
    PostOwned(std::move(call));
}

bool UiBridge::PostOwned(std::function<void()> call) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!receiver_)
        return false;
    queued_.push_back(std::move(call));
    QCoreApplication::postEvent(receiver_.get(), new QEvent(Receiver::kRunNext));
    return true;
}

void UiBridge::Close() {
    std::unique_ptr<QObject> receiver;
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        receiver = std::move(receiver_);
        dropped.swap(queued_);
    }
    // Dropping the calls not yet run breaks a question's promise, and the job waiting on it
    // takes the fallback; deleting the receiver removes the events that announced them.
    dropped.clear();
    receiver.reset();
}

} // namespace korv::ui
