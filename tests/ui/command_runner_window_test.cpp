// The window while a job of the command runner holds the cable: input that could start another
// command or change the register is off, so nothing typed or clicked meanwhile happens then or
// afterwards; the views stay usable; the job's questions are asked on the window's thread;
// Cancel stops a read; closing waits for a write, and a window destroyed under a job ends it.
#include "commands/read_module.h"
#include "commands/write_module.h"
#include "i18n/own_texts.h"
#include "sim_window_fixture.h"
#include "support/gate.h"
#include "ui/widgets/apartment_grid.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <thread>

namespace korv::test {
namespace {

using RunnerWindowTest = SimWindowTest;

TEST_F(RunnerWindowTest, InputDuringAWriteIsDroppedNotReplayedAndClosingWaitsForIt) {
    ui::TMain& w = StartOnSimulator("kind=F");
    for (int c = 0; c < 30; ++c)
        w.state().tablica.AddCard(1, c, {std::to_string(700 + c), false, ""});
    w.state().NeedSave = true;
    w.RefreshViews();
    Gate gate;
    WriteOutcome outcome;
    ASSERT_TRUE(w.StartJob(
        JobKind::Write,
        [&](ModuleContext& ctx) {
            gate.Arrive();
            outcome = WriteModule(ctx);
        },
        [&w](AppState& job) { w.state().NeedSave = job.NeedSave; }));
    ASSERT_TRUE(gate.WaitForArrival());
    QApplication::processEvents();

    // What could start a command or change the register is off; the views are not.
    EXPECT_TRUE(w.CommandRunning());
    for (QWidget* off :
         std::initializer_list<QWidget*>{w.GroupBox_karta, w.Modul_ZEL, w.Button_reset_pamieci,
                                         w.Button_zmien_haslo, w.EditWybierany})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    EXPECT_FALSE(w.Nowy1->isEnabled());
    EXPECT_FALSE(w.Otwrz1->isEnabled());
    EXPECT_TRUE(w.RadioGroup1->isEnabled());
    EXPECT_TRUE(w.Grid->isEnabled());
    EXPECT_TRUE(w.LabelNoCancel->isVisible());
    EXPECT_FALSE(w.Button_anuluj->isVisible());

    // Ctrl+N, a click on Add, a monitor tick, a zone click and Ctrl+X while it runs.
    QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
    QTest::mouseClick(w.Button_dodaj, Qt::LeftButton);
    w.TimerCheckTimer();
    QTest::mouseClick(w.RadioGroup1Items[1], Qt::LeftButton);
    EXPECT_EQ(w.state().CurrentZone, 2); // the views answer at once
    QTest::keyClick(&w, Qt::Key_X, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_TRUE(w.isVisible()); // closing waits for the write
    EXPECT_EQ(w.LabelPolacz->text().toStdString(),
              OwnText(OwnTextName::ClosesAfterCommand, English));

    gate.Open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 5000));
    // The write took the register as it was; nothing clicked meanwhile came afterwards.
    EXPECT_TRUE(outcome.Complete());
    EXPECT_EQ(w.state().tablica.CardCount(), 30);
    EXPECT_FALSE(w.state().NeedSave);
    EXPECT_EQ(w.state().CurrentZone, 2);
    EXPECT_FALSE(w.runner().Busy());
}

TEST_F(RunnerWindowTest, CancelStopsAReadAndAQuestionIsAskedOnTheWindowsThread) {
    ui::TMain& w = StartOnSimulator("kind=F\nimage_cards=1/0/41,1/0/42,2/7/99");
    w.state().tablica.AddCard(3, 3, {"5", false, "before"});
    Gate gate;
    ReadOutcome outcome;
    int answer = 0;
    std::thread::id asked;
    ASSERT_TRUE(w.StartJob(JobKind::Read, [&](ModuleContext& ctx) {
        gate.Arrive();
        outcome = ReadModule(ctx);
        answer = ctx.ui.MessageBox("Go on?", "", MbYesNoDefaultNo);
    }));
    ASSERT_TRUE(gate.WaitForArrival());
    QApplication::processEvents();
    ASSERT_TRUE(w.Button_anuluj->isVisible());
    EXPECT_FALSE(w.LabelNoCancel->isVisible());
    EXPECT_LE(w.PBar1->geometry().right(), w.Button_anuluj->x()); // side by side
    EXPECT_FALSE(w.Pokaz_poloczenie->isVisible());
    QTest::mouseClick(w.Button_anuluj, Qt::LeftButton);
    EXPECT_TRUE(w.runner().CancelAsked());
    EXPECT_FALSE(w.Button_anuluj->isEnabled());

    // The cancelled read's notice, then the job's own question: both on this thread.
    WhenModal([&](QWidget* notice) {
        shown << qobject_cast<QMessageBox*>(notice)->text();
        qobject_cast<QMessageBox*>(notice)->accept();
        Answer(QMessageBox::Yes);
    });
    gate.Open();
    ASSERT_TRUE(Settle(w));
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(w.state().tablica.CardCount(), 1);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].toStdString(), OwnText(OwnTextName::ReadCancelled, English));
    EXPECT_EQ(shown[1], "Go on?");
    EXPECT_EQ(answer, IdYes);
    EXPECT_FALSE(w.Button_anuluj->isVisible());
    EXPECT_EQ(w.PBar1->geometry(), QRect(644, 598, 216, 22));
    EXPECT_TRUE(w.Pokaz_poloczenie->isVisible());
}

TEST_F(RunnerWindowTest, AWindowDestroyedUnderAJobAnswersItsQuestionAndEndsIt) {
    ui::TMain& w = StartOnSimulator("kind=F");
    std::atomic<int> answer{0};
    std::atomic<bool> ended{false};
    ASSERT_TRUE(w.StartJob(JobKind::Reset, [&](ModuleContext& ctx) {
        answer = ctx.ui.MessageBox("Reset?", "", MbYesNoDefaultNo);
        ended = true;
    }));
    window.reset(); // no event ran: the question is posted or about to be
    EXPECT_TRUE(ended);
    EXPECT_EQ(answer, IdCancel);
}

} // namespace
} // namespace korv::test
