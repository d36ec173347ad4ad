// The push panels and the close box run the transfers against the simulated module; the
// window's cable port is swapped for one over the simulator on a virtual clock.
#include "sim_window_fixture.h"
#include "support/temp_folder.h"
#include "ui/dialogs/password_dialog.h"
#include "ui/info/desktop_links.h"
#include "ui/widgets/push_panel.h"

#include <QLineEdit>
#include <fstream>
#include <iterator>

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
    // The write runs as a job; the window closes once it ended. From the job, through the
    // window's thread, it offers the backup first, and at its end names the file.
    Answer(QMessageBox::Yes);
    EXPECT_FALSE(w.close());
    Answer(QMessageBox::Yes);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.size() == 4; }, 5000));
    EXPECT_TRUE(shown.value(3).startsWith("The module holds 3 cards."))
        << shown.value(3).toStdString();
    Answer(QMessageBox::Ok);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 5000));
    const QString backups = folder.Path().string().c_str() + QString("/data/korv/backups/");
    EXPECT_TRUE(shown.value(4).startsWith("The write is done. The module's previous cards (3) "
                                          "are in the backup file " +
                                          backups))
        << shown.value(4).toStdString();
    EXPECT_FALSE(w.state().NeedSave);
    Answer(QMessageBox::Ok);
    Press(w.Panel3b);
    EXPECT_EQ(shown.value(5), "Verification succeeded!");

    // Each command left its line in the journal, which the Info menu opens.
    const std::string journal = (folder.Path() / "data/korv/journal.csv").string();
    std::ifstream in(journal, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    const QStringList lines = QString::fromStdString(text).split("\r\n");
    ASSERT_EQ(lines.size(), 6) << lines.join('|').toStdString();
    const QStringList expected = {"read;full;ZEL v7;3;;Done.", "verify;full;ZEL v7;3;;" + shown[0],
                                  "write;full;ZEL v7;3;;" + shown[4],
                                  "verify;full;ZEL v7;3;;Verification succeeded!"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lines[i + 1].section(';', 1), expected[i]);
    QList<QUrl> opened;
    ui::SetLinkOpener([&](const QUrl& url) { opened << url; });
    w.Dziennik1->trigger();
    ui::SetLinkOpener({});
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(journal))});
}

TEST_F(TransferWindowTest, AnErasedModuleIsToldSoOnceAndTakesThePasswordTyped) {
    const auto memory = folder.Path() / "m.bin";
    std::ofstream(folder.Path() / "sim.ini")
        << "[module]\nkind=F\npassword=erased\nmemory=" << memory.string() << "\n";
    setenv("KORV_SIM_CONFIG", (folder.Path() / "sim.ini").c_str(), 1);
    ui::TMain& w = Start();
    w.UsePort(std::make_unique<link::TBEXFTDI>(clock, link::LoadVendorLibrary(KORV_SIM_LIBRARY)));
    // The notice, then the panel in change mode, then the write's own box.
    WhenModal([this, &w](QWidget* notice) {
        shown << qobject_cast<QMessageBox*>(notice)->text();
        qobject_cast<QMessageBox*>(notice)->button(QMessageBox::Ok)->click();
        WhenModal([this, &w](QWidget* panel) {
            EXPECT_EQ(panel, &w.PasswordPanel());
            EXPECT_EQ(panel->windowTitle(), Msg(153));
            QLineEdit* edit = w.PasswordPanel().D1_Edit_Parametry_Haslo_Instalatora;
            edit->clear();
            QTest::keyClicks(edit, "2468");
            Answer(QMessageBox::Ok);
            w.PasswordPanel().D1_Button_Zatwierdz_zmiane_Parametrow->click();
        });
    });
    Tick(w);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith("The module holds no valid installer password"));
    EXPECT_EQ(shown[1], "Password has been saved to the module!");
    EXPECT_EQ(w.Edit_haslo->text(), "2468");
    EXPECT_FALSE(w.state().connection.PasswordAccepted()); // the next tick checks it

    Tick(w);
    EXPECT_TRUE(w.state().connection.PasswordAccepted());
    EXPECT_TRUE(w.Button_zmien_haslo->isEnabled());
    EXPECT_EQ(shown.size(), 2); // said once
}

} // namespace
} // namespace korv::test
