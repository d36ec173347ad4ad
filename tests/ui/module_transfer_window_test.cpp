// The push panels and the close box run the transfers against the simulated module; the
// window's cable port is swapped for one over the simulator on a virtual clock.
#include "link/cable_driver.h"
#include "link/clock.h"
#include "support/temp_folder.h"
#include "ui/push_panel.h"
#include "window_fixture.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <fstream>

namespace korv::test {
namespace {

class TransferWindowTest : public WindowTest {
protected:
    ui::TMain& StartOnSimulator(const std::string& moduleLines) {
        std::ofstream(folder.Path() / "sim.ini")
            << "[module]\nmemory=" << (folder.Path() / "m.bin").string() << "\n"
            << moduleLines << "\n";
        setenv("KORV_SIM_CONFIG", (folder.Path() / "sim.ini").c_str(), 1);
        ui::TMain& w = Start();
        std::string why;
        auto driver = link::LoadVendorLibrary(KORV_SIM_LIBRARY, &why);
        EXPECT_TRUE(driver) << why;
        w.BEXFTDI = std::make_unique<link::TBEXFTDI>(clock, std::move(driver));
        w.TimerCheckTimer();
        EXPECT_TRUE(w.state().PasswordAccepted);
        return w;
    }
    void TearDown() override {
        WindowTest::TearDown();
        unsetenv("KORV_SIM_CONFIG");
    }
    static void Press(ui::PushPanel* panel) { QTest::mouseClick(panel->label(), Qt::LeftButton); }
    // Answers the next message box with the button, recording its text and details.
    void Answer(QMessageBox::StandardButton button) {
        WhenModal([this, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                ADD_FAILURE() << "not a message box";
                modal->close();
                return;
            }
            shown << box->text();
            details << box->detailedText();
            if (QAbstractButton* b = box->button(button))
                b->click();
            else {
                ADD_FAILURE() << "the box lacks the button";
                box->reject();
            }
        });
    }

    TempFolder folder;
    link::VirtualClock clock{1000};
    QStringList shown, details;
};

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
