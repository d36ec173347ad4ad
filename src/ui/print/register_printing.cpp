#include "ui/print/register_printing.h"

#include "commands/register_report.h"
#include "i18n/own_texts.h"

#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <algorithm>
#include <cstdlib>

namespace korv::ui {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Fonts in points, so the print is as large on every device; families that carry the Polish
// letters on Linux and Windows alike.
QFont ReportFont(double points, bool bold = false) {
    QFont f;
    f.setFamilies({"DejaVu Sans", "Liberation Sans", "Arial", "Helvetica"});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Where things go on a page, in the device's units, worked out once from its fonts.
struct PageGeometry {
    QFont title = ReportFont(14, true);
    QFont body = ReportFont(10);
    QFont bold = ReportFont(10, true);
    QFont zone = ReportFont(11, true);
    QFont small = ReportFont(8);
    double width = 0;
    double height = 0;
    double line = 0;   // every body line
    double header = 0; // title, file and date, the column captions and the rule under them
    double footer = 0;
    double indent = 0; // card lines under their apartment
    double b1X = 0;    // the columns of a card line
    double descriptionX = 0;

    int LinesPerPage() const { return static_cast<int>((height - header - footer) / line); }
};

PageGeometry Measure(QPagedPaintDevice& device) {
    PageGeometry g;
    g.width = device.width();
    g.height = device.height();
    const QFontMetricsF body(g.body, &device);
    const QFontMetricsF zone(g.zone, &device);
    g.line = std::max(body.lineSpacing(), zone.lineSpacing()) * 1.15;
    const QFontMetricsF title(g.title, &device);
    g.header = title.lineSpacing() + body.lineSpacing() * 1.2 + g.line * 1.4;
    g.footer = g.line * 1.5;
    g.indent = body.horizontalAdvance("0000");
    return g;
}

// The number column is as wide as the widest number (or its caption), within a third of the
// page; B1 as wide as its caption.
void PlaceColumns(PageGeometry& g, const RegisterReport& report, QPagedPaintDevice& device) {
    const QFontMetricsF body(g.body, &device);
    const QFontMetricsF bold(g.bold, &device);
    double number = bold.horizontalAdvance(Q(report.numberCaption));
    for (const ReportPage& page : report.pages)
        for (const ReportLine& l : page.lines)
            if (l.kind == ReportLineKind::Card)
                number = std::max(number, body.horizontalAdvance(Q(l.number)));
    const double gap = body.horizontalAdvance("   ");
    g.b1X = g.indent + std::min(number, g.width / 3) + gap;
    g.descriptionX = g.b1X + bold.horizontalAdvance(Q(report.b1Caption)) + gap;
}

void DrawText(QPainter& p, const QFont& font, double x, double baseline, double width,
              const QString& text, Qt::TextElideMode elide = Qt::ElideRight) {
    p.setFont(font);
    const QFontMetricsF m(font, p.device());
    p.drawText(QPointF(x, baseline), m.elidedText(text, elide, std::max(0.0, width)));
}

double Baseline(const PageGeometry& g, double top, const QFont& font, QPaintDevice* device) {
    const QFontMetricsF m(font, device);
    return top + (g.line + m.ascent() - m.descent()) / 2;
}

void DrawHeader(QPainter& p, const PageGeometry& g, const RegisterReport& report) {
    QPaintDevice* d = p.device();
    const QFontMetricsF title(g.title, d);
    const QFontMetricsF body(g.body, d);
    double y = title.ascent();
    DrawText(p, g.title, 0, y, g.width / 2, Q(report.title));
    const QString date = Q(report.dateLine);
    DrawText(p, g.body, g.width - body.horizontalAdvance(date), y, g.width / 2, date);
    y = title.lineSpacing() + body.ascent();
    DrawText(p, g.body, 0, y, g.width, Q(report.fileLine), Qt::ElideMiddle);
    const double captionTop = title.lineSpacing() + body.lineSpacing() * 1.2;
    const double captionBase = Baseline(g, captionTop, g.bold, d);
    DrawText(p, g.bold, g.indent, captionBase, g.b1X - g.indent, Q(report.numberCaption));
    DrawText(p, g.bold, g.b1X, captionBase, g.descriptionX - g.b1X, Q(report.b1Caption));
    DrawText(p, g.bold, g.descriptionX, captionBase, g.width - g.descriptionX,
             Q(report.descriptionCaption));
    p.setPen(QPen(Qt::black, 0));
    const double rule = captionTop + g.line * 1.1;
    p.drawLine(QPointF(0, rule), QPointF(g.width, rule));
}

void DrawLine(QPainter& p, const PageGeometry& g, double top, const ReportLine& l) {
    QPaintDevice* d = p.device();
    switch (l.kind) {
    case ReportLineKind::ZoneHeading:
        DrawText(p, g.zone, 0, Baseline(g, top, g.zone, d), g.width, Q(l.text));
        break;
    case ReportLineKind::ApartmentHeading: {
        const double base = Baseline(g, top, g.bold, d);
        DrawText(p, g.bold, 0, base, g.width, Q(l.text));
        if (!l.dialText.empty()) {
            const double x = std::max(
                g.descriptionX, QFontMetricsF(g.bold, d).horizontalAdvance(Q(l.text) + "   "));
            DrawText(p, g.body, x, base, g.width - x, Q(l.dialText));
        }
        break;
    }
    case ReportLineKind::Card: {
        const double base = Baseline(g, top, g.body, d);
        DrawText(p, g.body, g.indent, base, g.b1X - g.indent, Q(l.number));
        DrawText(p, g.body, g.b1X, base, g.descriptionX - g.b1X, Q(l.b1));
        DrawText(p, g.body, g.descriptionX, base, g.width - g.descriptionX, Q(l.description));
        break;
    }
    case ReportLineKind::ZoneTotal:
        DrawText(p, g.bold, g.indent, Baseline(g, top, g.bold, d), g.width - g.indent, Q(l.text));
        break;
    case ReportLineKind::GrandTotal:
        p.setPen(QPen(Qt::black, 0));
        p.drawLine(QPointF(0, top), QPointF(g.width, top));
        DrawText(p, g.zone, 0, Baseline(g, top, g.zone, d), g.width, Q(l.text));
        break;
    case ReportLineKind::NoCards:
        DrawText(p, g.body, 0, Baseline(g, top, g.body, d), g.width, Q(l.text));
        break;
    case ReportLineKind::Blank:
        break;
    }
}

} // namespace

void SetUpReportPage(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

bool DrawRegisterReport(QPagedPaintDevice& device, const RegisterReportInput& input, int fromPage,
                        int toPage) {
    PageGeometry g = Measure(device);
    const RegisterReport report = LayOutRegisterReport(
        *input.tablica, input.fileName, input.dateText, input.language, g.LinesPerPage());
    PlaceColumns(g, report, device);
    const int count = static_cast<int>(report.pages.size());
    const int first = std::clamp(fromPage > 0 ? fromPage : 1, 1, count);
    const int last = std::clamp(toPage > 0 ? toPage : count, first, count);
    QPainter p;
    if (!p.begin(&device))
        return false;
    p.setPen(Qt::black);
    for (int n = first; n <= last; ++n) {
        if (n > first && !device.newPage())
            return false;
        const ReportPage& page = report.pages[n - 1];
        DrawHeader(p, g, report);
        double top = g.header;
        for (const ReportLine& l : page.lines) {
            DrawLine(p, g, top, l);
            top += g.line;
        }
        const QString footer = Q(page.footer);
        const QFontMetricsF small(g.small, &device);
        DrawText(p, g.small, (g.width - small.horizontalAdvance(footer)) / 2,
                 g.height - small.descent(), g.width, footer);
    }
    return p.end();
}

bool WriteRegisterReportPdf(const QString& path, const RegisterReportInput& input) {
    QPdfWriter pdf(path);
    SetUpReportPage(pdf);
    pdf.setTitle(QString::fromStdString(OwnText(OwnTextName::ReportTitle, input.language)));
    pdf.setCreator("KORV");
    return DrawRegisterReport(pdf, input);
}

std::string ReportDateText() {
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (end != epoch && *end == '\0' && seconds >= 0)
            return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC)
                .date()
                .toString(Qt::ISODate)
                .toStdString();
    }
    return QDate::currentDate().toString(Qt::ISODate).toStdString();
}

} // namespace korv::ui
