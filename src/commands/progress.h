#pragma once

#include "commands/ui_seam.h"

#include <string>

namespace korv {

// The progress display of a command of N steps: the bar from 0 to N and the command's message
// followed by "(", the percentage truncated toward zero, and "%)". Hidden again when the
// command ends, however it ends. A command of parts (a write with its backup first) shows each
// part on its own display, started where the parts before it ended.
class ProgressDisplay {
public:
    ProgressDisplay(Ui& ui, int steps, std::string message, int start = 0);
    ~ProgressDisplay();
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

    void Step();
    int Position() const { return position_; }

    static std::string Label(const std::string& message, int position, int steps);

private:
    void Show();

    Ui& ui_;
    int steps_;
    int position_ = 0;
    std::string message_;
};

} // namespace korv
