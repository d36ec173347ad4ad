// The printed register on paper or in a PDF: the pages LayOutRegisterReport (commands/
// register_report.h) lays out, drawn on any paged device, so the window's print dialog and
// korv-render's PDF give the same pages.
#pragma once

#include "core/card_register.h"

#include <QString>

#include <string>

class QPagedPaintDevice;
class QPrinter;

namespace korv::ui {

struct RegisterReportInput {
    const TTablica* tablica = nullptr;
    std::string fileName; // the register's file; empty when it was never saved
    std::string dateText;
    int language = 0;
};

// Draws the register on the device's pages as they are set up (size, margins). Pages fromPage
// to toPage (1-based, 0 for no limit) are drawn; the footers still count every page. False
// when the device could not be painted on (a printer that refuses, a PDF file not writable).
bool DrawRegisterReport(QPagedPaintDevice& device, const RegisterReportInput& input,
                        int fromPage = 0, int toPage = 0);

// A4 portrait with 15 mm margins, the document named after the title: what both the window's
// printer and korv-render's PDF start from.
void SetUpReportPage(QPagedPaintDevice& device);

// Writes the register as a PDF at path; false when the file could not be written.
bool WriteRegisterReportPdf(const QString& path, const RegisterReportInput& input);

// The date printed on the register: today's local date, or, when SOURCE_DATE_EPOCH holds a
// number of seconds, that moment's date in UTC, so a report made again prints the same date
// and tests know what to look for. ISO form (2026-12-10), which reads the same in every language.
std::string ReportDateText();

} // namespace korv::ui
