#include "ui/ui_bridge.h"

#include <QMetaObject>

namespace korv::ui {

UiBridge::UiBridge() : receiver_(std::make_unique<QObject>()) {}

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
    QMetaObject::invokeMethod(receiver_.get(), std::move(call), Qt::QueuedConnection);
    return true;
}

void UiBridge::Close() {
    std::unique_ptr<QObject> receiver;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        receiver = std::move(receiver_);
    }
    // Deleting the receiver drops the calls posted to it: a question's promise breaks and the
    // job waiting on it takes the fallback.
    receiver.reset();
}

} // namespace korv::ui
