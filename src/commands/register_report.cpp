#include "commands/register_report.h"

#include "i18n/own_texts.h"

#include <algorithm>
#include <cstddef>

namespace korv {

namespace {

// A line of the body as laid out before the pages: keepWithNext ties it to the line after it,
// so both land on the same page.
struct FlowLine {
    ReportLine line;
    bool keepWithNext = false;
};

std::string Text(OwnTextName name, int language, std::initializer_list<std::string> args = {}) {
    return OwnText(name, language, args);
}

ReportLine ZoneHeading(int zone, bool continued, int language) {
    ReportLine l;
    l.kind = ReportLineKind::ZoneHeading;
    l.zone = zone;
    l.continued = continued;
    l.text = Text(continued ? OwnTextName::ReportZoneContinued : OwnTextName::ReportZone, language,
                  {std::to_string(zone)});
    return l;
}

ReportLine ApartmentHeading(int zone, int apartment, const std::string& wybierany, bool continued,
                            int language) {
    ReportLine l;
    l.kind = ReportLineKind::ApartmentHeading;
    l.zone = zone;
    l.apartment = apartment;
    l.continued = continued;
    l.text = Text(continued ? OwnTextName::ReportApartmentContinued : OwnTextName::ReportApartment,
                  language, {std::to_string(apartment)});
    if (!wybierany.empty())
        l.dialText = Text(OwnTextName::ReportDialNumber, language, {wybierany});
    return l;
}

bool Listed(const TListaZNumerem& cell) {
    return !cell.lista.empty() || !cell.wybierany.empty();
}

// The body in register order, before it is cut into pages.
std::vector<FlowLine> Flow(const TTablica& tablica, int language, int& cards, int& apartments) {
    std::vector<FlowLine> flow;
    cards = 0;
    apartments = 0;
    int lastZone = 0;
    for (int z = 1; z <= ZoneCount; ++z)
        for (int a = 0; a < ApartmentCount; ++a)
            if (Listed(tablica.Cell(z, a)))
                lastZone = z;
    for (int z = 1; z <= lastZone; ++z) {
        std::vector<int> listed;
        for (int a = 0; a < ApartmentCount; ++a)
            if (Listed(tablica.Cell(z, a)))
                listed.push_back(a);
        if (listed.empty())
            continue;
        if (!flow.empty())
            flow.push_back({ReportLine{}, false});
        flow.push_back({ZoneHeading(z, false, language), true});
        int zoneCards = 0;
        for (const int a : listed) {
            const TListaZNumerem& cell = tablica.Cell(z, a);
            const bool lastInZone = a == listed.back();
            flow.push_back({ApartmentHeading(z, a, cell.wybierany, false, language),
                            !cell.lista.empty() || lastInZone});
            for (std::size_t k = 0; k < cell.lista.size(); ++k) {
                const TKarta& karta = cell.lista[k];
                ReportLine l;
                l.kind = ReportLineKind::Card;
                l.zone = z;
                l.apartment = a;
                l.number = karta.numer;
                l.b1 = karta.B1 ? "1" : "0";
                l.description = karta.opis;
                flow.push_back({l, lastInZone && k + 1 == cell.lista.size()});
            }
            zoneCards += static_cast<int>(cell.lista.size());
        }
        ReportLine total;
        total.kind = ReportLineKind::ZoneTotal;
        total.zone = z;
        total.text =
            Text(OwnTextName::ReportZoneTotal, language,
                 {std::to_string(z), std::to_string(zoneCards), std::to_string(listed.size())});
        flow.push_back({total, z == lastZone});
        cards += zoneCards;
        apartments += static_cast<int>(listed.size());
    }
    ReportLine last;
    if (flow.empty()) {
        last.kind = ReportLineKind::NoCards;
        last.text = Text(OwnTextName::ReportNoCards, language);
    } else {
        last.kind = ReportLineKind::GrandTotal;
        last.text = Text(OwnTextName::ReportGrandTotal, language,
                         {std::to_string(cards), std::to_string(apartments)});
    }
    flow.push_back({last, false});
    return flow;
}

// What a page that starts at this line repeats first, so the line keeps its place.
std::vector<ReportLine> ContinuationOf(const ReportLine& first, const TTablica& tablica,
                                       int language) {
    std::vector<ReportLine> lines;
    if (first.zone == 0 || first.kind == ReportLineKind::ZoneHeading)
        return lines;
    lines.push_back(ZoneHeading(first.zone, true, language));
    if (first.kind == ReportLineKind::Card)
        lines.push_back(ApartmentHeading(first.zone, first.apartment,
                                         tablica.Cell(first.zone, first.apartment).wybierany, true,
                                         language));
    return lines;
}

void ClosePage(std::vector<ReportPage>& pages, std::vector<ReportLine>& lines) {
    while (!lines.empty() && lines.back().kind == ReportLineKind::Blank)
        lines.pop_back();
    pages.push_back({std::move(lines), {}});
    lines.clear();
}

} // namespace

RegisterReport LayOutRegisterReport(const TTablica& tablica, const std::string& fileName,
                                    const std::string& dateText, int language, int linesPerPage) {
    RegisterReport report;
    report.title = Text(OwnTextName::ReportTitle, language);
    report.fileLine =
        Text(OwnTextName::ReportFile, language,
             {fileName.empty() ? Text(OwnTextName::ReportNotSaved, language) : fileName});
    report.dateLine = Text(OwnTextName::ReportDate, language, {dateText});
    report.numberCaption = Text(OwnTextName::ReportNumberColumn, language);
    report.b1Caption = "B1";
    report.descriptionCaption = Text(OwnTextName::ReportDescriptionColumn, language);

    const int capacity = std::max(linesPerPage, kMinReportLinesPerPage);
    const std::vector<FlowLine> flow = Flow(tablica, language, report.cards, report.apartments);
    std::vector<ReportLine> page;
    int placed = 0; // lines of the flow on this page, continuation lines not counted
    for (std::size_t i = 0; i < flow.size();) {
        if (flow[i].line.kind == ReportLineKind::Blank && placed == 0) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (flow[end].keepWithNext && end + 1 < flow.size())
            ++end;
        const int size = static_cast<int>(end - i + 1);
        if (placed > 0 && static_cast<int>(page.size()) + size > capacity) {
            ClosePage(report.pages, page);
            placed = 0;
            if (flow[i].line.kind == ReportLineKind::Blank) {
                ++i;
                continue;
            }
            page = ContinuationOf(flow[i].line, tablica, language);
        }
        for (std::size_t k = i; k <= end; ++k)
            page.push_back(flow[k].line);
        placed += size;
        i = end + 1;
    }
    ClosePage(report.pages, page);

    const std::string count = std::to_string(report.pages.size());
    for (std::size_t n = 0; n < report.pages.size(); ++n)
        report.pages[n].footer =
            Text(OwnTextName::ReportPageNumber, language, {std::to_string(n + 1), count});
    return report;
}

} // namespace korv
