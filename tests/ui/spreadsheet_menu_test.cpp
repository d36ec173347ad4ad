#include "modal.h"
#include "window_fixture.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

using namespace korv;
using korv::test::WhenModal;
using korv::test::WindowTest;

TEST_F(WindowTest, TheSpreadsheetItemsFollowSaveAsAndImportThroughTheQuestion) {
    ui::TMain& w = Start();
    const QList<QAction*> items = w.Plik1->actions();
    ASSERT_EQ(items.size(), 9);
    EXPECT_EQ(items[4], w.Zapiszjako1);
    EXPECT_EQ(items[5], w.Importuj_arkusz1);
    EXPECT_EQ(items[6], w.Eksportuj_arkusz1);
    EXPECT_TRUE(items[7]->isSeparator());
    EXPECT_EQ(items[8], w.Wyjcie1);
    // Off with the other file items while a command runs, on otherwise.
    EXPECT_TRUE(w.FileItems->actions().contains(w.Importuj_arkusz1));
    EXPECT_TRUE(w.FileItems->actions().contains(w.Eksportuj_arkusz1));
    EXPECT_TRUE(w.Importuj_arkusz1->isEnabled());
    EXPECT_TRUE(w.Eksportuj_arkusz1->isEnabled());
    EXPECT_EQ(w.Importuj_arkusz1->text(), "Import from spreadsheet...");
    w.SelectLanguage(Polish);
    EXPECT_EQ(w.Importuj_arkusz1->text(), "Importuj z arkusza...");
    EXPECT_EQ(w.Eksportuj_arkusz1->text(), "Eksportuj do arkusza...");

    const QString path = dir.path() + "/lokatorzy.csv";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBFstrefa;lokal;karta;b1;opis;wybierany numer\r\n"
                "1;0;4711;0;Administrator;\r\n1;12;4712;0;Nowak;112\r\n");
    }
    AnswerFileQuestions({path});
    QString question;
    WhenModal([&](QWidget* box) {
        auto* m = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(m, nullptr);
        question = m->text();
        m->button(QMessageBox::Yes)->click();
    });
    w.Importuj_arkusz1->trigger();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].filter.startsWith("Arkusz CSV (*.csv *.txt)"))
        << asked[0].filter.toStdString();
    EXPECT_TRUE(question.contains("kart: 2 (lokali: 2)")) << question.toStdString();
    EXPECT_EQ(w.state().tablica.CardCount(), 2);
    EXPECT_EQ(w.state().tablica.Cell(1, 12).wybierany, "112");
    EXPECT_TRUE(w.state().NeedSave);
    EXPECT_EQ(w.ListView1->topLevelItemCount(), 1); // apartment 0 shown again, its card listed
}
