// The printed register drawn into a PDF, read back as text; and the File menu's item, off while
// a command runs and printing the window's register when asked.
#include "support/gate.h"
#include "ui/print/register_printing.h"
#include "window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

namespace korv::test {
namespace {

// The PDF's text in reading order, form feeds between pages.
QString PdfText(const QString& pdf) {
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    if (!text.waitForFinished(20000))
        return {};
    return QString::fromUtf8(text.readAllStandardOutput());
}

TEST(RegisterPdf, CardsPolishDescriptionsTotalsAndPageNumbersComeOutAsText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto t = std::make_unique<TTablica>();
    t->AddCard(1, 1, {"4412873", true, "Zażółć gęślą jaźń"});
    t->Cell(1, 1).wybierany = "0101";
    // Enough cards in zone 2 for several pages.
    for (int k = 0; k < 150; ++k)
        t->AddCard(2, 10 + k / 5, {std::to_string(900000 + k), false, "Łódź " + std::to_string(k)});
    const QString pdf = dir.path() + "/rejestr.pdf";
    const ui::RegisterReportInput input{t.get(), "/home/jan/klatka.zel", "2026-12-10", Polish};
    ASSERT_TRUE(ui::WriteRegisterReportPdf(pdf, input));
    const QString text = PdfText(pdf);
    const QStringList pages = text.split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3) << text.left(400).toStdString();
    const QString count = QString::number(pages.size());
    for (int n = 0; n < pages.size(); ++n) {
        EXPECT_TRUE(pages[n].contains(QString("Strona %1 z %2").arg(n + 1).arg(count)))
            << n + 1 << ": " << pages[n].toStdString();
        EXPECT_TRUE(pages[n].contains("Plik: /home/jan/klatka.zel"));
        EXPECT_TRUE(pages[n].contains("Data: 2026-12-10"));
    }
    EXPECT_TRUE(pages[0].contains(QRegularExpression("4412873\\s+1\\s+Zażółć gęślą jaźń")))
        << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(QRegularExpression("Lokal 1\\s+numer do wybrania: 0101")));
    EXPECT_TRUE(text.contains("Strefa 1 razem: kart 1, lokali 1"));
    EXPECT_TRUE(text.contains("Strefa 2 razem: kart 150, lokali 30"));
    EXPECT_TRUE(pages.last().contains("Cały rejestr: kart 151, lokali 31"));
    EXPECT_TRUE(pages[1].contains("Strefa 2 (cd.)"));
    for (int k = 0; k < 150; ++k)
        EXPECT_EQ(text.count(QString::number(900000 + k)), 1) << k;
    EXPECT_TRUE(text.contains("Łódź 149"));

    // A page range prints those pages, numbered as in the whole.
    {
        QPdfWriter part(dir.path() + "/part.pdf");
        ui::SetUpReportPage(part);
        ASSERT_TRUE(ui::DrawRegisterReport(part, input, 2, 3));
    }
    const QStringList part = PdfText(dir.path() + "/part.pdf").split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(part.size(), 2);
    EXPECT_TRUE(part[0].contains(QString("Strona 2 z %1").arg(count)));
    EXPECT_TRUE(part[1].contains(QString("Strona 3 z %1").arg(count)));

    // A PDF that cannot be written says so.
    EXPECT_FALSE(ui::WriteRegisterReportPdf(dir.path() + "/none/x.pdf", {t.get(), "", "", 0}));
}

TEST_F(WindowTest, PrintRegisterIsOffWhileACommandRunsAndPrintsTheRegisterOtherwise) {
    ui::TMain& w = Start();
    EXPECT_EQ(w.Drukuj_rejestr1->text(), "Print register...");
    EXPECT_TRUE(w.Drukuj_rejestr1->isEnabled());
    const QList<QAction*> items = w.Plik1->actions();
    // The last of the File items, after Save as and what follows it, above Close's separator.
    const qsizetype close = items.indexOf(w.Wyjcie1);
    ASSERT_GE(close, 2);
    EXPECT_TRUE(items[close - 1]->isSeparator());
    EXPECT_EQ(items[close - 2], w.Drukuj_rejestr1);
    EXPECT_GT(items.indexOf(w.Drukuj_rejestr1), items.indexOf(w.Zapiszjako1));

    w.state().tablica.AddCard(3, 44, {"123456", false, "Wiśniewska"});
    w.state().Sciezka = "/tmp/blok-c.zel";
    const QString pdf = dir.path() + "/window.pdf";
    int asked = 0;
    w.askReportPrinter = [&](QPrinter& printer, QWidget&) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };

    Gate gate;
    ASSERT_TRUE(w.StartJob(JobKind::Find, [&](ModuleContext&) { gate.Arrive(); }));
    ASSERT_TRUE(gate.WaitForArrival());
    QApplication::processEvents();
    EXPECT_TRUE(w.CommandRunning());
    EXPECT_FALSE(w.Drukuj_rejestr1->isEnabled());
    w.Drukuj_rejestr1->trigger();
    QApplication::processEvents();
    EXPECT_EQ(asked, 0);
    gate.Open();
    ASSERT_TRUE(Settle(w));
    EXPECT_TRUE(w.Drukuj_rejestr1->isEnabled());

    w.SelectLanguage(Polish);
    EXPECT_EQ(w.Drukuj_rejestr1->text(), "Drukuj rejestr...");
    w.Drukuj_rejestr1->trigger();
    EXPECT_EQ(asked, 1);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains("Plik: /tmp/blok-c.zel")) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("123456\\s+0\\s+Wiśniewska")));
    EXPECT_TRUE(text.contains("Strona 1 z 1"));
}

} // namespace
} // namespace korv::test
