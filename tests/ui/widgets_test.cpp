#include "commands/ui_seam.h"
#include "ui/dialogs/message_box.h"
#include "ui/dialogs/zone_chooser.h"
#include "ui/main_window/qt_ui.h"
#include "ui/widgets/push_panel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace korv;

namespace {

// Presses a button of the next modal box once it is up.
void PressWhenShown(QMessageBox::StandardButton which, QString* title = nullptr,
                    QMessageBox::StandardButton* byDefault = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (title)
            *title = box->windowTitle();
        if (byDefault)
            *byDefault = box->standardButton(box->defaultButton());
        box->button(which)->click();
    });
}

} // namespace

TEST(MessageBox, FlagsChooseButtonsAndResultsUseWindowsCodes) {
    QString title;
    QMessageBox::StandardButton def = QMessageBox::NoButton;
    PressWhenShown(QMessageBox::Yes, &title, &def);
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "Sure?", "Device reset", MbYesNoDefaultNo), IdYes);
    EXPECT_EQ(title, "Device reset");
    EXPECT_EQ(def, QMessageBox::No);

    PressWhenShown(QMessageBox::No);
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "Sure?", "", MbYesNoDefaultNo), IdNo);
    PressWhenShown(QMessageBox::Cancel, &title);
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "Send?", "", MbYesNoCancel), IdCancel);
    EXPECT_EQ(title, "KORV"); // the application title stands in for an empty caption
    PressWhenShown(QMessageBox::No);
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "Send?", "x", MbYesNoCancel), IdNo);
    for (int flags : {MbError, MbWarning, MbInformation}) {
        PressWhenShown(QMessageBox::Ok);
        EXPECT_EQ(ui::ShowMessageBox(nullptr, "Done", "x", flags), IdOk);
    }
}

TEST(PushPanel, PressSinksAndShiftsReleaseClicksOnlyWithTheLeftButton) {
    QWidget parent;
    auto* panel = new ui::PushPanel(2, &parent);
    panel->setGeometry(0, 0, 140, 100);
    parent.show();
    EXPECT_EQ(panel->objectName(), "Panel2b");
    EXPECT_EQ(panel->label()->objectName(), "Label2b");
    EXPECT_EQ(ui::PushPanelPartnerName("Panel3b"), "Label3b");
    EXPECT_EQ(ui::PushPanelPartnerName("Label1b"), "Panel1b");
    EXPECT_EQ(ui::PushPanelPartnerName("Grid"), "");

    int clicks = 0;
    QObject::connect(panel, &ui::PushPanel::clicked, [&] { ++clicks; });
    const QPoint start = panel->label()->pos();
    QTest::mousePress(panel->label(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(panel->label()->pos(), start + QPoint(1, 1));
    QTest::mouseRelease(panel->label(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
    EXPECT_EQ(panel->label()->pos(), start);
    EXPECT_EQ(clicks, 1);

    QTest::mousePress(panel, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
    QTest::mouseRelease(panel, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);

    panel->setUsable(false);
    EXPECT_EQ(panel->label()->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(panel->label()->pos(), start);
    panel->setUsable(true);
    EXPECT_NE(panel->label()->palette().color(QPalette::WindowText), QColor(128, 128, 128));
}

TEST(ZoneChooser, ReturnsTheZoneOrZeroWhenCancelled) {
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<ui::TFormStrefa*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "Choose zone");
        EXPECT_EQ(d->Button1->text(), "Add");
        d->SpinEdit1->setValue(3);
        d->Button1->click();
    });
    EXPECT_EQ(ui::TFormStrefa::PodajStrefe(nullptr), 3);

    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<ui::TFormStrefa*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->SpinEdit1->findChild<QLineEdit*>()->setText("9");
        d->Button1->click();
    });
    EXPECT_EQ(ui::TFormStrefa::PodajStrefe(nullptr), 4);

    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<ui::TFormStrefa*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->Button2->click();
    });
    EXPECT_EQ(ui::TFormStrefa::PodajStrefe(nullptr), 0);
}

TEST(QtFilter, PipeFiltersBecomeQtFilters) {
    EXPECT_EQ(ui::QtFilterFromPipes("Moduł ZEL (*.zel)|*.zel|Wszystkie pliki (*.*)|*.*"),
              "Moduł ZEL (*.zel);;Wszystkie pliki (*.*)");
}
