// Read, write and verify and the close query against the simulated module, in-process on one
// virtual clock. The module's memory is a file the simulator keeps, so a test can look at what
// a write left there.
#include "commands/close_query.h"
#include "commands/connection_monitor.h"
#include "commands/file_commands.h"
#include "commands/read_module.h"
#include "commands/unsaved_changes.h"
#include "commands/verify_module.h"
#include "commands/write_module.h"
#include "i18n/catalogue.h"
#include "link/sim_fixture.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace korv::test {
namespace {

class ModuleTransfer : public SimLibraryTest {
protected:
    // A module of the kind on the cable, its memory in a file; the monitor has found it.
    ModuleContext& Connect(const std::string& lines = "kind=F") {
        SetLanguageIndex(English);
        memoryPath = dir + "/memory.bin";
        context_.emplace(
            ModuleContext{state, ui, Port("[module]\nmemory=" + memoryPath + "\n" + lines + "\n")});
        CheckConnection(*context_);
        EXPECT_TRUE(state.connection.PasswordAccepted());
        return *context_;
    }
    // Data byte k of page n of the module's memory.
    int Byte(int page, int k) {
        return static_cast<unsigned char>(ReadFile(memoryPath).at(page * 64 + k));
    }
    static TTablica Filled(int cards) {
        TTablica t;
        for (int c = 0; c < cards; ++c)
            t.AddCard(1 + c / 1536, c % 1536 / 6,
                      {std::to_string(268435455 - c * 7), c % 3 == 0, "description"});
        return t;
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const auto& b : ui.boxes)
            texts.push_back(b.text);
        return texts;
    }

    AppState state;
    ScriptedUi ui;
    std::string memoryPath;
    std::optional<ModuleContext> context_;
};

TEST_F(ModuleTransfer, FullRegisterGoesOutAndComesBackInRegisterOrder) {
    auto& ctx = Connect();
    const TTablica sent = Filled(MaxCards);
    state.tablica = sent;
    state.tablica.Cell(2, 9).wybierany = "1234567";
    state.NeedSave = true;
    const WriteOutcome w = WriteModule(ctx);
    EXPECT_TRUE(w.Complete());
    EXPECT_FALSE(state.NeedSave);
    EXPECT_EQ(ui.progressMaximum, 512);
    EXPECT_EQ(Byte(0, 60) * 256 + Byte(0, 61), MaxCards);
    EXPECT_EQ(Byte(0, 62), 0x51); // the password the program holds, packed BCD
    EXPECT_EQ(Byte(0, 63), 0x72);

    EXPECT_TRUE(VerifyModule(ctx).Matches());
    EXPECT_EQ(ui.boxes.back().text, "Verification succeeded!");

    state.NeedSave = true;
    const ReadOutcome r = ReadModule(ctx);
    EXPECT_TRUE(r.Complete());
    EXPECT_TRUE(state.NeedSave); // a read leaves it
    EXPECT_EQ(state.tablica.Cell(2, 9).wybierany, "1234567");
    std::vector<std::string> before, after;
    sent.ForEachCard([&](int z, int a, int, const TKarta& k) {
        before.push_back(std::to_string(z) + "/" + std::to_string(a) + "/" + k.numer +
                         (k.B1 ? "+" : "-"));
    });
    state.tablica.ForEachCard([&](int z, int a, int, const TKarta& k) {
        after.push_back(std::to_string(z) + "/" + std::to_string(a) + "/" + k.numer +
                        (k.B1 ? "+" : "-") + k.opis);
    });
    EXPECT_EQ(after, before);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ModuleTransfer, PagesFollowTheCountAndTheModuleKind) {
    struct Case {
        std::string kind;
        int cards, pages;
    };
    for (const Case& c :
         std::vector<Case>{{"F", 12, 1}, {"F", 13, 2}, {"M", 12, 2}, {"F", 25, 3}}) {
        SCOPED_TRACE(c.kind + " " + std::to_string(c.cards));
        state = AppState{};
        ui = ScriptedUi{};
        std::filesystem::remove(dir + "/memory.bin");
        auto& ctx = Connect("kind=" + c.kind);
        for (int i = 0; i < c.cards; ++i)
            state.tablica.AddCard(1, 0, {std::to_string(100 + i), false, ""});
        state.zada = {7, 2, false};
        WriteModule(ctx);
        EXPECT_EQ(ui.progressMaximum, c.pages);
        // The last card sits in its record, the rest of its page is free.
        const int last = (c.cards - 1) % 12;
        EXPECT_EQ(Byte((c.cards - 1) / 12, last * 5), 100 + c.cards - 1);
        if (last < 11) {
            EXPECT_EQ(Byte((c.cards - 1) / 12, last * 5 + 5), 0xFF);
        }
        if (c.kind == "M") {
            EXPECT_EQ(Byte(1, 0), 0xFF);
            EXPECT_EQ(Byte(1, 60), 7);
            EXPECT_EQ(Byte(1, 61), 2);
            EXPECT_EQ(Byte(1, 62), 1);
            state.zada = {};
            ReadModule(ctx);
            EXPECT_EQ(state.zada, (link::ZadaSettings{7, 2, false}));
        }
        ReadModule(ctx);
        EXPECT_EQ(ui.progressMaximum, c.pages);
        EXPECT_EQ(state.tablica.CardCount(), c.cards);
    }
}

TEST_F(ModuleTransfer, AFailedCountLeavesTheRegisterAndATooLargeCountIsCappedOnce) {
    auto& ctx = Connect("kind=F\nimage_cards=1/3/77\n");
    state.tablica.AddCard(2, 5, {"55", false, ""});
    Configure("[module]\nmemory=" + memoryPath + "\nkind=F\n[faults]\ncount=silent\n");
    EXPECT_FALSE(ReadModule(ctx).Complete());
    EXPECT_EQ(state.tablica.CardCount(), 1);
    EXPECT_EQ(state.tablica.Cell(2, 5).lista.size(), 1u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("did not report how many cards"), std::string::npos);

    // Page 0 claims 7000 cards: every page is read once, the count said once, and the free
    // records inside the count make the read fail without touching the register.
    Configure("[module]\nmemory=" + memoryPath + "\nkind=F\n");
    port->Open();
    port->ReadPage(0);
    std::copy(port->buf_out.begin(), port->buf_out.begin() + 64, port->buf_in.begin() + 2);
    port->buf_in[62] = 7000 / 256;
    port->buf_in[63] = 7000 % 256;
    ASSERT_EQ(port->WritePage(0), link::PortResult::Ok);
    port->Close();
    ui.messages.clear();
    const ReadOutcome r = ReadModule(ctx);
    EXPECT_TRUE(r.countTooLarge);
    EXPECT_EQ(ui.progressMaximum, 512);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].find("7000"), std::string::npos);
    EXPECT_EQ(r.recordsWithoutCard.size(), MaxCards - 1u);
    EXPECT_NE(ui.messages[1].find("page 0 record 2, page 0 record 3"), std::string::npos);
    EXPECT_FALSE(r.registerReplaced);
    EXPECT_EQ(state.tablica.CardCount(), 1);
    EXPECT_EQ(state.tablica.Cell(2, 5).lista.size(), 1u);
}

TEST_F(ModuleTransfer, AGlitchIsTriedAgainAndOnlyAWholeWriteClearsNeedSave) {
    auto& ctx = Connect();
    state.tablica = Filled(40);
    state.NeedSave = true;
    // Two failed tries of page 1, the third gets through.
    Configure("[module]\nmemory=" + memoryPath + "\n[faults]\nwrite.1=silent x2\n");
    EXPECT_TRUE(WriteModule(ctx).Complete());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(state.NeedSave);

    // Page 0 refused for good: the count and password there stay, later pages are written,
    // and the module still differs from the register.
    state.tablica = Filled(30);
    state.NeedSave = true;
    Configure("[module]\nmemory=" + memoryPath + "\n[faults]\nwrite.0=status\n");
    const WriteOutcome w = WriteModule(ctx);
    EXPECT_EQ(w.failedPages, std::vector<int>{0});
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error on page 0"});
    EXPECT_EQ(Byte(0, 60) * 256 + Byte(0, 61), 40);
    EXPECT_EQ(Byte(2, 30), 0xFF); // card 31 of the old register is gone from page 2
    EXPECT_TRUE(state.NeedSave);
}

TEST_F(ModuleTransfer, ARegisterTheModuleCannotTakeIsRefusedBeforeAnythingIsSent) {
    auto& ctx = Connect("kind=F\nimage_cards=1/1/9\n");
    const std::string image = ReadFile(memoryPath);
    state.tablica.AddCard(1, 0, {"12", false, ""});
    state.tablica.AddCard(3, 4, {"268435456", false, ""});
    state.NeedSave = true;
    EXPECT_TRUE(WriteModule(ctx).refused);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("Card 268435456 (zone 3, apartment 4)"), std::string::npos);
    EXPECT_EQ(ReadFile(memoryPath), image);
    EXPECT_TRUE(state.NeedSave);
    EXPECT_EQ(ui.busyDepth, 0);

    // An empty register offers the reset; declined, nothing is written and NeedSave stays.
    state.tablica.ClearCards();
    ui.boxAnswers = {IdNo};
    const WriteOutcome w = WriteModule(ctx);
    EXPECT_TRUE(w.resetAsked);
    EXPECT_EQ(w.reset, ResetResult::NotRun);
    EXPECT_EQ(ReadFile(memoryPath), image);
    EXPECT_TRUE(state.NeedSave);
}

TEST_F(ModuleTransfer, VerifyFindsWhatDiffersAndNeverSucceedsOverUnreadCards) {
    auto& ctx = Connect();
    state.tablica.AddCard(1, 1, {"111", false, ""});
    state.tablica.AddCard(1, 1, {"112", false, ""});
    state.tablica.AddCard(1, 2, {"222", true, ""});
    state.tablica.AddCard(1, 3, {"333", false, ""});
    WriteModule(ctx);
    const TTablica written = state.tablica;

    // The same cards of an apartment in another order: no difference.
    std::swap(state.tablica.Cell(1, 1).lista[0], state.tablica.Cell(1, 1).lista[1]);
    EXPECT_TRUE(VerifyModule(ctx).Matches());

    // A leading zero, another B1, two cards swapped between apartments.
    state.tablica = written;
    state.tablica.Cell(1, 3).lista[0].numer = "0333";
    state.tablica.Cell(1, 2).lista[0].B1 = false;
    ui.boxes.clear();
    VerifyOutcome v = VerifyModule(ctx);
    EXPECT_EQ(v.errors, 2);
    EXPECT_EQ(ui.boxes.back().text, "There are differencies for 2 cards!");
    EXPECT_EQ(ui.boxes.back().flags, MbWarning);
    EXPECT_NE(ui.boxes.back().details.find("zone 1, apartment 3, card 333, B1 0: only in the "
                                           "module"),
              std::string::npos);
    EXPECT_NE(ui.boxes.back().details.find("card 0333, B1 0: only in the program"),
              std::string::npos);

    state.tablica = written;
    std::swap(state.tablica.Cell(1, 2).lista[0].numer, state.tablica.Cell(1, 3).lista[0].numer);
    state.tablica.Cell(1, 2).lista[0].B1 = state.tablica.Cell(1, 3).lista[0].B1 = false;
    state.tablica.Cell(1, 3).lista[0].B1 = true;
    EXPECT_EQ(VerifyModule(ctx).errors, 2);
    EXPECT_EQ(ui.boxes.back().text, "There are differencies for 2 cards!");

    // Counts that differ: no page read.
    state.tablica = written;
    state.tablica.AddCard(4, 255, {"9", false, ""});
    v = VerifyModule(ctx);
    EXPECT_TRUE(v.countsDiffer);
    EXPECT_EQ(ui.boxes.back().text, "There is a different number of cards in module memory!");

    // Forty cards on four pages, page 2 unreadable: its twelve cards are said to be unchecked.
    state.tablica = Filled(40);
    WriteModule(ctx);
    Configure("[module]\nmemory=" + memoryPath + "\n[faults]\nread.2=silent\n");
    ui.messages.clear();
    v = VerifyModule(ctx);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Read error on page 2"});
    EXPECT_EQ(v.errors, 0);
    EXPECT_EQ(v.unchecked, 12);
    EXPECT_FALSE(v.Matches());
    EXPECT_EQ(ui.boxes.back().text, "Cards not checked because their pages could not be read: 12.");
    SetLanguageIndex(Polish);
    ui.messages.clear();
    VerifyModule(ctx);
    SetLanguageIndex(English);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Błąd odczytu na stronie 2"});
    EXPECT_EQ(DifferenceCountText(1), "1 card");
}

TEST_F(ModuleTransfer, CloseQueryAsksOnlyForUnsentChangesWithAModuleThere) {
    auto& ctx = Connect("kind=F\nimage_cards=1/1/5\n");
    // The window's close box, in place: the question, the write it asked for, then the notice.
    NoView view;
    const auto WriteBeforeClosing = [&](ModuleContext& c) {
        switch (AskBeforeClosing({c.state, c.ui, view})) {
        case CloseAnswer::Close:
            return true;
        case CloseAnswer::Stay:
            return false;
        case CloseAnswer::WriteFirst:
            break;
        }
        WriteModule(c, WriteBackup::Offered());
        AfterWriteOnClosing(c.state, c.ui);
        return true;
    };
    const std::string image = ReadFile(memoryPath);
    state.NeedSave = false;
    EXPECT_TRUE(WriteBeforeClosing(ctx));
    EXPECT_TRUE(ui.boxes.empty());

    state.tablica.AddCard(1, 2, {"6", false, ""});
    state.NeedSave = true;
    ui.boxAnswers = {IdCancel};
    EXPECT_FALSE(WriteBeforeClosing(ctx));
    EXPECT_EQ(ui.boxes.back().caption, "ZEL - leaving the program");
    ui.boxAnswers = {IdNo, IdNo}; // not to the module; and not to a file either
    EXPECT_TRUE(WriteBeforeClosing(ctx));
    EXPECT_EQ(ReadFile(memoryPath), image);
    EXPECT_EQ(ui.boxes.back().caption, "ZEL - unsaved changes");

    // The close query's write offers the backup as Save does; No sends the changes without.
    ui.boxAnswers = {IdYes, IdNo};
    EXPECT_TRUE(WriteBeforeClosing(ctx));
    EXPECT_EQ(ui.boxes.back().caption, "Backup before a write");
    EXPECT_EQ(Byte(0, 61), 1);
    EXPECT_FALSE(state.NeedSave);
    EXPECT_TRUE(ui.messages.empty());

    // Yes with the password refused: the write runs, then 178 says it did not take.
    state.NeedSave = true;
    state.connection.passwordCheck = PasswordCheck::Refused;
    ui.boxAnswers = {IdYes};
    EXPECT_TRUE(WriteBeforeClosing(ctx));
    EXPECT_EQ(ui.messages.back(), "    No write to the module! - Incorrect password   ");

    // No module: the changes would be lost, so the file question comes instead; once they
    // are in a file, nothing is asked.
    state.connection.ConnectionMessage = MsgModuleNotConnected;
    state.NeedSave = true;
    ui.boxes.clear();
    ui.boxAnswers = {IdCancel};
    EXPECT_FALSE(WriteBeforeClosing(ctx));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "ZEL - unsaved changes");
    MarkRegisterSaved(state);
    EXPECT_TRUE(WriteBeforeClosing(ctx));
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(ModuleTransfer, AReadThatMissedPagesAsksOnceAndASaveOverTheFileAsksAgain) {
    std::string cards;
    for (int c = 0; c < 40; ++c)
        cards +=
            (c ? "," : "") + std::string("1/") + std::to_string(c) + "/" + std::to_string(100 + c);
    auto& ctx = Connect("kind=F\nimage_cards=" + cards + "\n[faults]\nread.1=silent\n");
    state.tablica.AddCard(4, 9, {"5", false, "before"});
    ui.boxAnswers = {IdNo};
    ReadOutcome r = ReadModule(ctx);
    EXPECT_TRUE(r.partialDeclined);
    EXPECT_FALSE(r.registerReplaced);
    EXPECT_EQ(state.tablica.CardCount(), 1);
    ASSERT_EQ(ui.boxes.size(), 1u); // one question, no notice per page
    EXPECT_EQ(ui.boxes[0].text, "28 of the module's 40 cards were read; these pages could not "
                                "be read: 1.\n\nKeep what was read? No leaves the card list as "
                                "it was before the read.");
    EXPECT_TRUE(ui.messages.empty());

    ui.boxAnswers = {IdYes};
    r = ReadModule(ctx);
    EXPECT_TRUE(r.registerReplaced);
    EXPECT_EQ(state.tablica.CardCount(), 28);
    EXPECT_TRUE(state.partialRead);

    // Save over the file the title names: asked first; No writes nothing.
    state.Sciezka = dir + "/complete.zel";
    std::ofstream(state.Sciezka) << "the complete list";
    ui.boxes.clear();
    ui.boxAnswers = {IdNo};
    SaveCardFile({state, ui, ui});
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find("missed pages"), std::string::npos);
    EXPECT_EQ(ReadFile(state.Sciezka), "the complete list");
}

} // namespace
} // namespace korv::test
