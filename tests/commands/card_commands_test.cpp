// The card group's commands over a scripted Ui; Find reads from the simulated module's card
// queue on the virtual clock.
#include "commands/card_commands.h"
#include "commands/file_commands.h"
#include "i18n/catalogue.h"
#include "link/sim_fixture.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace korv::test {
namespace {

class CardCommands : public SimLibraryTest {
protected:
    ModuleContext& Context(const std::string& module = "kind=F") {
        SetLanguageIndex(English);
        context_.emplace(ModuleContext{state, ui, Port("[module]\n" + module + "\n")});
        return *context_;
    }
    // Card editing runs on the window's thread, over the window's view.
    EditContext Edit() {
        SetLanguageIndex(English);
        return EditContext{state, ui, ui};
    }

    AppState state;
    ScriptedUi ui;
    std::optional<ModuleContext> context_;
};

TEST_F(CardCommands, AddRefusesAFullRegisterAndANumberRegisteredAnywhere) {
    const EditContext ctx = Edit();
    for (int c = 0; c < MaxCards; ++c)
        state.tablica.AddCard(1 + c / 1536, c % 256, {std::to_string(c), false, ""});
    AddNewCard(ctx);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "There can't be more then 6144 cards in the module!");
    EXPECT_EQ(ui.boxes[0].caption, "Adding card");
    EXPECT_EQ(ui.boxes[0].flags, MbWarning);
    EXPECT_TRUE(ui.askedCards.empty()); // no dialog

    state.tablica.ClearCards();
    state.tablica.AddCard(3, 0, {"123", false, ""});
    state.CurrentZone = 1;
    state.CurrentApartment = 5;
    // 0123 is the card 123: a module keeps the value. What a module or a card file cannot hold
    // is refused even when it came past the dialog.
    ui.cards = {{"0123", false, "x"},
                {"268435456", false, ""},
                {"9", false, "a=b Ж"},
                {"0124", false, "y"}};
    for (int k = 0; k < 4; ++k)
        AddNewCard(ctx);
    ASSERT_EQ(ui.boxes.size(), 4u);
    EXPECT_EQ(ui.boxes[1].text, "This card is already assigned to apartment no. 0 in zone 3!");
    EXPECT_EQ(ui.boxes[2].text,
              "Card 268435456 has a number the module cannot hold (at most 268435455).");
    EXPECT_EQ(ui.boxes[3].text, "The description cannot contain these characters, as a card "
                                "file cannot hold them: = Ж");
    ASSERT_EQ(state.tablica.Cell(1, 5).lista.size(), 1u);
    EXPECT_EQ(state.tablica.Cell(1, 5).lista[0].numer, "0124"); // kept as typed
    EXPECT_TRUE(state.NeedSave);

    // Cancelled: nothing.
    state.NeedSave = false;
    AddNewCard(ctx);
    EXPECT_EQ(state.tablica.CardCount(), 2);
    EXPECT_FALSE(state.NeedSave);
}

TEST_F(CardCommands, ChangeDeleteAndDeleteRangeActOnTheShownApartment) {
    const EditContext ctx = Edit();
    state.CurrentZone = 2;
    state.CurrentApartment = 7;
    state.tablica.AddCard(2, 7, {"1", true, "a"});
    state.tablica.AddCard(2, 7, {"2", false, "b"});
    state.tablica.AddCard(4, 9, {"5", false, ""});
    state.tablica.Cell(2, 8).wybierany = "88";
    state.tablica.AddCard(2, 8, {"3", false, ""});

    // Change: no selection does nothing; another card's number is refused as Add refuses it;
    // the card may keep its own; a changed card is replaced in place and not yet sent.
    ChangeSelectedCard(ctx);
    EXPECT_TRUE(ui.askedCards.empty());
    ui.selectedRow = 0;
    ui.cards = {{"05", true, "x"}, {"02", true, "x"}, {"001", true, "changed"}};
    ChangeSelectedCard(ctx);
    ChangeSelectedCard(ctx);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "This card is already assigned to apartment no. 9 in zone 4!");
    EXPECT_EQ(ui.boxes[1].text, "This card is already assigned to apartment no. 7 in zone 2!");
    EXPECT_FALSE(state.NeedSave);
    ChangeSelectedCard(ctx);
    ASSERT_EQ(ui.askedCards.size(), 3u);
    EXPECT_EQ(ui.askedCards[0]->numer, "1");
    EXPECT_EQ(state.tablica.Cell(2, 7).lista[0], (TKarta{"001", true, "changed"}));
    EXPECT_EQ(state.tablica.Cell(2, 7).lista[1].numer, "2");
    EXPECT_TRUE(state.NeedSave);
    EXPECT_EQ(ui.events.back(), "ShowCurrentApartment");

    // Delete: the selected card goes, Change and Delete are switched off.
    ui.selectedRow = 1;
    DeleteSelectedCard(ctx);
    ASSERT_EQ(state.tablica.Cell(2, 7).lista.size(), 1u);
    EXPECT_TRUE(state.NeedSave);
    EXPECT_FALSE(ui.cardButtons);

    // Delete range 8..8 empties exactly that apartment and keeps its number to dial; the range
    // dialog starts at the shown apartment.
    state.NeedSave = false;
    ui.ranges = {{8, 8}, {100, 120}};
    DeleteApartmentRange(ctx);
    EXPECT_EQ(ui.rangeStarts.back(), 7);
    EXPECT_TRUE(state.tablica.Cell(2, 8).lista.empty());
    EXPECT_EQ(state.tablica.Cell(2, 8).wybierany, "88");
    EXPECT_EQ(state.tablica.CardCount(), 2);
    state.NeedSave = false;
    DeleteApartmentRange(ctx); // nothing there: still marked
    EXPECT_TRUE(state.NeedSave);
    state.NeedSave = false;
    DeleteApartmentRange(ctx); // cancelled
    EXPECT_FALSE(state.NeedSave);
}

TEST_F(CardCommands, FindSaysWhereTheCardAtTheReaderIsRegistered) {
    auto& ctx = Context("kind=F\ncards=4012345,777\nempty_card=silent");
    state.tablica.AddCard(2, 12, {"4012345", false, ""});
    FindCardAtReader(ctx);
    FindCardAtReader(ctx);
    FindCardAtReader(ctx);
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[0].text, "This card is already assigned to apartment no. 12 in zone 2.");
    EXPECT_EQ(ui.boxes[0].flags, MbInformation);
    EXPECT_EQ(ui.boxes[1].text, "This card is not assigned yet.");
    EXPECT_EQ(ui.boxes[1].flags, MbInformation);
    EXPECT_EQ(ui.boxes[2].text, "Card not detected");
    EXPECT_EQ(ui.boxes[2].flags, MbWarning);
    for (const auto& b : ui.boxes)
        EXPECT_EQ(b.caption, "Reading card");
    // The notice is up while the card is read and the answer shown, and gone afterwards.
    const std::vector<std::string> order(ui.events.begin(), ui.events.begin() + 3);
    EXPECT_EQ(order, (std::vector<std::string>{"NoticeOn", "MessageBox", "NoticeOff"}));
    EXPECT_FALSE(port->Opened());
    EXPECT_EQ(state.tablica.CardCount(), 1);

    // No cable: nothing shown.
    ui = ScriptedUi{};
    Context("kind=none");
    FindCardAtReader(*context_);
    EXPECT_TRUE(ui.boxes.empty());
}

} // namespace
} // namespace korv::test
