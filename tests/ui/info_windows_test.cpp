// The Info menu's windows: which text and picture each language gets, the contact window made
// anew at every opening, its hover colours and links, and printing the text to a PDF file.
#include "ui/info/contact_window.h"
#include "ui/info/desktop_links.h"
#include "ui/info/info_text_window.h"
#include "ui/widgets/link_label.h"
#include "window_fixture.h"

#include <QAction>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QTest>

namespace korv::test {
namespace {

class InfoWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ui::SetLinkOpener([this](const QUrl& url) { opened << url.toEncoded(); });
    }
    void TearDown() override {
        ui::SetLinkOpener({});
        WindowTest::TearDown();
    }
    // Opens the menu item's window, lets check look at it, then closes it with its OK.
    template <typename Window> void Open(QAction* item, std::function<void(Window*)> check) {
        bool seen = false;
        WhenModal([&](QWidget* modal) {
            auto* w = qobject_cast<Window*>(modal);
            if (!w) {
                ADD_FAILURE() << "another window: " << modal->metaObject()->className();
                modal->close();
                return;
            }
            seen = true;
            check(w);
            static_cast<QDialog*>(modal)->accept();
        });
        item->trigger();
        EXPECT_TRUE(seen);
    }

    QStringList opened;
};

TEST_F(InfoWindowTest, HelpAndUsbShowPolishForPolishAndEnglishForEveryOtherLanguage) {
    ui::TMain& w = Start();
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        w.SelectLanguage(language);
        for (QAction* item : {w.help1, w.OUSB1})
            Open<ui::InfoTextWindow>(item, [&](ui::InfoTextWindow* window) {
                EXPECT_EQ(window->Memo1->isVisible(), language == 0);
                EXPECT_EQ(window->Memo2->isVisible(), language != 0);
                EXPECT_EQ(window->ButtonOK->text(), "OK");
                EXPECT_EQ(window->ButtonDrukuj->text(), language == 0 ? "Drukuj" : "Print");
                if (auto* help = qobject_cast<ui::TForm_Help*>(window)) {
                    EXPECT_EQ(help->Label2->text(),
                              language == 0 ? "Instrukcja:" : "Instructions:");
                    // The link starts after the label, whichever language made it wider.
                    EXPECT_GE(help->Label3->x(),
                              help->Label2->x() + help->Label2->sizeHint().width());
                }
            });
    }
    Open<ui::InfoTextWindow>(w.help1, [](ui::InfoTextWindow* window) {
        EXPECT_EQ(window->size(), QSize(796, 433));
        EXPECT_TRUE(window->Memo2->toPlainText().contains("6144 cards"));
        EXPECT_TRUE(window->Memo1->toPlainText().contains("6144 kart"));
        QTest::mouseClick(static_cast<ui::TForm_Help*>(window)->Label3, Qt::LeftButton);
    });
    EXPECT_EQ(opened, QStringList{"https://www.example.com/logowanie"});
    Open<ui::InfoTextWindow>(w.OUSB1, [](ui::InfoTextWindow* window) {
        EXPECT_EQ(window->size(), QSize(790, 451));
        EXPECT_TRUE(window->Memo2->toPlainText().contains("dialout"));
        EXPECT_TRUE(window->Memo1->toPlainText().contains("RUF_sterownik(x64).exe"));
    });
}

TEST_F(InfoWindowTest, ContactWindowIsMadeAnewForEachLanguageWithItsPictureAndAddresses) {
    ui::TMain& w = Start();
    w.SelectLanguage(Polish);
    Open<ui::TAbout>(w.Kontakt1, [this](ui::TAbout* about) {
        EXPECT_TRUE(about->ImagePolski->isVisible());
        EXPECT_FALSE(about->ImageAngielski->isVisible());
        EXPECT_EQ(about->LabelMail->text(), "serwis@example.com");
        QTest::mouseClick(about->LabelSupport, Qt::LeftButton);
        QTest::mouseClick(about->LabelMail, Qt::LeftButton);
        EXPECT_EQ(opened, (QStringList{"https://www.example.com/wsparcie/",
                                       "mailto:serwis@example.com?subject=Dot.%20programu%20BEX%"
                                       "20RUF"}));
    });
    // English after Polish: the designed (English) addresses, not the ones Polish set.
    w.SelectLanguage(English);
    Open<ui::TAbout>(w.Kontakt1, [](ui::TAbout* about) {
        EXPECT_TRUE(about->ImageAngielski->isVisible());
        EXPECT_FALSE(about->ImagePolski->isVisible());
        EXPECT_EQ(about->LabelSupport->text(), "https://www.example.com/support/");
        EXPECT_EQ(about->LabelMail->text(), "service@example.com");
    });
    w.SelectLanguage(2);
    Open<ui::TAbout>(w.Kontakt1,
                     [](ui::TAbout* about) { EXPECT_TRUE(about->ImageNiemiecki->isVisible()); });
    w.SelectLanguage(4);
    Open<ui::TAbout>(w.Kontakt1, [](ui::TAbout* about) {
        for (QLabel* picture : {about->ImagePolski, about->ImageAngielski, about->ImageNiemiecki})
            EXPECT_FALSE(picture->isVisible());
        EXPECT_TRUE(about->LabelWWW->isVisible());
    });

    // Clicking the OK label closes the window.
    bool closed = false;
    WhenModal([&](QWidget* modal) {
        auto* about = qobject_cast<ui::TAbout*>(modal);
        ASSERT_NE(about, nullptr);
        QTest::mouseClick(about->LabelOK, Qt::LeftButton);
        closed = !about->isVisible();
        if (!closed)
            about->reject();
    });
    w.Kontakt1->trigger();
    EXPECT_TRUE(closed);
}

TEST_F(InfoWindowTest, ContactLinksAndTheOkBoxLightUpUnderTheMouse) {
    ui::TMain& w = Start();
    ui::TAbout about(&w);
    about.SetLanguage(English);
    about.show();
    const QColor grey(128, 128, 128), green(180, 220, 70);
    EXPECT_EQ(about.LabelWWW->TextColour(), grey);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(about.LabelWWW, &enter);
    EXPECT_EQ(about.LabelWWW->TextColour(), green);
    QApplication::sendEvent(about.LabelWWW, &leave);
    EXPECT_EQ(about.LabelWWW->TextColour(), grey);

    const QColor scrollBar = about.OkBoxColour();
    QApplication::sendEvent(about.LabelOK, &enter);
    EXPECT_EQ(about.OkBoxColour(), green);
    QApplication::sendEvent(about.LabelOK, &leave);
    EXPECT_EQ(about.OkBoxColour(), scrollBar);
    EXPECT_NE(scrollBar, green);
}

TEST_F(InfoWindowTest, DrukujPrintsTheLanguagesTextAsOneUntitledDocument) {
    ui::TMain& w = Start();
    ui::TO_USB window(&w);
    window.ShowLanguage(2); // German reads the English text
    const auto dialog = window.MakePrintDialog();
    EXPECT_EQ(dialog->minPage(), 1);
    EXPECT_EQ(dialog->maxPage(), 1);

    const QString pdf = dir.path() + "/usb.pdf";
    window.askPrinter = [&](QPrinter& printer, ui::InfoTextWindow&) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    QTest::mouseClick(window.ButtonDrukuj, Qt::LeftButton);
    EXPECT_TRUE(window.RichEdit1->toPlainText().isEmpty());
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("The order of connecting")) << printed.left(200).toStdString();
    EXPECT_FALSE(printed.contains("Kolejność"));
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(20000));
    const QString meta = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(meta.contains(QRegularExpression("Pages:\\s+\\d"))) << meta.toStdString();
    EXPECT_FALSE(meta.contains(QRegularExpression("Title:[ \\t]+\\S"))) << meta.toStdString();

    // Cancelled: nothing printed.
    QFile::remove(pdf);
    window.askPrinter = [](QPrinter&, ui::InfoTextWindow&) { return false; };
    QTest::mouseClick(window.ButtonDrukuj, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
} // namespace korv::test
