#include "ui/widgets/fit_caption.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVariant>

namespace korv::ui {

namespace {

constexpr char kDesignPixels[] = "korvDesignPixels";

QString Caption(const QWidget* control) {
    if (auto* b = qobject_cast<const QAbstractButton*>(control))
        return b->text().remove('&');
    if (auto* l = qobject_cast<const QLabel*>(control))
        return l->text();
    return {};
}

bool Fits(const QWidget* control) {
    return CaptionWidth(control) <= CaptionRoom(control);
}

} // namespace

int CaptionRoom(const QWidget* control) {
    const QStyle* style = control->style();
    if (qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control)) {
        const bool check = qobject_cast<const QCheckBox*>(control) != nullptr;
        return control->width() -
               style->pixelMetric(check ? QStyle::PM_IndicatorWidth
                                        : QStyle::PM_ExclusiveIndicatorWidth) -
               style->pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing
                                        : QStyle::PM_RadioButtonLabelSpacing) -
               2;
    }
    if (qobject_cast<const QPushButton*>(control))
        return control->width() - 2 * 8 - 2; // the style sheet's padding and border
    return control->width();
}

int CaptionWidth(const QWidget* control) {
    return control->fontMetrics().horizontalAdvance(Caption(control));
}

void FitCaptions(QWidget* root) {
    QList<QWidget*> controls;
    for (auto* b : root->findChildren<QAbstractButton*>())
        controls << b;
    for (auto* l : root->findChildren<QLabel*>())
        if (!l->wordWrap() && l->pixmap().isNull() && l->textFormat() != Qt::RichText)
            controls << l;
    for (QWidget* c : controls) {
        if (Caption(c).isEmpty())
            continue;
        QFont f = c->font();
        if (!c->property(kDesignPixels).isValid())
            c->setProperty(kDesignPixels, f.pixelSize());
        const int design = c->property(kDesignPixels).toInt();
        if (design <= 0)
            continue; // not a pixel-sized font: leave it to the style
        f.setPixelSize(design);
        c->setFont(f);
        for (int px = design - 1; !Fits(c) && px >= kSmallestCaptionPixels; --px) {
            f.setPixelSize(px);
            c->setFont(f);
        }
    }
}

} // namespace korv::ui
