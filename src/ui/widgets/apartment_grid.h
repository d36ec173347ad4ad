// The grid of the 256 apartments of one zone: 11 columns x 27 rows with a header row and a
// header column, painted by hand so every cell looks exactly as installers know it.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

namespace korv::ui {

class ApartmentGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeaderColumnWidth = 29;
    static constexpr int kColumnWidth = 41;
    static constexpr int kRowHeight = 16;
    static constexpr int kLine = 1;   // grid line between cells
    static constexpr int kBorder = 1; // frame around the grid

    explicit ApartmentGrid(QWidget* parent);

    void setCellText(int column, int row, const QString& text);
    QString cellText(int column, int row) const;

    // While suspended, text changes do not repaint; resuming repaints once.
    void suspendPainting();
    void resumePainting();

    // Fill colour of a non-header cell; set by the window, which knows the register.
    void setCellColour(std::function<QColor(int column, int row)> colour);
    // What a screen reader says of a non-header cell (its apartment and what it shows); empty
    // for a cell that holds no apartment. Set by the window, which knows the view and language.
    void setCellName(std::function<QString(int column, int row)> name);
    QString cellName(int column, int row) const;

    int selectedColumn() const { return column_; }
    int selectedRow() const { return row_; }
    // Moves the selection without asking; used to park it on the dead cell.
    void setSelection(int column, int row);

    QRect cellRect(int column, int row) const;
    // Column and row at a point of the widget; false outside every cell.
    bool cellAt(const QPoint& p, int& column, int& row) const;

    // Asked before the selection moves to a cell; returning false refuses it.
    std::function<bool(int column, int row)> canSelect;

signals:
    void cellSelected(int column, int row);
    void clicked();
    void focusLeft();
    // Tab brought the focus in while the selection was parked on a cell of no apartment.
    void enteredByTab();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool trySelect(int column, int row);
    // Tells assistive technology which cell has the keyboard now.
    void announceCurrentCell();

    std::array<std::array<QString, 27>, 11> text_;
    std::function<QColor(int, int)> colour_;
    std::function<QString(int, int)> name_;
    int column_ = 1;
    int row_ = 1;
    int suspended_ = 0;
    bool pressInside_ = false;
};

} // namespace korv::ui
