#include "ui/widgets/apartment_grid.h"

#include "ui/widgets/accessible_widgets.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace korv::ui {

namespace {
constexpr int kColumns = 11;
constexpr int kRows = 27;
} // namespace

ApartmentGrid::ApartmentGrid(QWidget* parent) : QWidget(parent) {
    InstallAccessibleInterfaces();
    setObjectName("Grid");
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(453, 462);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ApartmentGrid::setCellText(int column, int row, const QString& text) {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows)
        return;
    if (text_[column][row] == text)
        return;
    text_[column][row] = text;
    if (!suspended_)
        update(cellRect(column, row).adjusted(-6, -2, 2, 2));
}

QString ApartmentGrid::cellText(int column, int row) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows)
        return {};
    return text_[column][row];
}

void ApartmentGrid::suspendPainting() {
    ++suspended_;
}

void ApartmentGrid::resumePainting() {
    if (suspended_ > 0 && --suspended_ == 0)
        update();
}

void ApartmentGrid::setCellColour(std::function<QColor(int, int)> colour) {
    colour_ = std::move(colour);
    update();
}

void ApartmentGrid::setCellName(std::function<QString(int, int)> name) {
    name_ = std::move(name);
}

QString ApartmentGrid::cellName(int column, int row) const {
    if (!name_ || column < 1 || column >= kColumns || row < 1 || row >= kRows)
        return {};
    return name_(column, row);
}

void ApartmentGrid::setSelection(int column, int row) {
    if (column == column_ && row == row_)
        return;
    column_ = column;
    row_ = row;
    update();
    announceCurrentCell();
}

void ApartmentGrid::announceCurrentCell() {
    if (!hasFocus() || column_ < 1 || row_ < 1)
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(GridCellChildIndex(column_, row_));
    QAccessible::updateAccessibility(&event);
}

QRect ApartmentGrid::cellRect(int column, int row) const {
    int x = kBorder;
    if (column > 0)
        x += kHeaderColumnWidth + kLine + (column - 1) * (kColumnWidth + kLine);
    const int y = kBorder + row * (kRowHeight + kLine);
    return QRect(x, y, column == 0 ? kHeaderColumnWidth : kColumnWidth, kRowHeight);
}

bool ApartmentGrid::cellAt(const QPoint& p, int& column, int& row) const {
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            if (cellRect(c, r).adjusted(0, 0, kLine, kLine).contains(p)) {
                column = c;
                row = r;
                return true;
            }
    return false;
}

bool ApartmentGrid::trySelect(int column, int row) {
    if (column < 1 || column >= kColumns || row < 1 || row >= kRows)
        return false;
    if (canSelect && !canSelect(column, row))
        return false;
    setSelection(column, row);
    emit cellSelected(column, row);
    return true;
}

void ApartmentGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor face = palette().color(QPalette::Button);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    p.setPen(palette().color(QPalette::Shadow));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // Row by row, left to right: each cell's frame reaches 5 px into its left neighbour, so
    // the order decides what stays visible, as it always has.
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const QRect cell = cellRect(c, r);
            if (r == 0 || c == 0) {
                p.fillRect(cell, face);
                p.setPen(palette().color(QPalette::Light));
                p.drawLine(cell.topLeft(), cell.topRight());
                p.drawLine(cell.topLeft(), cell.bottomLeft());
                p.setPen(palette().color(QPalette::ButtonText));
                p.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                           text_[c][r]);
                continue;
            }
            const QColor fill = colour_ ? colour_(c, r) : QColor(Qt::white);
            const QRect box(QPoint(cell.left() - 5, cell.top() - 1),
                            QPoint(cell.right() + 1, cell.bottom() + 1));
            p.setPen(Qt::black);
            p.setBrush(fill);
            p.drawRect(box.adjusted(0, 0, -1, -1));
            p.setBrush(Qt::NoBrush);
            const QFontMetrics fm(font());
            p.drawText(QPoint(cell.left() + 6, cell.top() + 2 + fm.ascent()), text_[c][r]);
            if (c == column_ && r == row_ && hasFocus()) {
                QPen dotted(Qt::black, 1, Qt::DotLine);
                p.setPen(dotted);
                p.drawRect(cell.adjusted(1, 1, -2, -2));
            }
        }
}

void ApartmentGrid::mousePressEvent(QMouseEvent* event) {
    pressInside_ = false;
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    int c = 0, r = 0;
    if (cellAt(event->position().toPoint(), c, r)) {
        trySelect(c, r);
        pressInside_ = true;
    }
}

void ApartmentGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressInside_)
        emit clicked();
    pressInside_ = false;
}

void ApartmentGrid::keyPressEvent(QKeyEvent* event) {
    int c = column_, r = row_;
    switch (event->key()) {
    case Qt::Key_Left:
        --c;
        break;
    case Qt::Key_Right:
        ++c;
        break;
    case Qt::Key_Up:
        --r;
        break;
    case Qt::Key_Down:
        ++r;
        break;
    case Qt::Key_Home:
        c = 1;
        break;
    case Qt::Key_End:
        c = kColumns - 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    trySelect(c, r);
}

void ApartmentGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if ((event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) &&
        cellName(column_, row_).isEmpty())
        emit enteredByTab();
    // After Qt has told of the grid's own focus, so that the cell is the last word.
    QMetaObject::invokeMethod(this, &ApartmentGrid::announceCurrentCell, Qt::QueuedConnection);
}

void ApartmentGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    emit focusLeft();
    update();
}

} // namespace korv::ui
