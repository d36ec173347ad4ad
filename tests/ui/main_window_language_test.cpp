#include "window_fixture.h"

#include "i18n/own_texts.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

using namespace korv;
using korv::test::WindowTest;

TEST_F(WindowTest, SwitchingToPolishRewritesCaptionsAndTheSettingsFile) {
    ui::TMain& w = Start();
    for (int i = 0; i < 5; ++i)
        w.state().tablica.AddCard(1, i, {std::to_string(i), false, ""});
    w.RefreshViews();
    w.JezykItems[Polish]->trigger();
    EXPECT_EQ(LanguageIndex(), Polish);
    EXPECT_TRUE(w.JezykItems[Polish]->isChecked());
    EXPECT_FALSE(w.JezykItems[English]->isChecked());
    EXPECT_EQ(w.LabelSuma->text(), "W systemie jest 5 kart");
    EXPECT_EQ(w.Plik1->title(), "Plik");
    EXPECT_EQ(w.Modul_ZEL->title(), "Obsługa modułu  ZEL");
    EXPECT_EQ(w.RadioGroup1Items[3]->text(), "Strefa 4");
    EXPECT_EQ(w.ListView1->headerItem()->text(2), "Opis");
    EXPECT_EQ(w.LabelPolacz->text(), "Brak połączenia z modułem!");
    EXPECT_EQ(w.windowTitle(), "ZEL v7.4"); // not touched by the language
    EXPECT_EQ(settingsText(), "[ZEL v7]\nJezyk=0\n");

    w.state().tablica.DeleteCard(1, 0, 0);
    w.state().tablica.DeleteCard(1, 1, 0);
    w.RefreshViews();
    EXPECT_EQ(w.LabelSuma->text(), "W systemie są 3 karty");

    // connected: the connection text follows the language, the module name stays
    w.state().connection.ConnectionMessage = 31;
    w.state().connection.ModuleName = "ZEL F";
    w.JezykItems[English]->trigger();
    EXPECT_EQ(w.LabelPolacz->text(), "Connected with module ZEL F");
    EXPECT_EQ(settingsText(), "[ZEL v7]\nJezyk=1\n");

    // What the label says beside the message slot follows the language too: a cable another
    // program holds, and a password the module refused and the person did not retype.
    auto& found = w.state().connection;
    found.view.outcome = LinkOutcome::NoCable;
    found.view.cableInUse = true;
    found.ConnectionMessage = 30;
    w.JezykItems[Polish]->trigger();
    EXPECT_EQ(w.LabelPolacz->text(),
              QString::fromStdString(OwnText(OwnTextName::CableInUse, Polish)));
    found.view.cableInUse = false;
    found.view.outcome = LinkOutcome::CurrentModule;
    found.ConnectionMessage = 31;
    found.passwordCheck = PasswordCheck::Refused;
    found.passwordEntryDeclined = true;
    w.JezykItems[English]->trigger();
    EXPECT_EQ(w.LabelPolacz->text(), "Password refused - click the password box");
}

TEST_F(WindowTest, HiddenLanguagesComeOnlyFromTheSettingsFile) {
    ui::TMain& w = Start("[ZEL v7]\nJezyk=2\n");
    EXPECT_EQ(w.Plik1->title(), "?0");
    EXPECT_EQ(w.PageControl2->tabText(0), "ZEL v7.3a ");
    EXPECT_EQ(w.LabelSuma->text(), "?70");
    EXPECT_EQ(w.RadioGroup1Items[0]->text(), "?85 1");
    EXPECT_TRUE(w.JezykItems[German]->isChecked());
    EXPECT_FALSE(w.JezykItems[English]->isChecked());
    for (int l : {German, Russian, Czech, Slovak})
        EXPECT_FALSE(w.JezykItems[l]->isVisible()) << l;
    EXPECT_TRUE(w.JezykItems[Polish]->isVisible());
    // the menu order: English, Czech, German, Polish, Russian, Slovak
    const auto actions = w.Jezyk->actions();
    ASSERT_EQ(actions.size(), 6);
    EXPECT_EQ(actions[0]->objectName(), "Jezyk1");
    EXPECT_EQ(actions[1]->objectName(), "Jezyk4");
    EXPECT_EQ(actions[3]->objectName(), "Jezyk0");
    EXPECT_EQ(actions[5]->objectName(), "Jezyk5");
}

TEST_F(WindowTest, SlovakStartsFromTheSettingsFile) {
    ui::TMain& w = Start("[ZEL v7]\nJezyk=5\n");
    EXPECT_EQ(w.PageControl2->tabText(0), "Nastavenie ");
    EXPECT_EQ(w.Plik1->title(), "Súbor");
    EXPECT_EQ(w.Button_zmien->text(), "?81");
}

TEST_F(WindowTest, AutomaticReadSwitchesTheAddCaption) {
    ui::TMain& w = Start();
    EXPECT_EQ(w.Button_dodaj->text(), "Add");
    w.CheckBox_auto->setChecked(true);
    EXPECT_EQ(w.Button_dodaj->text(), "Automatic read and add card");
    w.JezykItems[Polish]->trigger();
    EXPECT_EQ(w.Button_dodaj->text(), "Automatyczne czytaj i dodaj kartę");
}
