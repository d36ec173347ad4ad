// A main window whose cable port is swapped for one over the simulator library on a virtual
// clock, so commands that talk to the module run at once and the same every time.
#pragma once

#include "link/cable_driver.h"
#include "link/clock.h"
#include "support/temp_folder.h"
#include "ui/widgets/push_panel.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <cstdlib>
#include <fstream>

namespace korv::test {

class SimWindowTest : public WindowTest {
protected:
    ui::TMain& StartOnSimulator(const std::string& moduleLines) {
        std::ofstream(folder.Path() / "sim.ini")
            << "[module]\nmemory=" << (folder.Path() / "m.bin").string() << "\n"
            << moduleLines << "\n";
        setenv("KORV_SIM_CONFIG", (folder.Path() / "sim.ini").c_str(), 1);
        // Each window keeps its own journal of module work, and a write's backups.
        dataHome_ = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
        setenv("XDG_DATA_HOME", (folder.Path() / "data").c_str(), 1);
        ui::TMain& w = Start();
        std::string why;
        auto driver = link::LoadVendorLibrary(KORV_SIM_LIBRARY, &why);
        EXPECT_TRUE(driver) << why;
        w.UsePort(std::make_unique<link::TBEXFTDI>(clock, std::move(driver)));
        Tick(w);
        EXPECT_TRUE(w.state().connection.PasswordAccepted());
        return w;
    }
    void TearDown() override {
        WindowTest::TearDown();
        unsetenv("KORV_SIM_CONFIG");
        setenv("XDG_DATA_HOME", dataHome_.c_str(), 1);
    }
    // Presses the panel and lets its command run to its end.
    static void Press(ui::PushPanel* panel) {
        QTest::mouseClick(panel->label(), Qt::LeftButton);
        Settle(*static_cast<ui::TMain*>(panel->window()));
    }
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

private:
    std::string dataHome_;
};

} // namespace korv::test
