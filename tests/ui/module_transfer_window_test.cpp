// The push panels and the close box run the transfers against the simulated module; the
// window's cable port is swapped for one over the simulator on a virtual clock.
#include "sim_window_fixture.h"
#include "ui/push_panel.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

namespace korv::test {
namespace {

using TransferWindowTest = SimWindowTest;

TEST_F(TransferWindowTest, PanelsReadVerifyAndTheCloseBoxOffersToSendChanges) {
    ui::TMain& w = StartOnSimulator("kind=F\nimage_cards=1/0/41,1/0/42,2/7/99");
    w.state().tablica.Cell(1, 0).wybierany = "12";
    Press(w.Panel1b);
    EXPECT_EQ(w.state().tablica.CardCount(), 3);
    EXPECT_EQ(w.state().tablica.Cell(1, 0).wybierany, "12");
    EXPECT_FALSE(w.Button_zmien->isEnabled());
    EXPECT_FALSE(w.PBar1->isVisible());

    // Another number in apartment 7 of zone 2: verify names both sides in its details.
    w.state().tablica.Cell(2, 7).lista[0].numer = "98";
    Answer(QMessageBox::Ok);
    Press(w.Panel3b);
    EXPECT_EQ(shown.value(0), "There are differencies for 1 card!");
    EXPECT_TRUE(details.value(0).contains("zone 2, apartment 7, card 99, B1 0: only in the module"))
        << details.value(0).toStdString();

    // Unsent changes with a module there: Cancel keeps the window, Yes writes and closes.
    w.state().NeedSave = true;
    Answer(QMessageBox::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(shown.value(1), Msg(130));
    Answer(QMessageBox::Yes);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.state().NeedSave);
    Answer(QMessageBox::Ok);
    Press(w.Panel3b);
    EXPECT_EQ(shown.value(3), "Verification succeeded!");
}

} // namespace
} // namespace korv::test
