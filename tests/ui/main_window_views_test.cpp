#include "ui/widgets/apartment_box.h"
#include "ui/widgets/apartment_grid.h"
#include "window_fixture.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>
#include <QTreeWidget>

using namespace korv;
using korv::test::WindowTest;

namespace {
void ClickCell(ui::ApartmentGrid* grid, int column, int row) {
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(column, row).center());
}
} // namespace

TEST_F(WindowTest, ACardInZoneTwoApartment37ShowsOneOnGreen) {
    ui::TMain& w = Start();
    QTest::mouseClick(w.RadioGroup1Items[1], Qt::LeftButton);
    ASSERT_EQ(w.state().CurrentZone, 2);
    const QColor white(255, 255, 255), green(0, 255, 0);
    auto colourOf = [&](int c, int r) {
        return w.Grid->grab(w.Grid->cellRect(c, r)).toImage().pixelColor(20, 12);
    };
    EXPECT_EQ(colourOf(8, 4), white);

    w.state().tablica.AddCard(2, 37, {"1234567", false, "Door"});
    w.RefreshViews();
    EXPECT_EQ(w.Grid->cellText(8, 4), "1");
    EXPECT_EQ(colourOf(8, 4), green);
    EXPECT_EQ(colourOf(7, 4), white);
    EXPECT_EQ(w.LabelSuma->text(), Msg(71));

    // zone 1 does not show zone 2's card
    QTest::mouseClick(w.RadioGroup1Items[0], Qt::LeftButton);
    EXPECT_EQ(w.Grid->cellText(8, 4), "0");
    EXPECT_EQ(w.LabelSuma->text(), Msg(71));
}

TEST_F(WindowTest, GridClicksChooseApartmentsButNeverTheDeadCells) {
    ui::TMain& w = Start();
    w.state().tablica.AddCard(1, 37, {"1", false, "a"});
    w.state().tablica.AddCard(1, 37, {"2", false, "b"});
    w.RefreshViews();
    ClickCell(w.Grid, 8, 4);
    EXPECT_EQ(w.SpinEdit1->value(), 37);
    EXPECT_EQ(w.state().CurrentApartment, 37);
    ASSERT_EQ(w.ListView1->topLevelItemCount(), 2);
    EXPECT_EQ(w.ListView1->topLevelItem(1)->text(0), "2");
    EXPECT_EQ(w.ListView1->topLevelItem(1)->text(2), "b");

    // a card row enables Change and Delete, a grid click disables them again
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
    EXPECT_TRUE(w.Button_zmien->isEnabled());
    EXPECT_TRUE(w.Button_Kasuj1->isEnabled());
    ClickCell(w.Grid, 8, 26); // apartment 257: no such apartment
    EXPECT_EQ(w.state().CurrentApartment, 37);
    EXPECT_EQ(w.Grid->selectedColumn(), 8);
    EXPECT_EQ(w.Grid->selectedRow(), 4);
    EXPECT_FALSE(w.Button_zmien->isEnabled());
    EXPECT_FALSE(w.Button_Kasuj1->isEnabled());

    // leaving the grid parks the selection without changing the apartment
    w.SpinEdit1->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(w.Grid->selectedColumn(), 10);
    EXPECT_EQ(w.Grid->selectedRow(), 26);
    EXPECT_EQ(w.state().CurrentApartment, 37);
}

TEST_F(WindowTest, ApartmentBoxKeysFollowTheTypingRule) {
    ui::TMain& w = Start();
    ui::ApartmentBox* box = w.SpinEdit1;
    box->setFocus();
    box->setValue(25);
    box->findChild<QLineEdit*>()->deselect();
    box->findChild<QLineEdit*>()->setCursorPosition(0);
    QTest::keyClick(box, Qt::Key_7);
    EXPECT_EQ(box->value(), 0); // 257 is out of range
    box->setValue(25);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_7);
    EXPECT_EQ(box->value(), 7);
    EXPECT_EQ(w.state().CurrentApartment, 7);

    box->setValue(0);
    box->selectAll();
    QTest::keyClicks(box, "123");
    EXPECT_EQ(box->value(), 123);
    QTest::keyClick(box, Qt::Key_3);
    EXPECT_EQ(box->value(), 0);
    box->setValue(120);
    QTest::keyClick(box, Qt::Key_A);
    EXPECT_EQ(box->value(), 0);

    box->setValue(250);
    QTest::keyClick(box, Qt::Key_PageUp);
    EXPECT_EQ(box->value(), 255);
    box->setValue(5);
    QTest::keyClick(box, Qt::Key_PageDown);
    EXPECT_EQ(box->value(), 0);
    box->setValue(100);
    QTest::keyClick(box, Qt::Key_PageUp);
    EXPECT_EQ(box->value(), 110);
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->value(), 111);
}

TEST_F(WindowTest, PastedTextNeverTakesTheApartmentOutOfRange) {
    ui::TMain& w = Start();
    ui::ApartmentBox* box = w.SpinEdit1;
    box->setValue(12);
    for (const char* pasted : {"999", "-5", "abc", "1e3", "256"}) {
        box->findChild<QLineEdit*>()->selectAll();
        box->findChild<QLineEdit*>()->insert(pasted); // what a paste does to the text
        box->interpretText();
        QApplication::processEvents();
        EXPECT_GE(w.state().CurrentApartment, 0) << pasted;
        EXPECT_LE(w.state().CurrentApartment, 255) << pasted;
        EXPECT_EQ(w.state().CurrentApartment, box->value());
    }
}

TEST_F(WindowTest, NumberToDialIsEditableOnlyInItsOwnViewAndNeedsNoSave) {
    ui::TMain& w = Start();
    w.SpinEdit1->setValue(37);
    QTest::keyClicks(w.EditWybierany, "55");
    EXPECT_EQ(w.EditWybierany->text(), ""); // read-only while the grid shows card counts
    EXPECT_EQ(w.state().tablica.Cell(1, 37).wybierany, "");

    QTest::mouseClick(w.RadioGroup2Items[1], Qt::LeftButton);
    EXPECT_FALSE(w.EditWybierany->isReadOnly());
    w.EditWybierany->setFocus();
    QTest::keyClicks(w.EditWybierany, "12345x");
    EXPECT_EQ(w.EditWybierany->text(), "1234");
    EXPECT_EQ(w.state().tablica.Cell(1, 37).wybierany, "1234");
    EXPECT_EQ(w.Grid->cellText(8, 4), "1234");
    EXPECT_FALSE(w.state().NeedSave);

    // in number-to-dial mode, apartments with cards are still marked green
    w.state().tablica.AddCard(1, 3, {"9", false, ""});
    w.RefreshViews();
    const QColor green(0, 255, 0);
    EXPECT_EQ(w.Grid->grab(w.Grid->cellRect(4, 1)).toImage().pixelColor(20, 12), green);
    EXPECT_EQ(w.Grid->cellText(4, 1), "");

    // another apartment shows its own number; switching back locks the box again
    w.SpinEdit1->setValue(36);
    EXPECT_EQ(w.EditWybierany->text(), "");
    EXPECT_TRUE(w.EditWybierany->hasFocus());
    QTest::mouseClick(w.RadioGroup2Items[0], Qt::LeftButton);
    EXPECT_TRUE(w.EditWybierany->isReadOnly());
    EXPECT_EQ(w.Grid->cellText(8, 4), "0");
}

TEST_F(WindowTest, FindFollowsTheCardCountAndTheConnection) {
    ui::TMain& w = Start();
    for (int i = 0; i < 22; ++i)
        w.state().tablica.AddCard(1, i, {std::to_string(i), false, ""});
    w.RefreshViews();
    EXPECT_EQ(w.LabelSuma->text(), Msg(72) + "22" + Msg(73));
    EXPECT_FALSE(w.Button_Znajdz->isEnabled()); // no module answers
    w.state().connection.ConnectionMessage = 31;
    w.ShowCardCount(w.state().tablica.CardCount());
    EXPECT_TRUE(w.Button_Znajdz->isEnabled());
    w.state().tablica.ClearCards();
    w.RefreshViews();
    EXPECT_FALSE(w.Button_Znajdz->isEnabled());
}

TEST_F(WindowTest, ShowingANumberToDialNeverShortensItAndTypingStopsAtFour) {
    ui::TMain& w = Start();
    Tick(w); // Open and Save as come on with the first tick
    const QString path = dir.path() + "/long.zel";
    w.state().tablica.Cell(1, 1).wybierany = "123456";
    w.state().tablica.Cell(1, 0).wybierany = "55555";
    AnswerFileQuestions({path, path});
    w.Zapiszjako1->trigger();
    w.Nowy1->trigger();
    w.Otwrz1->trigger();
    ASSERT_EQ(w.state().tablica.Cell(1, 1).wybierany, "123456");

    QTest::mouseClick(w.RadioGroup2Items[1], Qt::LeftButton); // number-to-dial mode
    w.SpinEdit1->setValue(1);
    EXPECT_EQ(w.EditWybierany->text(), "123456");
    w.SpinEdit1->setValue(0);
    EXPECT_EQ(w.EditWybierany->text(), "55555");
    korv::test::WhenModal([](QWidget* modal) { // "Are you sure to save this file?"
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::Yes)->click();
    });
    w.Zapisz1->trigger();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(text.contains("\r\n1=123456\r\n")) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains("\r\n0=55555\r\n"));

    // Typing cannot grow a number past four characters, but a long one can be shortened.
    w.EditWybierany->setFocus();
    w.EditWybierany->end(false);
    QTest::keyClick(w.EditWybierany, Qt::Key_7);
    EXPECT_EQ(w.EditWybierany->text(), "55555");
    QTest::keyClick(w.EditWybierany, Qt::Key_Backspace);
    EXPECT_EQ(w.state().tablica.Cell(1, 0).wybierany, "5555");
}

TEST_F(WindowTest, TypingAnApartmentInNumberToDialModeKeepsTheFocusInTheApartmentBox) {
    ui::TMain& w = Start();
    QTest::mouseClick(w.RadioGroup2Items[1], Qt::LeftButton);
    w.activateWindow();
    ui::ApartmentBox* box = w.SpinEdit1;
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "37");
    EXPECT_EQ(w.state().CurrentApartment, 37);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(w.state().tablica.Cell(1, 3).wybierany, "");
    EXPECT_EQ(w.state().tablica.Cell(1, 37).wybierany, "");

    // A step key is not typing: the number box takes the focus, ready for the number.
    QTest::keyClick(box, Qt::Key_PageUp);
    EXPECT_EQ(w.state().CurrentApartment, 47);
    EXPECT_TRUE(w.EditWybierany->hasFocus());
    QTest::keyClicks(w.EditWybierany, "12");
    EXPECT_EQ(w.state().tablica.Cell(1, 47).wybierany, "12");
}

TEST_F(WindowTest, TheCardListShowsCutEntriesWholeInATooltipAndItsColumnsWiden) {
    ui::TMain& w = Start();
    const QString numer = "12345678901234567890";
    const QString opis = "Klatka B, <b>garaz</b> i piwnica nr 17";
    w.state().tablica.AddCard(1, 0, {numer.toStdString(), false, opis.toStdString()});
    w.RefreshViews();
    QTreeWidget* list = w.ListView1;
    QHeaderView* header = list->header();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    const QFontMetrics fm(list->font());
    ASSERT_GT(fm.horizontalAdvance(numer), header->sectionSize(0)); // the column cuts both
    ASSERT_GT(fm.horizontalAdvance(opis), header->sectionSize(2));

    // Resting on either cut column shows the whole number and description, as typed.
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    for (int column : {0, 2}) {
        const QPoint at(header->sectionViewportPosition(column) + 10, row.center().y());
        QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &help);
        EXPECT_TRUE(QToolTip::isVisible()) << column;
        QTextDocument shown;
        shown.setHtml(QToolTip::text());
        EXPECT_TRUE(shown.toPlainText().contains(numer)) << shown.toPlainText().toStdString();
        EXPECT_TRUE(shown.toPlainText().contains(opis)) << shown.toPlainText().toStdString();
        QToolTip::hideText();
    }

    // Dragging a column's right edge widens it; the list then scrolls to what went past its
    // edge. The 2-px gap between the columns does not move.
    auto dragEdge = [&](int section, int by) {
        const int edge = header->sectionViewportPosition(section) + header->sectionSize(section);
        const QPoint from(edge - 1, header->height() / 2);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, from + QPoint(by, 0),
                         header->viewport()->mapToGlobal(from + QPoint(by, 0)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &move);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, from + QPoint(by, 0));
    };
    dragEdge(0, 60);
    EXPECT_EQ(header->sectionSize(0), 160);
    dragEdge(2, 40);
    EXPECT_EQ(header->sectionSize(2), 153);
    QScrollBar* across = list->horizontalScrollBar();
    for (int i = 0; i < 10 && !across->isVisible(); ++i)
        QApplication::processEvents(); // the scroll bar follows the columns in queued steps
    EXPECT_TRUE(across->isVisible());
    EXPECT_EQ(across->maximum(), 160 + 2 + 153 - list->viewport()->width());
    dragEdge(1, 30);
    EXPECT_EQ(header->sectionSize(1), 2);
}
