#include "ui/widgets/apartment_box.h"
#include "ui/widgets/apartment_grid.h"
#include "ui/widgets/push_panel.h"
#include "window_fixture.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

using namespace korv;
using korv::test::WindowTest;

TEST_F(WindowTest, StartsEmptyInZoneOneApartmentZeroWithModuleControlsOff) {
    ui::TMain& w = Start();
    EXPECT_EQ(w.windowTitle(), "ZEL v7.4");
    EXPECT_EQ(w.centralWidget()->size(), QSize(868, 625));
    EXPECT_EQ(w.state().tablica.CardCount(), 0);
    EXPECT_EQ(w.state().CurrentZone, 1);
    EXPECT_EQ(w.state().CurrentApartment, 0);
    EXPECT_FALSE(w.state().NeedSave);
    EXPECT_FALSE(w.runner().Busy());
    EXPECT_FALSE(w.state().AutoReadAdd);
    EXPECT_EQ(w.SpinEdit1->value(), 0);

    for (int a = 0; a < 256; ++a) {
        const int c = a % 10 + 1, r = a / 10 + 1;
        ASSERT_EQ(w.Grid->cellText(c, r), "0") << a;
    }
    for (int c = 7; c <= 10; ++c)
        EXPECT_EQ(w.Grid->cellText(c, 26), "");
    EXPECT_EQ(w.Grid->cellText(0, 26), "250");
    EXPECT_EQ(w.Grid->cellText(10, 0), "9");
    // parked on the dead cell so no apartment looks selected
    EXPECT_EQ(w.Grid->selectedColumn(), 10);
    EXPECT_EQ(w.Grid->selectedRow(), 26);

    EXPECT_EQ(w.LabelSuma->text(), Msg(70));
    EXPECT_EQ(w.LabelPolacz->text(), Msg(30));
    EXPECT_FALSE(w.Button_Znajdz->isEnabled());
    EXPECT_FALSE(w.Button_zmien->isEnabled());
    EXPECT_FALSE(w.Button_Kasuj1->isEnabled());
    for (ui::PushPanel* p : {w.Panel1b, w.Panel2b, w.Panel3b}) {
        EXPECT_FALSE(p->isEnabled());
        EXPECT_EQ(p->label()->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    }
    EXPECT_FALSE(w.GroupBox_ustawienia_mini->isVisible());
    EXPECT_FALSE(w.PBar1->isVisible());
    EXPECT_EQ(w.Edit_haslo->text(), "5172");
    EXPECT_FALSE(w.Edit_haslo->isEnabled());
    EXPECT_TRUE(w.Nowy1->isEnabled());
    for (QAction* a : {w.Otwrz1, w.Dopisz_plik, w.Zapisz1, w.Zapiszjako1})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(w.Zapiszjako1->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(w.Wyjcie1->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_TRUE(w.TimerCheck->isActive());
    EXPECT_EQ(w.TimerCheck->interval(), 1000);

    // first run: English, the English item checked, the file written
    EXPECT_EQ(LanguageIndex(), English);
    EXPECT_TRUE(w.JezykItems[English]->isChecked());
    EXPECT_FALSE(w.JezykItems[Polish]->isChecked());
    EXPECT_EQ(settingsText(), "[ZEL v7]\nJezyk=1\n");
}

TEST_F(WindowTest, GarbageSettingsStartInEnglishAndAreRewritten) {
    Start(QByteArray("\x00\xff\xfe[ZEL v7]\nJezyk=zzz\n", 20));
    EXPECT_EQ(LanguageIndex(), English);
    EXPECT_EQ(window->Plik1->title(), "File");
    EXPECT_TRUE(settingsText().contains("[ZEL v7]\nJezyk=1\n"));
}

TEST_F(WindowTest, EveryTickOpensTheFileMenu) {
    ui::TMain& w = Start();
    EXPECT_FALSE(w.Otwrz1->isEnabled());
    Tick(w);
    EXPECT_TRUE(w.Otwrz1->isEnabled());
    EXPECT_TRUE(w.Zapiszjako1->isEnabled());
    EXPECT_FALSE(w.Dopisz_plik->isEnabled());
    EXPECT_FALSE(w.Zapisz1->isEnabled());
    EXPECT_FALSE(w.runner().Busy());
}

TEST_F(WindowTest, ClosingThroughTheMenuStopsTheMonitor) {
    ui::TMain& w = Start();
    ASSERT_TRUE(w.TimerCheck->isActive());
    w.Wyjcie1->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(w.TimerCheck->isActive());
    EXPECT_FALSE(w.isVisible());
}

TEST_F(WindowTest, ProgressDisplayShowsAndHides) {
    ui::TMain& w = Start();
    w.ShowProgress(3, 12, "Module is being read ... (25%)");
    EXPECT_TRUE(w.PBar1->isVisible());
    EXPECT_EQ(w.PBar1->maximum(), 12);
    EXPECT_EQ(w.PBar1->value(), 3);
    EXPECT_EQ(w.LabelProgres->text(), "Module is being read ... (25%)");
    w.HideProgress();
    EXPECT_FALSE(w.PBar1->isVisible());
    EXPECT_EQ(w.LabelProgres->text(), "");
}

TEST_F(WindowTest, ThePortObjectExistsFromStartUpButTheCableStaysClosed) {
    ui::TMain& w = Start();
    ASSERT_NE(w.BEXFTDI, nullptr);
    EXPECT_FALSE(w.BEXFTDI->Opened());
    EXPECT_FALSE(w.state().connection.polaczony());
}
