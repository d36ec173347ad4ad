#include "ui/info/banner.h"

#include "ui/info/maker_details.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace korv::ui {

namespace {

struct Words {
    const char* product;
    const char* tagline;
    const char* country;
    const char* phone;
};

Words WordsFor(BannerLanguage language) {
    switch (language) {
    case BannerLanguage::Polish:
        return {"Czytnik zbliżeniowy ZEL", "kontrola dostępu do budynków", maker::kCountryPolish,
                "tel."};
    case BannerLanguage::German:
        return {"ZEL Näherungsleser", "Zutrittskontrolle für Gebäude", maker::kCountryGerman,
                "Tel."};
    case BannerLanguage::English:
        break;
    }
    return {"ZEL proximity reader", "access control for buildings", maker::kCountryEnglish,
            "phone"};
}

const QColor kInk(40, 60, 90);
const QColor kAccent(70, 130, 180);

void DrawLogo(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(24, 22, 64, 64), 14, 14);
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
    // Three arcs: a card's field spreading from the reader.
    for (int r : {12, 22, 32})
        p.drawArc(QRectF(40 - r, 66 - r, 2 * r, 2 * r), 10 * 16, 70 * 16);
    QFont f("DejaVu Sans");
    f.setPixelSize(26);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QPointF(102, 64), maker::kName);
}

void DrawAddress(QPainter& p, const Words& w) {
    QFont f("DejaVu Sans");
    f.setPixelSize(15);
    p.setFont(f);
    p.setPen(kInk);
    // The web and e-mail addresses are the contact window's links, below this block.
    const QStringList lines = {maker::kName, maker::kStreet, maker::kTown, w.country,
                               QString(w.phone) + " " + maker::kPhone};
    int y = 158;
    for (const QString& line : lines) {
        p.drawText(QPointF(28, y), line);
        y += 20;
    }
}

// The module on the wall: a panel with a speaker, a keypad and the reader's field.
void DrawReader(QPainter& p) {
    const QRectF body(470, 20, 150, 244);
    QLinearGradient metal(body.topLeft(), body.bottomRight());
    metal.setColorAt(0, QColor(230, 233, 238));
    metal.setColorAt(1, QColor(170, 176, 186));
    p.setPen(QPen(QColor(90, 96, 106), 2));
    p.setBrush(metal);
    p.drawRoundedRect(body, 12, 12);
    p.setPen(QPen(QColor(90, 96, 106), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(515, 40 + i * 7), QPointF(575, 40 + i * 7));
    p.setBrush(QColor(250, 250, 250));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(500 + col * 32, 86 + row * 28, 24, 20), 4, 4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kAccent, 3));
    p.drawEllipse(QPointF(545, 226), 16, 16);
    for (int r : {24, 31})
        p.drawArc(QRectF(545 - r, 226 - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
}

} // namespace

QPixmap DrawBanner(BannerLanguage language) {
    const Words w = WordsFor(language);
    QPixmap banner(kBannerWidth, kBannerHeight);
    banner.fill(Qt::white);
    QPainter p(&banner);
    p.setRenderHint(QPainter::Antialiasing);
    DrawLogo(p);
    QFont f("DejaVu Sans");
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kAccent);
    p.drawText(QRectF(24, 90, 430, 22), Qt::AlignLeft | Qt::AlignVCenter, w.product);
    f.setBold(false);
    f.setPixelSize(14);
    p.setFont(f);
    p.drawText(QRectF(24, 110, 430, 20), Qt::AlignLeft | Qt::AlignVCenter, w.tagline);
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(24, 136), QPointF(440, 136));
    DrawAddress(p, w);
    DrawReader(p);
    return banner;
}

} // namespace korv::ui
