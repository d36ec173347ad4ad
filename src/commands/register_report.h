// The printed register, laid out in lines and pages without knowing how it is drawn: the
// window's print and korv-render's PDF draw the same pages, and tests check the layout on its
// own.
//
// What goes where:
// - Every page has a header (the title, the file, the date, the column captions) and a footer
//   ("page n of m"); neither counts against the page's capacity, which is body lines only.
// - The body walks the register in its order. A zone with anything to show gets a heading;
//   each apartment with cards or a number to dial gets a line with its number to dial, then
//   one line per card (number, B1, description); the zone ends with its total. After the last
//   zone comes the register's total. An apartment with neither cards nor a number to dial is
//   left out, and so is a zone with nothing left. Zones follow each other on the same page,
//   one blank line apart, since most buildings have one or two short zones.
// - Page breaks: an apartment's line is never the last on its page while its cards follow (it
//   moves to the next page with its first card); a zone's heading stays with its first
//   apartment and first card; a zone's total stays with the zone's last line, and the
//   register's total with the last zone's total. A page that goes on inside a zone opens with
//   the zone's heading marked as continued, and inside an apartment with the apartment's line
//   marked as continued, so cards at the top of a page are never without their place. A blank
//   line is never the first on a page.
// - An empty register (nothing to show) gives one page that says the register holds no cards.
#pragma once

#include "core/card_register.h"

#include <string>
#include <vector>

namespace korv {

enum class ReportLineKind {
    ZoneHeading,      // text: "Zone 1", or "Zone 1 (continued)"
    ApartmentHeading, // text: "Apartment 12"; dialText: "number to dial: 0101" or empty
    Card,             // number, b1, description
    ZoneTotal,        // text
    GrandTotal,       // text
    NoCards,          // text: the register holds nothing to print
    Blank,            // between zones
};

struct ReportLine {
    ReportLineKind kind = ReportLineKind::Blank;
    std::string text;
    std::string dialText;
    std::string number;
    std::string b1; // "1" or "0"
    std::string description;
    int zone = 0;       // 1..4 for the lines of a zone
    int apartment = -1; // 0..255 for an apartment's heading and cards
    bool continued = false;
};

struct ReportPage {
    std::vector<ReportLine> lines;
    std::string footer; // "Page 2 of 5"
};

struct RegisterReport {
    // The header every page repeats.
    std::string title;
    std::string fileLine; // "File: /path/x.zel", or that the register is not saved in a file
    std::string dateLine;
    std::string numberCaption;
    std::string b1Caption;
    std::string descriptionCaption;
    std::vector<ReportPage> pages; // at least one
    int cards = 0;
    int apartments = 0; // apartments listed
};

// The least body lines a page can have: a continued zone heading, a continued apartment line,
// and a card, a zone total and the register's total kept together.
inline constexpr int kMinReportLinesPerPage = 5;

// Lays out the register. fileName is the register's file (AppState::Sciezka), empty when it was
// never saved; dateText is shown as given; language 0..5 (Polish, else English);
// linesPerPage below kMinReportLinesPerPage counts as that.
RegisterReport LayOutRegisterReport(const TTablica& tablica, const std::string& fileName,
                                    const std::string& dateText, int language, int linesPerPage);

} // namespace korv
