#include "commands/spreadsheet_commands.h"

#include "files/card_file_v9.h"
#include "i18n/catalogue.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

using test::ReadBytes;
using test::ScriptedUi;
using test::TempFolder;
using test::WriteBytes;

class SpreadsheetCommands : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageIndex(English);
        state.tablica.AddCard(1, 5, {"555", false, "registered"});
        state.tablica.Cell(1, 5).wybierany = "105";
        state.NeedSave = false;
        before = CardFileText(state.tablica);
    }
    std::string Add(const std::string& name, const std::string& bytes) {
        WriteBytes(dir.File(name), bytes);
        return dir.File(name);
    }

    TempFolder dir;
    AppState state;
    ScriptedUi ui;
    std::string before;
};

TEST_F(SpreadsheetCommands, ImportAsksWhatTheFileHoldsThenMergesAllOrNothing) {
    const std::string good =
        Add("good.csv", "zone;apartment;card;b1;description;number to dial\r\n"
                        "1;5;600;0;Nowak;105\r\n1;6;601;1;;\r\n1;6;602;0;;\r\n2;0;;;;9\r\n");
    // Answered No: nothing changes.
    ui.openNames.push_back(good);
    ImportSpreadsheet({state, ui, ui});
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.askedFilters.back(),
              "CSV spreadsheet (*.csv *.txt)|*.csv;*.txt|All files (*.*)|*.*");
    EXPECT_EQ(ui.boxes[0].flags, MbYesNoDefaultNo);
    EXPECT_NE(ui.boxes[0].text.find("cards: 3 (apartments: 2)\nnumbers to dial: 2"),
              std::string::npos)
        << ui.boxes[0].text;
    EXPECT_EQ(CardFileText(state.tablica), before);
    EXPECT_FALSE(state.NeedSave);

    // A card the register holds (as 0555) refuses the whole file at its line.
    const std::string conflict =
        Add("conflict.csv", "1;7;700;0;;\n1;8;701;0;;\n3;3;0555;0;;\n1;9;702;0;;\n");
    ui.boxAnswers = {IdYes};
    ImportSpreadsheet({state, ui, ui}, conflict);
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[2].flags, MbWarning);
    EXPECT_NE(ui.boxes[2].text.find("line 3: card 0555 is already registered: apartment 5 in "
                                    "zone 1"),
              std::string::npos)
        << ui.boxes[2].text;
    EXPECT_EQ(CardFileText(state.tablica), before);
    EXPECT_FALSE(state.NeedSave);
    EXPECT_EQ(ui.refreshes, 0);

    // Yes to a good file: the cards go in after the apartment's own, NeedSave, views refresh.
    ui.boxAnswers = {IdYes};
    ImportSpreadsheet({state, ui, ui}, good);
    EXPECT_EQ(state.tablica.CardCount(), 4);
    ASSERT_EQ(state.tablica.Cell(1, 5).lista.size(), 2u);
    EXPECT_EQ(state.tablica.Cell(1, 5).lista[1], (TKarta{"600", false, "Nowak"}));
    EXPECT_EQ(state.tablica.Cell(2, 0).wybierany, "9");
    EXPECT_TRUE(state.NeedSave);
    EXPECT_EQ(ui.refreshes, 1);
}

TEST_F(SpreadsheetCommands, LinesThatCannotBeTakenAreAllNamedAndNothingIsAsked) {
    SetLanguageIndex(Polish);
    const std::string bad = Add("bad.csv", "strefa;lokal;karta;b1;opis;wybierany numer\n"
                                           "1;5;1;0;ok;\n9;5;2;0;;\n1;5;3;tak;;\n");
    ImportSpreadsheet({state, ui, ui}, bad);
    ASSERT_EQ(ui.boxes.size(), 1u); // no question
    EXPECT_NE(ui.boxes[0].text.find("Wierszy arkusza " + bad + ", których nie można przyjąć: 2"),
              std::string::npos)
        << ui.boxes[0].text;
    EXPECT_EQ(ui.boxes[0].details, "wiersz 3: strefa \"9\" nie jest liczbą od 1 do 4\n"
                                   "wiersz 4: b1 \"tak\" nie jest ani 0, ani 1, ani puste");
    EXPECT_EQ(CardFileText(state.tablica), before);
    EXPECT_FALSE(state.NeedSave);

    ImportSpreadsheet({state, ui, ui}, dir.File("missing.csv"));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("missing.csv"), std::string::npos);
    ImportSpreadsheet({state, ui, ui}, Add("blank.csv", "\xEF\xBB\xBF;;;;;\r\n\r\n"));
    EXPECT_EQ(ui.messages.back(),
              "Arkusz " + dir.File("blank.csv") + " nie zawiera kart ani numerów do wybrania.");
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(SpreadsheetCommands, ExportWritesTheWholeRegisterInTheLanguageAndAsksBeforeReplacing) {
    state.tablica.AddCard(4, 255, {"7", true, "Łódź"});
    SetLanguageIndex(Polish);
    ui.saveNames.push_back(dir.File("lista"));
    ExportSpreadsheet(state, ui);
    EXPECT_EQ(ui.askedExtensions.back(), "csv");
    EXPECT_EQ(ReadBytes(dir.File("lista.csv")),
              "\xEF\xBB\xBFstrefa;lokal;karta;b1;opis;wybierany numer\r\n"
              "1;5;555;0;registered;105\r\n4;255;7;1;Łódź;\r\n");

    // Replacing is asked; No keeps the old file.
    SetLanguageIndex(English);
    ui.saveNames.push_back(dir.File("lista.csv"));
    state.tablica.ClearCards();
    ExportSpreadsheet(state, ui);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Export to spreadsheet");
    EXPECT_NE(ReadBytes(dir.File("lista.csv")).find("Łódź"), std::string::npos);

    // A failed write names the file and leaves it alone.
    WriteFault full;
    full.failAfterBytes = 10;
    EXPECT_FALSE(ExportSpreadsheet(state, ui, dir.File("lista.csv"), full));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0].rfind("Cannot create file \"" + dir.File("lista.csv") + "\". ", 0), 0u);
    EXPECT_NE(ReadBytes(dir.File("lista.csv")).find("Łódź"), std::string::npos);
}

} // namespace
} // namespace korv
