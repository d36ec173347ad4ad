// Every module read, write, verify, password change and memory reset, from the window or
// korv-cli, leaves one line in the journal of module work: when, what, on which module, how
// many cards, which file, and the result in the words the command reported it with. A journal
// that cannot be written never stops a command: the person is told once that it is off.
#pragma once

#include "commands/command_runner.h"
#include "commands/module_context.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>

namespace korv {

class ModuleJournal {
public:
    // No path: no folder is known for it, and the journal is off from the start.
    explicit ModuleJournal(std::optional<std::string> path);
    // journal.csv in the user's data folder.
    static std::optional<std::string> DefaultPath();
    const std::optional<std::string>& Path() const { return path_; }

    // What the body returns: the cards the command moved or compared, -1 when it has no such
    // count (a password change, a reset, a read that kept the register as it was); and whether
    // it did all it was asked, which is the result when it said nothing (a whole write).
    struct Facts {
        int cards = -1;
        bool done = false;
    };
    using Body = std::function<Facts(ModuleContext&)>;
    // Runs body over ctx, watching what it reports, then appends the line. kind is Read,
    // Write, Verify, Password or Reset; file is the card file the command worked with.
    void Run(JobKind kind, ModuleContext& ctx, const std::string& file, const Body& body);

    // The clock of the lines' dates; tests set a fixed one.
    std::function<std::string()> now;

private:
    std::optional<std::string> path_;
    // Set once the person was told the journal is off; the runner runs one job at a time,
    // but the window reads it from its own thread.
    std::atomic<bool> offTold_{false};
};

// The local date and time as ISO 8601 ("2026-12-10T08:15:30").
std::string LocalIsoTime();

} // namespace korv
