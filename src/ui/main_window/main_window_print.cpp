// File > Print register...: the register's pages on a printer, or in a PDF through the print
// dialog's "Print to File".
#include "ui/main_window/main_window.h"

#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "ui/print/register_printing.h"

#include <QAction>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>

namespace korv::ui {

void TMain::ConnectPrintItem() {
    connect(Drukuj_rejestr1, &QAction::triggered, this, &TMain::Drukuj_rejestr1Click);
    askReportPrinter = [](QPrinter& printer, QWidget& parent) {
        QPrintDialog dialog(&printer, &parent);
        return dialog.exec() == QDialog::Accepted;
    };
}

void TMain::Drukuj_rejestr1Click() {
    QPrinter printer(QPrinter::HighResolution);
    SetUpReportPage(printer);
    const int language = LanguageIndex();
    printer.setDocName(QString::fromStdString(OwnText(OwnTextName::ReportTitle, language)));
    if (!askReportPrinter(printer, *this))
        return;
    // The register as it is now: a command that could change it cannot run meanwhile, as this
    // item is one of the File items that are off while one runs.
    const RegisterReportInput input{&state_.tablica, state_.Sciezka, ReportDateText(), language};
    const bool range = printer.printRange() == QPrinter::PageRange;
    if (!DrawRegisterReport(printer, input, range ? printer.fromPage() : 0,
                            range ? printer.toPage() : 0))
        ui().ShowError(OwnText(OwnTextName::ReportNotPrinted, language));
}

} // namespace korv::ui
