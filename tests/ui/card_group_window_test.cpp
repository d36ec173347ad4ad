// The card group at the window: the card dialog with its read, its automatic confirmation and
// its keys, the range dialog's rules, and Find's notice, against the simulated reader.
#include "i18n/own_texts.h"
#include "sim_window_fixture.h"
#include "ui/dialogs/card_dialog.h"
#include "ui/dialogs/range_dialog.h"
#include "ui/widgets/limited_spin_box.h"

#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace korv::test {
namespace {

using CardGroupTest = SimWindowTest;

// Runs act on the card dialog once it is up; anything else fails the test.
void WhenCardDialog(std::function<void(ui::TFormParametryKarty*)> act) {
    WhenModal([act = std::move(act)](QWidget* modal) {
        if (auto* d = qobject_cast<ui::TFormParametryKarty*>(modal))
            return act(d);
        ADD_FAILURE() << "not the card dialog: " << modal->metaObject()->className();
        modal->close();
    });
}

TEST_F(CardGroupTest, AutomaticModeConfirmsAfterAReadOrAfterTheFirstKeystroke) {
    ui::TMain& w = StartOnSimulator("kind=F\ncards=4012345\nempty_card=silent");
    ASSERT_TRUE(w.CheckBox_auto->isEnabled());
    w.CheckBox_auto->click();
    EXPECT_EQ(w.Button_dodaj->text(), Msg(99));
    w.SelectLanguage(Polish);
    EXPECT_EQ(w.Button_dodaj->text(), Msg(99));
    w.SelectLanguage(English);

    // The dialog reads as it opens and closes itself about 100 ms after the number came.
    QElapsedTimer took;
    took.start();
    w.Button_dodaj->click();
    EXPECT_GE(took.elapsed(), 100);
    ASSERT_EQ(w.state().tablica.Cell(1, 0).lista.size(), 1u);
    EXPECT_EQ(w.state().tablica.Cell(1, 0).lista[0].numer, "4012345");
    EXPECT_TRUE(w.state().NeedSave);

    // No card at the reader: the dialog stays until the first keystroke, then confirms.
    bool stayedOpen = false;
    WhenCardDialog([&](ui::TFormParametryKarty* d) {
        QTest::qWait(300);
        stayedOpen = d->isVisible() && d->Edit1->text().isEmpty();
        QTest::keyClick(d->Edit1, Qt::Key_7);
        QTest::keyClick(d->Edit1, Qt::Key_8); // typed within the 100 ms: the timer runs on
    });
    w.Button_dodaj->click();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(w.state().tablica.Cell(1, 0).lista.size(), 2u);
    EXPECT_EQ(w.state().tablica.Cell(1, 0).lista[1].numer, "78");
}

TEST_F(CardGroupTest, ChangeInAutomaticModeTakesTheReadNumberAndKeepsB1) {
    ui::TMain& w = StartOnSimulator("kind=F\ncards=555");
    w.state().tablica.AddCard(1, 0, {"11", true, "gate"});
    w.SetApartment(0);
    w.CheckBox_auto->click();
    QTreeWidgetItem* row = w.ListView1->topLevelItem(0);
    ASSERT_NE(row, nullptr);
    w.ListView1->setCurrentItem(row);
    ASSERT_TRUE(w.Button_zmien->isEnabled());
    w.Button_zmien->click();
    const TKarta& k = w.state().tablica.Cell(1, 0).lista.at(0);
    EXPECT_EQ(k.numer, "555");
    EXPECT_TRUE(k.B1);
    EXPECT_EQ(k.opis, "gate");
    EXPECT_TRUE(w.state().NeedSave); // the module has not got the changed card yet
}

TEST_F(CardGroupTest, WithoutAModuleOnlyADoubleClickReadsAndNoKeyClosesTheDialog) {
    ui::TMain& w = StartOnSimulator("kind=F\ncards=777");
    w.state().connection.ConnectionMessage = 30; // as after the monitor lost the module
    w.SetApartment(17);
    bool checked = false;
    WhenCardDialog([&](ui::TFormParametryKarty* d) {
        EXPECT_EQ(d->Label_karta_dla_numeru->text(), Msg(65) + "17");
        EXPECT_EQ(d->Button1->text(), Msg(79));
        EXPECT_FALSE(d->Button_czytaj_karte->isEnabled());
        EXPECT_FALSE(d->SpinEdit1->isVisible());
        QTest::keyClick(d, Qt::Key_Escape);
        QTest::keyClick(d->Edit1, Qt::Key_Return);
        EXPECT_TRUE(d->isVisible());
        QTest::mouseDClick(d->Edit1, Qt::LeftButton);
        EXPECT_TRUE(d->reading()); // the runner waits for the card; the dialog answers
        EXPECT_TRUE(QTest::qWaitFor([&] { return d->Edit1->text() == "777"; }, 5000));
        EXPECT_FALSE(d->reading());
        checked = true;
        d->Button2->click(); // Cancel
    });
    w.Button_dodaj->click();
    EXPECT_TRUE(checked);
    EXPECT_EQ(w.state().tablica.CardCount(), 0);
}

// Confirms the card dialog; what the refusal over it said, answered ("" when none came).
QString ConfirmRefused(ui::TFormParametryKarty* d) {
    auto said = std::make_shared<QString>();
    WhenModal([said](QWidget* modal) {
        *said = modal->windowTitle() + ": " + static_cast<QMessageBox*>(modal)->text();
        static_cast<QDialog*>(modal)->reject();
    });
    d->Button1->click(); // the refusal is answered before this returns
    return *said;
}

TEST_F(CardGroupTest, TheCardDialogRefusesWhatNoModuleOrFileHoldsAndStaysOpen) {
    ui::TMain& w = StartOnSimulator("kind=F");
    w.state().tablica.AddCard(3, 4, {"4012345", false, ""});
    WhenCardDialog([&](ui::TFormParametryKarty* d) {
        const auto own = [](OwnTextName name, const char* arg) {
            return Msg(58) + ": " + QString::fromStdString(OwnText(name, LanguageIndex(), {arg}));
        };
        QTest::keyClicks(d->Edit1, "268435456");
        EXPECT_EQ(ConfirmRefused(d), own(OwnTextName::CardNumberNotHeld, "268435456"));
        EXPECT_EQ(d->focusWidget(), d->Edit1);
        d->Edit1->clear();
        QGuiApplication::clipboard()->setText(" 04012345\r\n"); // trimmed, not dropped
        QTest::keyClick(d->Edit1, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(d->Edit1->text(), "04012345");
        QTest::keyClicks(d->Edit2, "Klatka A=2; drzwi ");
        QTest::sendKeyEvent(QTest::Click, d->Edit2, Qt::Key_unknown, "Ж", Qt::NoModifier);
        d->Edit1->setFocus();
        EXPECT_EQ(ConfirmRefused(d), own(OwnTextName::DescriptionNotHeld, "= Ж"));
        EXPECT_EQ(d->focusWidget(), d->Edit2);
        EXPECT_TRUE(d->isVisible());
        d->Edit2->setText("Klatka A, drzwi Ż");
        d->Button1->click();
        // Taken by the dialog; then the command finds the number registered, by value.
        EXPECT_FALSE(d->isVisible());
        Answer(QMessageBox::Ok);
    });
    w.Button_dodaj->click();
    Settle(w);
    EXPECT_EQ(shown, QStringList{Msg(196) + "4" + Msg(197) + "3!"});
    EXPECT_EQ(w.state().tablica.CardCount(), 1);
}

TEST_F(CardGroupTest, ChangeRefusesAnotherCardsNumber) {
    ui::TMain& w = StartOnSimulator("kind=F");
    w.state().tablica.AddCard(3, 4, {"4012345", false, "other"});
    w.state().tablica.AddCard(1, 0, {"11", true, "gate"});
    w.SetApartment(0);
    w.state().NeedSave = false;
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
    WhenCardDialog([&](ui::TFormParametryKarty* d) {
        d->Edit1->setText("04012345");
        d->Button1->click();
        Answer(QMessageBox::Ok);
    });
    w.Button_zmien->click();
    Settle(w);
    EXPECT_EQ(shown, QStringList{Msg(196) + "4" + Msg(197) + "3!"});
    EXPECT_EQ(w.state().tablica.Cell(1, 0).lista.at(0), (TKarta{"11", true, "gate"}));
    EXPECT_FALSE(w.state().NeedSave);
}

TEST_F(CardGroupTest, TheRangeDialogKeepsToAtOrAboveFrom) {
    ui::TMain& w = Start();
    WhenModal([](QWidget* modal) {
        auto* d = qobject_cast<ui::TFormZakres*>(modal);
        if (!d) {
            ADD_FAILURE() << "not the range dialog";
            modal->close();
            return;
        }
        EXPECT_EQ(d->SpinEdit1->value(), 0); // 300 is no apartment
        EXPECT_EQ(d->SpinEdit2->value(), 0);
        d->SpinEdit1->setValue(40);
        EXPECT_EQ(d->SpinEdit2->value(), 40);
        d->SpinEdit2->setFocus();
        auto* typed = d->SpinEdit2->findChild<QLineEdit*>();
        typed->selectAll();
        QTest::keyClicks(typed, "12");
        d->SpinEdit1->setFocus(); // To lets go of the focus
        EXPECT_EQ(d->SpinEdit2->value(), 40);
        d->Button1->click();
    });
    int from = 300, to = 0;
    ui::TFormZakres::PodajZakres(&w, from, to);
    EXPECT_EQ(from, 40);
    EXPECT_EQ(to, 40);
    WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    from = 5;
    ui::TFormZakres::PodajZakres(&w, from, to);
    EXPECT_EQ(from, -1);
    EXPECT_EQ(to, -1);
}

TEST_F(CardGroupTest, FindShowsItsNoticeWhileItAsksTheReader) {
    ui::TMain& w = StartOnSimulator("kind=F\ncards=4012345");
    w.state().tablica.AddCard(2, 12, {"4012345", false, ""});
    w.RefreshViews();
    ASSERT_TRUE(w.Button_Znajdz->isEnabled());
    QString text;
    QRect notice;
    WhenModal([&](QWidget* modal) {
        if (w.CardNoticePanel && w.CardNoticePanel->isVisible()) {
            notice = w.CardNoticePanel->geometry();
            text = w.CardNoticePanel->findChild<QLabel*>()->text();
        }
        static_cast<QMessageBox*>(modal)->accept();
    });
    w.Button_Znajdz->click();
    Settle(w);
    EXPECT_EQ(notice, QRect((w.width() - 300) / 2, 200, 300, 50));
    EXPECT_EQ(text, Msg(107));
    EXPECT_EQ(w.CardNoticePanel, nullptr);
}

} // namespace
} // namespace korv::test
