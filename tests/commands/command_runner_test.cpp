// The command runner on its own thread against the simulator on the virtual clock: one job at a
// time, the continuation on the owner's thread, and a cancel that stops a read or a verify
// before its next page and leaves the register as it was, while a write cannot be stopped.
#include "commands/command_runner.h"
#include "commands/connection_monitor.h"
#include "commands/read_module.h"
#include "commands/verify_module.h"
#include "commands/write_module.h"
#include "i18n/catalogue.h"
#include "link/sim_fixture.h"
#include "support/gate.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <thread>

namespace korv::test {
namespace {

// Stops the job at the progress step given, as a person clicking Cancel would find it.
class PausingUi : public ScriptedUi {
public:
    void ShowProgress(int position, int maximum, const std::string& label) override {
        ScriptedUi::ShowProgress(position, maximum, label);
        highest = std::max(highest, position);
        if (position == pauseAt)
            gate->Arrive();
    }
    // Forgets what was shown and pauses anew at step n.
    void PauseAt(int n) {
        static_cast<ScriptedUi&>(*this) = ScriptedUi{};
        pauseAt = n;
        highest = 0;
        gate = std::make_unique<Gate>();
    }
    int pauseAt = -1, highest = 0;
    std::unique_ptr<Gate> gate = std::make_unique<Gate>();
};

class CommandRunnerTest : public SimLibraryTest {
protected:
    // A full module of 60 cards (five pages) found by a tick, and a threaded runner whose
    // wake only counts: the test's thread is the owner and finishes the jobs.
    void Start() {
        SetLanguageIndex(English);
        std::string cards;
        for (int c = 0; c < 60; ++c)
            cards += (c ? "," : "") + std::to_string(1 + c % 4) + "/" + std::to_string(c) + "/" +
                     std::to_string(500 + c);
        Port("[module]\nkind=F\nmemory=" + dir + "/m.bin\nimage_cards=" + cards + "\n");
        ctx.emplace(ModuleContext{state, ui, *port});
        CheckConnection(*ctx);
        ASSERT_TRUE(state.connection.PasswordAccepted());
        runner.emplace(*port, [this] { ++wakes; });
    }
    // Runs body as a job with the runner's cancel flag in the context.
    bool Run(JobKind kind, std::function<void(ModuleContext&)> body) {
        return runner->Start(kind, [this, body](link::TBEXFTDI&, const CancelFlag& cancel) {
            ModuleContext c{state, ui, *port, &cancel};
            body(c);
        });
    }

    AppState state;
    PausingUi ui;
    std::optional<ModuleContext> ctx;
    std::optional<CommandRunner> runner;
    std::atomic<int> wakes{0};
};

TEST_F(CommandRunnerTest, OneJobAtATimeOnItsOwnThreadFinishedOnTheOwners) {
    Start();
    Gate gate;
    std::thread::id jobThread, doneThread;
    ASSERT_TRUE(runner->Start(
        JobKind::Write,
        [&](link::TBEXFTDI&, const CancelFlag&) {
            jobThread = std::this_thread::get_id();
            gate.Arrive();
        },
        [&] { doneThread = std::this_thread::get_id(); }));
    ASSERT_TRUE(gate.WaitForArrival());
    EXPECT_TRUE(runner->Busy());
    bool second = false;
    EXPECT_FALSE(runner->Start(JobKind::MonitorTick,
                               [&](link::TBEXFTDI&, const CancelFlag&) { second = true; }));
    runner->Finish(); // a wake that came early: the job still runs, nothing happens
    EXPECT_TRUE(runner->Busy());
    runner->Cancel(); // a write is not cancellable
    EXPECT_FALSE(runner->CancelAsked());
    gate.Open();
    runner->WaitAndFinish();
    EXPECT_FALSE(runner->Busy());
    EXPECT_FALSE(second);
    EXPECT_EQ(wakes, 1);
    EXPECT_NE(jobThread, std::this_thread::get_id());
    EXPECT_EQ(doneThread, std::this_thread::get_id());
    runner->Finish(); // the posted wake arriving after the owner finished by waiting
    EXPECT_FALSE(runner->Busy());
}

TEST_F(CommandRunnerTest, CancelStopsAReadOrAVerifyBeforeTheNextPage) {
    Start();
    TTablica before;
    before.AddCard(1, 0, {"7", false, "kept"});
    state.tablica = before;

    ui.PauseAt(2); // two pages done
    ReadOutcome read;
    ASSERT_TRUE(Run(JobKind::Read, [&](ModuleContext& c) { read = ReadModule(c); }));
    ASSERT_TRUE(ui.gate->WaitForArrival());
    runner->Cancel();
    EXPECT_TRUE(runner->CancelAsked());
    ui.gate->Open();
    runner->WaitAndFinish();
    EXPECT_EQ(ui.highest, 2); // no page after the cancel
    EXPECT_TRUE(read.cancelled);
    EXPECT_FALSE(read.registerReplaced);
    EXPECT_EQ(state.tablica.CardCount(), 1);
    EXPECT_EQ(state.tablica.Cell(1, 0).lista.at(0).opis, "kept");
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"The read was cancelled. The card list was not changed."});

    // Verify over the module's own cards, cancelled at page 2: no report of a match.
    Run(JobKind::Read, [](ModuleContext& c) { ReadModule(c); });
    runner->WaitAndFinish();
    ASSERT_EQ(state.tablica.CardCount(), 60);
    ui.PauseAt(2);
    VerifyOutcome verify;
    Run(JobKind::Verify, [&](ModuleContext& c) { verify = VerifyModule(c); });
    ASSERT_TRUE(ui.gate->WaitForArrival());
    runner->Cancel();
    ui.gate->Open();
    runner->WaitAndFinish();
    EXPECT_EQ(ui.highest, 2);
    EXPECT_TRUE(verify.cancelled);
    EXPECT_FALSE(verify.Matches());
    EXPECT_TRUE(ui.boxes.empty()); // neither "succeeded" nor differences
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"The verify was cancelled; not every card was checked."});
}

TEST_F(CommandRunnerTest, AWriteRunsToItsEndWhateverIsClicked) {
    Start();
    for (int c = 0; c < 40; ++c)
        state.tablica.AddCard(2, c, {std::to_string(9000 + c), false, ""});
    state.NeedSave = true;
    ui.PauseAt(1);
    WriteOutcome outcome;
    ASSERT_TRUE(Run(JobKind::Write, [&](ModuleContext& c) { outcome = WriteModule(c); }));
    ASSERT_TRUE(ui.gate->WaitForArrival());
    runner->Cancel();
    EXPECT_FALSE(runner->CancelAsked());
    ui.gate->Open();
    runner->WaitAndFinish();
    EXPECT_TRUE(outcome.Complete());
    EXPECT_FALSE(state.NeedSave);
    const std::string m = ReadFile(dir + "/m.bin");
    EXPECT_EQ(static_cast<unsigned char>(m.at(61)), 40); // the module's count
}

} // namespace
} // namespace korv::test
