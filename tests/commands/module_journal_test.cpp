// The journal of module work against the simulated module: one line per command, in the words
// the command reported, and a journal that cannot be written never changes what a command does.
#include "commands/connection_monitor.h"
#include "commands/module_journal.h"
#include "commands/password_commands.h"
#include "commands/read_module.h"
#include "commands/verify_module.h"
#include "commands/write_module.h"
#include "files/journal_file.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "link/sim_fixture.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace korv::test {
namespace {

class ModuleJournalTest : public SimLibraryTest {
protected:
    ModuleContext& Connect() {
        SetLanguageIndex(English);
        memoryPath = dir + "/memory.bin";
        context_.emplace(
            ModuleContext{state, ui, Port("[module]\nmemory=" + memoryPath + "\nkind=M\n")});
        CheckConnection(*context_);
        EXPECT_TRUE(state.connection.PasswordAccepted());
        return *context_;
    }
    int ModuleCount() {
        const std::string memory = ReadFile(memoryPath);
        return static_cast<unsigned char>(memory.at(60)) * 256 +
               static_cast<unsigned char>(memory.at(61));
    }
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    AppState state;
    ScriptedUi ui;
    std::string memoryPath;
    std::optional<ModuleContext> context_;
};

TEST_F(ModuleJournalTest, EachCommandLeavesOneLineInTheWordsItReported) {
    auto& ctx = Connect();
    TempFolder data;
    ModuleJournal journal(data.File("korv/journal.csv"));
    journal.now = [] { return std::string("2026-12-10T08:15:30"); };
    state.tablica.AddCard(1, 0, {"41", false, "Nowak; flat \"A\""});
    state.tablica.AddCard(2, 7, {"99", true, ""});
    state.Sciezka = "/home/j/block 3.zel";

    const auto write = [](ModuleContext& c) {
        return ModuleJournal::Facts{c.state.tablica.CardCount(), WriteModule(c).Complete()};
    };
    const auto verify = [](ModuleContext& c) {
        return ModuleJournal::Facts{c.state.tablica.CardCount(), VerifyModule(c).Matches()};
    };
    journal.Run(JobKind::Write, ctx, state.Sciezka, write);
    journal.Run(JobKind::Verify, ctx, state.Sciezka, verify);
    state.tablica.AddCard(4, 1, {"5", false, ""}); // the module lacks it now
    journal.Run(JobKind::Verify, ctx, state.Sciezka, verify);
    journal.Run(JobKind::Reset, ctx, "", [](ModuleContext& c) { // answered No
        return ModuleJournal::Facts{-1, ResetModuleMemory(c) == ResetResult::Done};
    });
    EXPECT_EQ(ModuleCount(), 2);
    // A backup declined is no command declined: the write went on and did all it was asked.
    ui.boxAnswers = {IdNo};
    journal.Run(JobKind::Write, ctx, "", [](ModuleContext& c) {
        return ModuleJournal::Facts{c.state.tablica.CardCount(),
                                    WriteModule(c, WriteBackup::Offered()).Complete()};
    });
    ASSERT_EQ(ui.boxes.size(), 4u); // a whole write says nothing

    const std::string text = ReadFile(data.File("korv/journal.csv"));
    ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    const auto lines = Lines(text.substr(3));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "date;command;module kind;module name;cards;file;result\r");
    const std::string module = "ZADA;PEL-ZEL-ZADA;";
    EXPECT_EQ(lines[1], "2026-12-10T08:15:30;write;" + module + "2;/home/j/block 3.zel;Done.\r");
    EXPECT_EQ(lines[2], "2026-12-10T08:15:30;verify;" + module + "2;/home/j/block 3.zel;" +
                            "Verification succeeded!\r");
    EXPECT_EQ(lines[3], "2026-12-10T08:15:30;verify;" + module + "3;/home/j/block 3.zel;" +
                            ui.boxes[1].text + "\r");
    EXPECT_EQ(lines[4], "2026-12-10T08:15:30;reset;" + module + ";;" +
                            OwnText(OwnTextName::JournalDeclined, English) + "\r");
    EXPECT_EQ(lines[5], "2026-12-10T08:15:30;write;" + module + "3;;Done.\r");
    // A report of several lines stays one line of the journal; fields with the separator or
    // quotes are quoted.
    JournalEntry quoted;
    quoted.result = "a;b \"c\"\r\n\r\nd\n";
    EXPECT_EQ(JournalLine(quoted), ";;;;;;\"a;b \"\"c\"\" / d\"\r\n");
}

TEST_F(ModuleJournalTest, AJournalThatCannotBeWrittenIsSaidOnceAndChangesNoCommand) {
    auto& ctx = Connect();
    TempFolder data;
    WriteBytes(data.File("plain"), "x"); // a file where the journal's folder would be
    ModuleJournal journal(data.File("plain/journal.csv"));
    for (int card = 1; card <= 3; ++card) {
        state.tablica.AddCard(1, card, {std::to_string(card), false, ""});
        journal.Run(JobKind::Write, ctx, "", [](ModuleContext& c) {
            return ModuleJournal::Facts{c.state.tablica.CardCount(), WriteModule(c).Complete()};
        });
        EXPECT_EQ(ModuleCount(), card);
        EXPECT_FALSE(state.NeedSave);
    }
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0].find("The journal of module work " + data.File("plain/journal.csv") +
                                " cannot be written"),
              0u);
}

} // namespace
} // namespace korv::test
