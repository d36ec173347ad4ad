#include "commands/file_commands.h"
#include "commands/unsaved_changes.h"
#include "files/file_bytes.h"

#include "i18n/catalogue.h"
#include "support/card_files_fixture.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace korv {
namespace {

using test::ReadBytes;
using test::ScriptedUi;
using test::TempFolder;
using test::WriteBytes;

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override { SetLanguageIndex(English); }

    bool Enabled(MenuItem item) const { return ui.menu.count(item) && ui.menu.at(item); }
    void ExpectEndSteps() const {
        EXPECT_TRUE(Enabled(MenuItem::Save));
        EXPECT_TRUE(Enabled(MenuItem::Append));
        EXPECT_EQ(ui.apartment, 0);
        EXPECT_EQ(ui.events.back(), "SetApartment");
    }
    std::string Add(const std::string& name, const std::string& bytes) {
        WriteBytes(dir.File(name), bytes);
        return dir.File(name);
    }

    TempFolder dir;
    AppState state;
    ScriptedUi ui;
};

TEST_F(FileCommands, NewEmptiesTheRegisterAndForgetsThePath) {
    state.tablica = test::WorkedExampleRegister();
    MarkRegisterSaved(state); // as a file held it
    state.Sciezka = "/x/cards.zel";
    state.NeedSave = false;
    NewRegister({state, ui, ui});
    EXPECT_EQ(state.tablica.CardCount(), 0);
    EXPECT_EQ(state.tablica.Cell(1, 5).wybierany, "");
    EXPECT_EQ(state.Sciezka, "");
    EXPECT_EQ(ui.titles, std::vector<std::string>{"ZEL v7.2"});
    EXPECT_EQ(ui.refreshes, 1);
    EXPECT_FALSE(state.NeedSave);
    EXPECT_TRUE(ui.menu.empty());
}

TEST_F(FileCommands, OpenNamesTheWindowFirst) {
    const std::string name = Add("cards.zel", test::kWorkedExampleFile);
    ui.openNames.push_back(name);
    OpenCardFile({state, ui, ui});
    EXPECT_EQ(ui.askedFilters,
              std::vector<std::string>{"Module ZEL (*.zel)|*.zel|Text files (*.txt)|*.txt|"
                                       "All files (*.*)|*.*"});
    EXPECT_EQ(state.Sciezka, name);
    EXPECT_EQ(ui.titles, std::vector<std::string>{"ZEL - " + name});
    EXPECT_EQ(state.tablica.CardCount(), 3);
    EXPECT_TRUE(state.NeedSave);
    EXPECT_EQ(ui.events,
              (std::vector<std::string>{"AskOpenFileName", "SetWindowTitle", "ShowCurrentApartment",
                                        "RefreshViews", "SetApartment"}));
    EXPECT_TRUE(Enabled(MenuItem::Save));
    EXPECT_TRUE(Enabled(MenuItem::Append));
    // The captions follow the language, the patterns stay.
    SetLanguageIndex(Polish);
    AddCardFile({state, ui, ui}); // cancelled
    EXPECT_EQ(ui.askedFilters.back(), "Moduł ZEL (*.zel)|*.zel|Pliki tekstowe (*.txt)|*.txt|"
                                      "Wszystkie pliki (*.*)|*.*");
}

TEST_F(FileCommands, OpenCancelledDoesNothing) {
    OpenCardFile({state, ui, ui});
    EXPECT_EQ(ui.events, (std::vector<std::string>{"AskOpenFileName"}));
    EXPECT_FALSE(state.NeedSave);
}

TEST_F(FileCommands, OpenOfANonCardFileStillRenamesTheWindowAndSaveWritesIntoIt) {
    state.tablica = test::WorkedExampleRegister();
    const std::string name = Add("notes.txt", "shopping list\r\n");
    OpenCardFile({state, ui, ui}, name);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Wrong file!"});
    EXPECT_EQ(state.tablica.CardCount(), 3);
    EXPECT_FALSE(state.NeedSave);
    EXPECT_EQ(state.Sciezka, name);
    ExpectEndSteps();

    ui.boxAnswers.push_back(IdYes);
    SaveCardFile({state, ui, ui});
    EXPECT_EQ(ReadBytes(name), test::kWorkedExampleFile);
}

TEST_F(FileCommands, OpenRefusesEmptyAndOversizedFiles) {
    for (const auto& [file, bytes] : {std::pair<std::string, std::string>{"empty", ""},
                                      {"big", "RUF-KARTYv9\r\n" + std::string(999988, ' ')}}) {
        ScriptedUi fresh;
        OpenCardFile({state, fresh, fresh}, Add(file, bytes));
        EXPECT_EQ(fresh.messages, std::vector<std::string>{"Wrong file!"}) << file;
    }
    EXPECT_EQ(ReadBytes(dir.File("big")).size(), 1000001u);
}

TEST_F(FileCommands, OpenErrorIsReportedAndTheEndStepsStillRun) {
    state.tablica = test::WorkedExampleRegister();
    const std::string name = dir.File("gone.zel");
    OpenCardFile({state, ui, ui}, name);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "Cannot open file \"" + name + "\". " + MissingFileText());
    EXPECT_EQ(state.tablica.CardCount(), 3);
    EXPECT_EQ(state.Sciezka, name);
    ExpectEndSteps();
}

TEST_F(FileCommands, OpenOfAnOlderFileUsesZoneOneAndChecksItsSize) {
    state.tablica.Cell(3, 3).wybierany = "33";
    OpenCardFile({state, ui, ui}, Add("old.zel", test::Version2File({"5;6"}, 3327)));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Wrong file_v2!"});
    EXPECT_FALSE(state.NeedSave);
    EXPECT_EQ(state.tablica.Cell(3, 3).wybierany, "33");
    ExpectEndSteps();

    OpenCardFile({state, ui, ui}, Add("old2.zel", test::Version2File({"5;6"}, 3328)));
    EXPECT_EQ(state.tablica.Cell(1, 0).lista.size(), 2u);
    EXPECT_EQ(state.tablica.Cell(3, 3).wybierany, "");
    EXPECT_TRUE(state.NeedSave);
    EXPECT_TRUE(ui.zones.empty());
}

TEST_F(FileCommands, AppendAsksBeforeLookingAtLineOne) {
    const std::string name = Add("notes.txt", "not a card file");
    state.Sciezka = "/kept.zel";
    ui.boxAnswers.push_back(IdYes);
    ui.openNames.push_back(name);
    AddCardFile({state, ui, ui});
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Are you sure to save this file?");
    EXPECT_EQ(ui.boxes[0].caption, "File is being added");
    EXPECT_EQ(ui.boxes[0].flags, 292);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Wrong file!"});
    EXPECT_EQ(ui.events, (std::vector<std::string>{"AskOpenFileName", "MessageBox", "ShowMessage",
                                                   "SetApartment"}));
    EXPECT_EQ(state.Sciezka, "/kept.zel");
    EXPECT_TRUE(ui.titles.empty());
    EXPECT_FALSE(state.NeedSave);
}

TEST_F(FileCommands, AppendAnsweredNoOnlyRunsTheEndSteps) {
    AddCardFile({state, ui, ui}, Add("cards.zel", test::kWorkedExampleFile));
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(state.tablica.CardCount(), 0);
    EXPECT_FALSE(state.NeedSave);
    EXPECT_EQ(ui.refreshes, 0);
    ExpectEndSteps();
}

TEST_F(FileCommands, AppendOfAnEmptyFileRefusesWithoutAsking) {
    AddCardFile({state, ui, ui}, Add("empty.zel", ""));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Wrong file!"});
    ExpectEndSteps();
}

TEST_F(FileCommands, AppendConflictShowsTheFourLineMessageAndAddsNothing) {
    state.tablica.AddCard(2, 12, {"1234567", false, ""});
    state.tablica.Cell(1, 5).wybierany = "1";
    ui.boxAnswers.push_back(IdYes);
    AddCardFile({state, ui, ui}, Add("cards.zel", test::kWorkedExampleFile));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, "Card: 1234567 exists:\r\n"
                                "- loc. 5 in added file\r\n"
                                "- loc. 12 in the system (destination file)\r\n"
                                "Remov card from one of these two locations");
    EXPECT_EQ(ui.boxes[1].caption, "Adding cards from file operation failed!");
    EXPECT_EQ(ui.boxes[1].flags, 48);
    EXPECT_EQ(state.tablica.CardCount(), 1);
    EXPECT_EQ(state.tablica.Cell(1, 5).wybierany, "1");
    EXPECT_TRUE(state.NeedSave);
    EXPECT_EQ(ui.refreshes, 1);
    ExpectEndSteps();
}

TEST_F(FileCommands, AppendOverCapacityShowsMessage195) {
    test::FillRegister(state.tablica, 6142);
    ui.boxAnswers.push_back(IdYes);
    AddCardFile({state, ui, ui}, Add("cards.zel", test::kWorkedExampleFile));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, "There can't be more then 6144 cards in the module!");
    EXPECT_EQ(ui.boxes[1].caption, "Adding cards from file");
    EXPECT_EQ(ui.boxes[1].flags, 48);
    EXPECT_EQ(state.tablica.CardCount(), 6142);
    EXPECT_TRUE(state.NeedSave);

    ui.boxAnswers.push_back(IdYes);
    state.tablica.DeleteCard(1, 0, 0);
    AddCardFile({state, ui, ui}, dir.File("cards.zel"));
    EXPECT_EQ(state.tablica.CardCount(), MaxCards);
    EXPECT_EQ(state.tablica.Cell(1, 5).wybierany, ""); // numbers to dial are never merged
}

TEST_F(FileCommands, AppendOfAnOlderFileAsksForTheZone) {
    const std::string name = Add("old.zel", test::Version2File({"", "11;12"}, 4000));
    ui.boxAnswers = {IdYes};
    AddCardFile({state, ui, ui}, name); // zone chooser cancelled
    EXPECT_EQ(state.tablica.CardCount(), 0);
    EXPECT_FALSE(state.NeedSave);
    EXPECT_EQ(ui.refreshes, 0);
    ExpectEndSteps();

    ui.boxAnswers = {IdYes};
    ui.zones = {3};
    AddCardFile({state, ui, ui}, name);
    EXPECT_EQ(state.tablica.Cell(3, 1).lista.size(), 2u);
    EXPECT_TRUE(state.NeedSave);

    ui.boxAnswers = {IdYes};
    ui.zones = {4};
    AddCardFile({state, ui, ui}, name);
    EXPECT_EQ(ui.boxes.back().text, "There is a card in the file that has a number already used!");
    EXPECT_EQ(ui.boxes.back().caption, "Adding cards from file");
    EXPECT_EQ(ui.boxes.back().flags, 48);
    EXPECT_EQ(state.tablica.CardCount(), 2);

    ScriptedUi sizeUi;
    sizeUi.boxAnswers = {IdYes};
    AddCardFile({state, sizeUi, sizeUi}, Add("short.zel", test::Version2File({"1"}, 3327)));
    EXPECT_EQ(sizeUi.messages, std::vector<std::string>{"Wrong file_v2!"});
    EXPECT_EQ(std::count(sizeUi.events.begin(), sizeUi.events.end(), "AskZone"), 0);
}

TEST_F(FileCommands, OpenAndAppendSayLastHowManyCardLinesWereLeftOut) {
    const std::string english = "Lines of the file were left out (a zone outside 1..4 or an "
                                "apartment outside 0..255): 2.";
    const std::string polish = "Pominięto wiersze pliku (strefa spoza 1..4 albo lokal spoza "
                               "0..255): ";
    const std::string name = Add("bad.zel", test::Version9File({"0;1;5;0;=", "1;1;6;0;=", "x"}));
    OpenCardFile({state, ui, ui}, name);
    EXPECT_EQ(state.tablica.CardCount(), 1);
    EXPECT_EQ(ui.messages, std::vector<std::string>{english});
    EXPECT_EQ(ui.events.back(), "ShowMessage");
    EXPECT_EQ(ui.events.end()[-2], "SetApartment");

    // Refused: nothing was added, and the refusal alone is said.
    ui.boxAnswers = {IdYes};
    AddCardFile({state, ui, ui}, name);
    EXPECT_EQ(ui.messages, std::vector<std::string>{english});
    EXPECT_EQ(ui.boxes.back().caption, "Adding cards from file operation failed!");

    SetLanguageIndex(Polish);
    state.tablica.ClearCards();
    ui.boxAnswers = {IdYes};
    AddCardFile({state, ui, ui}, name);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{english, polish + "2."}));
    EXPECT_EQ(ui.events.back(), "ShowMessage");

    // A one-zone file has no apartment after 255.
    ScriptedUi oldUi;
    OpenCardFile({state, oldUi, oldUi},
                 Add("old.zel", test::Version2File({}, 0) + "7;8\r\n" + std::string(2800, ' ')));
    EXPECT_EQ(oldUi.messages, std::vector<std::string>{polish + "1."});
}

TEST_F(FileCommands, SaveAsksFirstAndEnablesAppendOnlyWhenWritten) {
    state.tablica = test::WorkedExampleRegister();
    state.Sciezka = dir.File("out.zel");
    SaveCardFile({state, ui, ui}); // answered No
    EXPECT_EQ(ui.boxes.at(0).text, "All settings will be overwritten. Continue?");
    EXPECT_EQ(ui.boxes.at(0).caption, "Device reset");
    EXPECT_EQ(ui.boxes.at(0).flags, 292);
    EXPECT_FALSE(std::filesystem::exists(state.Sciezka));
    EXPECT_TRUE(ui.menu.empty());

    ui.boxAnswers.push_back(IdYes);
    SaveCardFile({state, ui, ui});
    EXPECT_EQ(ReadBytes(state.Sciezka), test::kWorkedExampleFile);
    EXPECT_TRUE(Enabled(MenuItem::Append));
    EXPECT_FALSE(state.NeedSave);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(FileCommands, SaveAfterNewReportsTheErrorAndWritesNothing) {
    ui.boxAnswers.push_back(IdYes);
    SaveCardFile({state, ui, ui});
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Cannot create file \"\". " + MissingFileText()});
    EXPECT_FALSE(Enabled(MenuItem::Append));
}

TEST_F(FileCommands, FailedSaveLeavesThePreviousFileIntact) {
    state.Sciezka = Add("cards.zel", test::kWorkedExampleFile);
    test::FillRegister(state.tablica, 2000);
    EXPECT_FALSE(WriteCurrentFile({state, ui, ui}, WriteFault{4096, false}));
    EXPECT_EQ(ReadBytes(state.Sciezka), test::kWorkedExampleFile);
    EXPECT_EQ(dir.EntryCount(), 1);
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Cannot create file \"" + state.Sciezka + "\". " +
                                                  DiskFullText()});
    EXPECT_FALSE(Enabled(MenuItem::Append));
}

TEST_F(FileCommands, ASaveThatWouldPassTheReadersLimitIsRefusedInTheWindowsLanguage) {
    state.Sciezka = Add("cards.zel", test::kWorkedExampleFile);
    state.tablica = test::OverSizeRegister();
    for (int language : {Polish, English}) {
        SetLanguageIndex(language);
        EXPECT_FALSE(WriteCurrentFile({state, ui, ui}));
    }
    SetLanguageIndex(English);
    ASSERT_EQ(ui.errors.size(), 2u);
    EXPECT_NE(ui.errors[0].find("najwyżej 1 000 000 bajtów"), std::string::npos) << ui.errors[0];
    EXPECT_NE(ui.errors[1].find("at most 1,000,000 bytes. Nothing was saved."), std::string::npos);
    EXPECT_EQ(ReadBytes(state.Sciezka), test::kWorkedExampleFile);
}

TEST_F(FileCommands, SaveAsAsksBeforeReplacingTheFileItWritesAndNoWritesNothing) {
    state.tablica = test::WorkedExampleRegister();
    state.Sciezka = "/before.zel";
    const std::string bare = dir.File("rejestr1");
    WriteBytes(bare + ".zel", "two cards");
    ui.saveNames = {bare, bare, dir.File("plan.txt")};
    SaveCardFileAs({state, ui, ui}); // answered No
    EXPECT_EQ(ui.askedExtensions, std::vector<std::string>{"zel"});
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              "The file " + bare + ".zel already exists. Do you want to replace it?");
    EXPECT_EQ(ui.boxes[0].caption, "Save as");
    EXPECT_EQ(ui.boxes[0].flags, MbYesNoDefaultNo);
    EXPECT_EQ(ReadBytes(bare + ".zel"), "two cards");
    EXPECT_EQ(state.Sciezka, "/before.zel");
    EXPECT_TRUE(ui.titles.empty());
    EXPECT_TRUE(ui.menu.empty());

    SetLanguageIndex(Polish);
    ui.boxAnswers = {IdYes};
    SaveCardFileAs({state, ui, ui});
    EXPECT_EQ(ui.boxes.back().text, "Plik " + bare + ".zel już istnieje. Czy zastąpić go?");
    EXPECT_EQ(state.Sciezka, bare + ".zel");
    EXPECT_EQ(ui.titles, std::vector<std::string>{"ZEL - " + bare + ".zel"});
    EXPECT_EQ(ReadBytes(bare + ".zel"), test::kWorkedExampleFile);
    EXPECT_FALSE(std::filesystem::exists(bare));

    // A name with an extension keeps it; nothing is there, so nothing is asked.
    SaveCardFileAs({state, ui, ui});
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ReadBytes(dir.File("plan.txt")), test::kWorkedExampleFile);
    // A language whose slot holds a placeholder still offers card files.
    EXPECT_EQ(SaveDialogFilter(3), "Module ZEL (*.zel)|*.zel");
}

TEST_F(FileCommands, TheDialogsFolderIsTheLastChosenAndOutlivesTheRun) {
    const std::string settings = dir.File("korv.ini"), site = dir.File("site");
    WriteBytes(settings, "[ZEL v7]\r\nJezyk=0\r\n");
    std::filesystem::create_directory(site);
    FileFolder folder, unwritable;
    EXPECT_EQ(folder.Start(settings), "");
    folder.Keep(settings, site + "/new.zel");
    folder.Keep(settings, dir.File("nowhere/x.zel")); // no such folder: ignored
    EXPECT_EQ(folder.Start(settings), site);
    EXPECT_EQ(ReadBytes(settings), "[ZEL v7]\r\nJezyk=0\r\nOstatniFolder=" + site + "\r\n");
    EXPECT_EQ(FileFolder().Start(settings), site); // the next run

    unwritable.Keep(dir.File("missing/korv.ini"), site + "/a.zel");
    EXPECT_EQ(unwritable.Start(dir.File("missing/korv.ini")), site);

    std::filesystem::remove_all(site);
    EXPECT_EQ(folder.Start(settings), "");
}

TEST(ConflictMessage, PolishText) {
    const MergeConflict c{"9", {1, 3}, {2, 4}};
    EXPECT_EQ(ConflictMessageText(c, Polish), "Karta: 9 znajduje się jednocześnie w:\r\n"
                                              "- lok. 3 pliku dopisywanego\r\n"
                                              "- lok. 4 pliku docelowego (systemu)\r\n"
                                              "Usuń kartę w jednym z dwóch miejsc.");
}

} // namespace
} // namespace korv

namespace korv {
namespace {

class UnsavedWork : public ::testing::Test {
protected:
    void SetUp() override { SetLanguageIndex(English); }
    // Counts the questions about unsaved work among the boxes shown.
    int Asked() const {
        return static_cast<int>(std::count_if(ui.boxes.begin(), ui.boxes.end(), [](auto& b) {
            return b.caption == "ZEL - unsaved changes";
        }));
    }
    test::TempFolder dir;
    AppState state;
    test::ScriptedUi ui;
};

TEST_F(UnsavedWork, NewAsksOnlyForWorkNowhereElseAndDoesWhatTheAnswerSays) {
    NewRegister({state, ui, ui}); // nothing to lose at start-up
    EXPECT_EQ(Asked(), 0);

    state.tablica.AddCard(1, 3, {"77", false, ""});
    state.NeedSave = true;
    ui.boxAnswers = {IdCancel};
    NewRegister({state, ui, ui});
    EXPECT_EQ(Asked(), 1);
    EXPECT_EQ(state.tablica.CardCount(), 1); // went back

    // Yes without a file name: Save as; declined there, the register stays and New does not run.
    ui.boxAnswers = {IdYes};
    ui.saveNames = {std::nullopt};
    NewRegister({state, ui, ui});
    EXPECT_EQ(state.tablica.CardCount(), 1);

    // Yes and a name: saved, then New goes on; the file holds the card.
    ui.boxAnswers = {IdYes};
    ui.saveNames = {dir.File("kept.zel")};
    NewRegister({state, ui, ui});
    EXPECT_EQ(state.tablica.CardCount(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.File("kept.zel")));

    // Sent to a module (NeedSave off): the cards are not lost, but a number to dial only a file
    // keeps still is; a read, which keeps the numbers to dial, does not ask for it.
    state.tablica.AddCard(2, 4, {"78", false, ""});
    state.NeedSave = false;
    EXPECT_FALSE(WorkWouldBeLost(state));
    state.tablica.Cell(2, 4).wybierany = "204";
    EXPECT_TRUE(WorkWouldBeLost(state));
    EXPECT_FALSE(WorkWouldBeLost(state, Discards::Cards));
    ui.boxAnswers = {IdNo}; // given up
    const int before = Asked();
    NewRegister({state, ui, ui});
    EXPECT_EQ(Asked(), before + 1);
    EXPECT_EQ(state.tablica.Cell(2, 4).wybierany, "");

    // Opening a file makes its register the saved one: closing afterwards asks nothing.
    ui.openNames = {dir.File("kept.zel")};
    OpenCardFile({state, ui, ui});
    EXPECT_EQ(state.tablica.CardCount(), 1);
    EXPECT_TRUE(state.NeedSave); // not in the module yet, but in the file
    EXPECT_FALSE(WorkWouldBeLost(state));
}

} // namespace
} // namespace korv
