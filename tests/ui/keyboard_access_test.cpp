// Every command by keyboard and screen reader: the windows are walked with Tab and through
// Qt's accessibility interfaces, as a keyboard user and a screen reader meet them.
#include "sim_window_fixture.h"
#include "ui/dialogs/password_dialog.h"
#include "ui/dialogs/zone_chooser.h"
#include "ui/info/contact_window.h"
#include "ui/info/info_text_window.h"
#include "ui/info/version_view.h"
#include "ui/widgets/apartment_box.h"
#include "ui/widgets/apartment_grid.h"
#include "ui/widgets/push_panel.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

namespace korv::test {
namespace {

using KeyboardAccessTest = SimWindowTest;

// A part of a compound control (the box of a spin box): the compound is the control.
bool InnerPart(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    return parent && (parent->focusProxy() == w || w->focusProxy() == parent);
}

bool IsControl(const QWidget* w, const QWidget* top) {
    return w->isVisibleTo(top) && !InnerPart(w) &&
           ((w->focusPolicy() & Qt::TabFocus) || qobject_cast<const ui::PushPanel*>(w));
}

// What a screen reader offers as a thing to read or work, whether or not Tab stops at it (a
// read-only box that shows a state, say).
bool ReadableControl(const QWidget* w, const QWidget* top) {
    if (!w->isVisibleTo(top) || InnerPart(w))
        return false;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w));
    if (!iface)
        return false;
    switch (iface->role()) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::ProgressBar:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::PageTabList:
        return true;
    default:
        return false;
    }
}

QString Describe(const QWidget* w) {
    return QString("%1 %2").arg(w->metaObject()->className(), w->objectName());
}

// The controls Tab reaches from start, in order, until the focus comes round again.
QList<QWidget*> TabChain(QWidget* top, QWidget* start) {
    top->activateWindow();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    // The offscreen platform does not always pass a second window's activation on.
    QApplication::setActiveWindow(top);
#endif
    EXPECT_TRUE(QTest::qWaitFor([top] { return top->isActiveWindow(); }, kModalDeadlineMs));
    start->setFocus(Qt::TabFocusReason);
    QList<QWidget*> chain;
    for (int i = 0; i < 200; ++i) {
        QWidget* f = QApplication::focusWidget();
        if (!f || (i > 0 && f == chain.first()))
            break;
        // The compound control whose part took the focus.
        while (InnerPart(f))
            f = f->parentWidget();
        chain << f;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return chain;
}

// The first enabled control of a window's focus chain; none when it has none.
QWidget* FirstControl(QWidget* top) {
    for (QWidget* w = top->nextInFocusChain(); w != top; w = w->nextInFocusChain())
        if (IsControl(w, top) && w->isEnabled())
            return w;
    return nullptr;
}

// Enabled controls without an accessible name, focusable or not, and focusable controls Tab
// never reaches. A radio button stands for its group: Tab stops at the checked one, the arrows
// do the rest.
QStringList Faults(QWidget* top, QWidget* start) {
    if (!start)
        return {};
    const QList<QWidget*> chain = TabChain(top, start);
    QStringList faults;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        const bool control = IsControl(w, top);
        if (!control && !ReadableControl(w, top))
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        if (w->isEnabled() && (!iface || iface->text(QAccessible::Name).trimmed().isEmpty()))
            faults << "no name: " + Describe(w);
        if (!control)
            continue;
        bool reached = chain.contains(w);
        if (auto* radio = qobject_cast<QRadioButton*>(w); radio && radio->autoExclusive())
            for (QWidget* sibling : chain)
                reached = reached || (qobject_cast<QRadioButton*>(sibling) &&
                                      sibling->parentWidget() == w->parentWidget());
        if (w->isEnabled() && !reached)
            faults << "not reached by Tab: " + Describe(w);
    }
    return faults;
}

TEST_F(KeyboardAccessTest, EveryControlOfEveryWindowIsNamedAndReachedByTabInBothLanguages) {
    ui::TMain& w = StartOnSimulator("kind=F\nimage_cards=1/0/41");
    Press(w.Panel1b);
    w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0)); // Change and Delete come on
    for (int language : {Polish, English}) {
        SCOPED_TRACE(language);
        w.SelectLanguage(language);
        const QList<QWidget*> chain = TabChain(&w, w.RadioGroup1Items[0]);
        EXPECT_EQ(Faults(&w, w.RadioGroup1Items[0]), QStringList());
        // The way a person works, left to right through the tasks.
        const QList<QWidget*> order = {w.RadioGroup1Items[0],
                                       w.RadioGroup2Items[0],
                                       w.Grid,
                                       w.SpinEdit1,
                                       w.EditWybierany,
                                       w.Button_dodaj,
                                       w.ListView1,
                                       w.Edit_haslo,
                                       w.Button_zmien_haslo,
                                       w.Panel1b,
                                       w.Panel2b,
                                       w.Panel3b,
                                       w.Button_reset_pamieci};
        qsizetype at = -1;
        for (QWidget* c : order) {
            const qsizetype next = chain.indexOf(c);
            EXPECT_GT(next, at) << Describe(c).toStdString();
            at = std::max(at, next);
        }
        // The card and range dialogs as the window asks with them.
        const auto walkModal = [&](const std::function<void()>& ask) {
            QStringList faults;
            bool walked = false;
            WhenModal([&](QWidget* modal) {
                faults = Faults(modal, FirstControl(modal));
                walked = true;
                static_cast<QDialog*>(modal)->reject();
            });
            ask();
            EXPECT_TRUE(walked);
            return faults;
        };
        EXPECT_EQ(walkModal([&] { w.AskCard(std::nullopt); }), QStringList());
        EXPECT_EQ(walkModal([&] { w.AskCard(TKarta{"41", false, "x"}); }), QStringList());
        EXPECT_EQ(walkModal([&] { w.AskRange(0); }), QStringList());

        const auto walk = [](QDialog* d) {
            d->show();
            QStringList faults = Faults(d, FirstControl(d));
            d->hide();
            return faults;
        };
        ui::TFormStrefa zone(&w);
        ui::TForm_Help help(&w);
        ui::TO_USB usb(&w);
        ui::TAbout contact(&w);
        help.ShowLanguage(language);
        usb.ShowLanguage(language);
        contact.SetLanguage(language);
        w.VersionPanel().versionPage = QUrl("http://127.0.0.1:9/"); // refused at once
        for (QDialog* d : std::initializer_list<QDialog*>{&w.PasswordPanel(), &w.VersionPanel()})
            EXPECT_EQ(walk(d), QStringList()) << Describe(d).toStdString();
        for (QDialog* d : std::initializer_list<QDialog*>{&zone, &help, &usb, &contact})
            EXPECT_EQ(walk(d), QStringList()) << Describe(d).toStdString();
    }
}

TEST_F(KeyboardAccessTest, PanelsArePushButtonsTheModuleMenuFollowsThemAndShortcutsRunThem) {
    ui::TMain& w = StartOnSimulator("kind=F\nimage_cards=1/0/41,1/5/42");
    w.SelectLanguage(Polish);
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(w.Panel1b);
    EXPECT_EQ(read->role(), QAccessible::Button);
    EXPECT_EQ(read->text(QAccessible::Name), "Odczytaj");
    EXPECT_EQ(read->childCount(), 0);
    EXPECT_EQ(w.Modul1->title(), "Moduł");
    w.SelectLanguage(English);
    EXPECT_EQ(read->text(QAccessible::Name), "Read");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.Panel3b)->text(QAccessible::Name), "Verify");
    EXPECT_EQ(read->text(QAccessible::Accelerator), QKeySequence("Ctrl+R").toString());
    EXPECT_EQ(w.Modul1->title(), "Module");

    // The press action reads the module, as a click does.
    ASSERT_TRUE(
        read->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    read->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    Settle(w);
    EXPECT_EQ(w.state().tablica.CardCount(), 2);

    // Enter on the focused panel, then its shortcut from a text box, read again.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.state().tablica.ClearCards();
    w.Panel1b->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.Panel1b, Qt::Key_Return);
    Settle(w);
    EXPECT_EQ(w.state().tablica.CardCount(), 2);
    w.state().tablica.ClearCards();
    w.EditWybierany->setFocus();
    QTest::keyClick(w.EditWybierany, Qt::Key_R, Qt::ControlModifier);
    Settle(w);
    EXPECT_EQ(w.state().tablica.CardCount(), 2);

    // Space sinks the focused panel like a press and runs it on release: Verify asks nothing
    // but its report.
    Answer(QMessageBox::Ok);
    w.Panel3b->setFocus(Qt::TabFocusReason);
    QTest::keyPress(w.Panel3b, Qt::Key_Space);
    EXPECT_EQ(w.Panel3b->frameShadow(), QFrame::Sunken);
    QTest::keyRelease(w.Panel3b, Qt::Key_Space);
    EXPECT_EQ(w.Panel3b->frameShadow(), QFrame::Raised);
    Settle(w);
    EXPECT_EQ(shown.value(0), "Verification succeeded!");

    // The menu items are on exactly when the controls are, and all off while a command runs.
    const auto items = [&] {
        QList<bool> on;
        for (QAction* a :
             {w.Odczytaj1, w.Zapisz_modul1, w.Weryfikuj1, w.Zmien_haslo1, w.Reset_pamieci1})
            on << a->isEnabled();
        return on;
    };
    EXPECT_EQ(items(), QList<bool>({true, true, true, true, true}));
    w.Odczytaj1->trigger(); // a read is a job of the runner until the window lets it end
    EXPECT_TRUE(w.CommandRunning());
    EXPECT_EQ(items(), QList<bool>({false, false, false, false, false}));
    Settle(w);
    EXPECT_EQ(items(), QList<bool>({true, true, true, true, true}));
}

TEST_F(WindowTest, TheGridIsATableWhoseCurrentCellFollowsTheKeyboard) {
    ui::TMain& w = Start();
    w.state().tablica.Cell(1, 10).lista.push_back(TKarta{"41", false, ""});
    w.state().tablica.Cell(1, 11).wybierany = "123";
    w.RefreshViews();
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(w.Grid);
    ASSERT_EQ(grid->role(), QAccessible::Table);
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->rowCount(), 26);
    EXPECT_EQ(table->columnCount(), 10);
    EXPECT_EQ(table->rowDescription(25), "250");
    EXPECT_EQ(grid->text(QAccessible::Name), "Apartments of the zone");
    EXPECT_EQ(table->cellAt(1, 0)->text(QAccessible::Name), "Apartment 10, cards: 1");
    EXPECT_EQ(table->cellAt(25, 6)->text(QAccessible::Name), ""); // no apartment 256
    EXPECT_EQ(grid->indexOfChild(table->cellAt(1, 1)), 11);

    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.SetApartment(1);
    w.RadioGroup2Items[0]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.RadioGroup2Items[0], Qt::Key_Tab); // into the grid, at apartment 1
    QApplication::processEvents();
    ASSERT_TRUE(w.Grid->hasFocus());
    ASSERT_TRUE(grid->focusChild());
    EXPECT_EQ(grid->focusChild()->text(QAccessible::Name), "Apartment 1, cards: 0");
    QTest::keyClick(w.Grid, Qt::Key_Down);
    EXPECT_EQ(w.state().CurrentApartment, 11);
    EXPECT_EQ(grid->focusChild()->text(QAccessible::Name), "Apartment 11, cards: 0");
    EXPECT_TRUE(grid->focusChild()->state().focused);
    EXPECT_EQ(table->selectedCells(), QList<QAccessibleInterface*>({grid->focusChild()}));

    // The number-to-dial view says the numbers, and Polish speaks Polish.
    QTest::mouseClick(w.RadioGroup2Items[1], Qt::LeftButton);
    EXPECT_EQ(table->cellAt(1, 1)->text(QAccessible::Name), "Apartment 11, number to dial: 123");
    w.SelectLanguage(Polish);
    EXPECT_EQ(table->cellAt(1, 0)->text(QAccessible::Name), "Lokal 10, bez numeru do wybrania");
    EXPECT_EQ(grid->text(QAccessible::Name), "Lokale strefy");
}

} // namespace
} // namespace korv::test
