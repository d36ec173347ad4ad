// The window's questions before work is thrown away, asked where work would be lost and not
// otherwise, and the password panel that, once cancelled, leaves the window usable.
#include "i18n/own_texts.h"
#include "sim_window_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace korv::test {
namespace {

using UnsavedWorkWindowTest = SimWindowTest;

TEST_F(UnsavedWorkWindowTest, NewAndReadAskOnlyWhereWorkWouldBeLost) {
    ui::TMain& w = StartOnSimulator("kind=F\nimage_cards=1/0/41,1/0/42,2/7/99");
    QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier); // nothing to lose: no question
    QApplication::processEvents();

    w.state().tablica.AddCard(3, 3, {"5", false, "typed"});
    w.state().NeedSave = true;
    w.RefreshViews();
    Answer(QMessageBox::Cancel);
    QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].toStdString(), OwnText(OwnTextName::UnsavedChangesQuestion, English));
    EXPECT_EQ(w.state().tablica.CardCount(), 1); // went back

    Answer(QMessageBox::No); // Read: the same question; given up, the module's cards come
    Press(w.Panel1b);
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(w.state().tablica.CardCount(), 3);

    // Nothing typed since: the cards are the module's own, New asks nothing.
    w.state().NeedSave = false;
    EXPECT_TRUE(w.Nowy1->isEnabled());
    w.Nowy1->trigger(); // the offscreen platform gives no window the focus back after a box

    QApplication::processEvents();
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(w.state().tablica.CardCount(), 0);
}

TEST_F(UnsavedWorkWindowTest, ACancelledPasswordPanelLeavesTheWindowUsable) {
    std::ofstream(folder.Path() / "sim.ini")
        << "[module]\nkind=F\npassword=0042\nmemory=" << (folder.Path() / "m.bin").string() << "\n";
    setenv("KORV_SIM_CONFIG", (folder.Path() / "sim.ini").c_str(), 1);
    ui::TMain& w = Start();
    w.UsePort(std::make_unique<link::TBEXFTDI>(clock, link::LoadVendorLibrary(KORV_SIM_LIBRARY)));
    int panels = 0;
    const auto cancelPanel = [&] {
        WhenModal([&](QWidget* panel) {
            ++panels;
            static_cast<QDialog*>(panel)->reject();
        });
    };
    cancelPanel();
    Tick(w);
    Tick(w);
    Tick(w);
    EXPECT_EQ(panels, 1); // not back every second
    EXPECT_EQ(w.LabelPolacz->text().toStdString(), OwnText(OwnTextName::PasswordRefused, English));
    EXPECT_FALSE(w.Modul_ZEL->isEnabled());
    EXPECT_TRUE(w.Zapiszjako1->isEnabled());

    // A click in the password box brings the panel back.
    cancelPanel();
    QTest::mouseClick(w.Edit_haslo, Qt::LeftButton);
    Settle(w);
    EXPECT_EQ(panels, 2);

    // Closing works as usual: nothing to lose, so no question, and the window goes.
    w.Wyjcie1->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 5000));
}

} // namespace
} // namespace korv::test
