#include "commands/progress.h"

namespace korv {

ProgressDisplay::ProgressDisplay(Ui& ui, int steps, std::string message, int start)
    : ui_(ui), steps_(steps), position_(start), message_(std::move(message)) {
    Show();
}

ProgressDisplay::~ProgressDisplay() {
    ui_.HideProgress();
}

void ProgressDisplay::Step() {
    if (position_ < steps_)
        ++position_;
    Show();
}

std::string ProgressDisplay::Label(const std::string& message, int position, int steps) {
    // A command of no steps is complete before it starts; avoid dividing by zero.
    const long long percent = steps > 0 ? static_cast<long long>(position) * 100 / steps : 100;
    return message + "(" + std::to_string(percent) + "%)";
}

void ProgressDisplay::Show() {
    ui_.ShowProgress(position_, steps_, Label(message_, position_, steps_));
}

} // namespace korv
