// What the desktop and the keyboard see of the window: exact titles, Qt's texts in the
// program's language, menu shortcuts over the text boxes, the card list's columns.
#include "ui/app_style.h"
#include "ui/widgets/apartment_box.h"
#include "ui/widgets/fit_caption.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

namespace korv::test {
namespace {

TEST_F(WindowTest, TitlesAreExactlyWhatTheProgramSetsAndQtSpeaksItsLanguage) {
    ui::TMain& w = Start();
    EXPECT_EQ(w.windowTitle(), "ZEL v7.4");
    // Qt appends a display name to every title the desktop shows unless it is set empty.
    EXPECT_TRUE(QGuiApplication::applicationDisplayName().isEmpty());
    EXPECT_EQ(QApplication::applicationName(), "KORV");

    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_pl.qm"))
        GTEST_SKIP() << "Qt's Polish translation is not installed (qt6-translations-l10n)";
    QString yes;
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        yes = box->button(QMessageBox::Yes)->text();
        EXPECT_EQ(box->windowTitle(), "KORV");
        box->button(QMessageBox::No)->click();
    });
    w.SelectLanguage(Polish);
    w.ui().MessageBox("?", "", MbYesNoDefaultNo);
    EXPECT_EQ(yes.remove('&'), "Tak");
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        yes = box->button(QMessageBox::Yes)->text();
        box->button(QMessageBox::No)->click();
    });
    w.SelectLanguage(English);
    w.ui().MessageBox("?", "", MbYesNoDefaultNo);
    EXPECT_EQ(yes.remove('&'), "Yes");
}

TEST_F(WindowTest, CloseAndSaveAsShortcutsWorkWhileATextBoxHasTheFocus) {
    ui::TMain& w = Start();
    Tick(w); // Save as comes on with the first tick
    QTest::mouseClick(w.RadioGroup2Items[1], Qt::LeftButton); // the number box is editable
    w.activateWindow();
    w.SpinEdit1->setValue(5);
    w.EditWybierany->setFocus();
    QTest::keyClicks(w.EditWybierany, "42");
    AnswerFileQuestions({std::nullopt});
    QTest::keyClick(w.EditWybierany, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(asked.size(), 1u);              // Save as asked for a name
    EXPECT_EQ(w.EditWybierany->text(), "42"); // not undone
    EXPECT_EQ(w.state().tablica.Cell(1, 5).wybierany, "42");

    w.SpinEdit1->setFocus();
    WhenModal([](QWidget* box) { // the number to dial is in no file: give it up
        static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
    });
    QTest::keyClick(w.SpinEdit1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(w.isVisible()); // closed, nothing cut
    EXPECT_EQ(w.state().tablica.Cell(1, 5).wybierany, "42");
}

TEST_F(WindowTest, TheCardListsGapColumnIsTwoPixels) {
    ui::TMain& w = Start();
    EXPECT_EQ(w.ListView1->columnWidth(1), 2);
    EXPECT_EQ(w.ListView1->columnWidth(0), 100);
    EXPECT_EQ(w.ListView1->columnWidth(2), 113);
}

TEST_F(WindowTest, EveryCaptionFitsItsControlInEveryLanguageWhateverTheDesktopFont) {
    ui::TMain& w = Start();
    // Pixel-sized like the geometry: the desktop's font DPI cannot grow the text.
    EXPECT_EQ(QApplication::font().pixelSize(), ui::kDesignFontPixels);
    EXPECT_GT(w.SpinEdit1->font().pixelSize(), 0);
    for (int language = 0; language < kLanguageCount; ++language) {
        for (bool automatic : {false, true}) {
            w.SelectLanguage(language);
            w.CheckBox_auto->setChecked(automatic);
            for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
                if (b->text().isEmpty())
                    continue;
                EXPECT_GT(b->font().pixelSize(), 0) << b->objectName().toStdString();
                EXPECT_LE(ui::CaptionWidth(b), ui::CaptionRoom(b))
                    << "language " << language << ": " << b->objectName().toStdString() << " \""
                    << b->text().toStdString() << "\"";
            }
        }
    }
    w.CheckBox_auto->setChecked(false);
}

} // namespace
} // namespace korv::test
