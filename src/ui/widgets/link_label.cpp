#include "ui/widgets/link_label.h"

#include <QMouseEvent>

namespace korv::ui {

LinkLabel::LinkLabel(QWidget* parent, const char* name, QColor normal, QColor hover)
    : QLabel(parent), normal_(normal), hover_(hover) {
    setObjectName(name);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    Paint(normal_);
}

QColor LinkLabel::TextColour() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::Paint(QColor colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    Paint(hover_);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    Paint(normal_);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace korv::ui
