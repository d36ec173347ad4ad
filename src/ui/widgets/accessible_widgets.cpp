#include "ui/widgets/accessible_widgets.h"

#include "ui/widgets/apartment_grid.h"
#include "ui/widgets/push_panel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QWindow>

namespace korv::ui {

namespace {

// Cells without the header row and column: 26 rows of 10.
constexpr int kCellColumns = 10;
constexpr int kCellRows = 26;

class PushPanelAccessible : public QAccessibleWidget {
public:
    explicit PushPanelAccessible(PushPanel* panel)
        : QAccessibleWidget(panel, QAccessible::Button) {}

    PushPanel* panel() const { return static_cast<PushPanel*>(widget()); }

    // The caption says it all; the label inside is no object of its own.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString name = panel()->accessibleName();
            return name.isEmpty() ? panel()->label()->text() : name;
        }
        if (t == QAccessible::Accelerator)
            return panel()->shortcutHint().toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (panel()->isEnabled())
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            panel()->click();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction() && !panel()->shortcutHint().isEmpty())
            return {panel()->shortcutHint().toString(QKeySequence::NativeText)};
        return QAccessibleWidget::keyBindingsForAction(action);
    }
};

class GridAccessible;

// One cell of the grid: its apartment and what it shows, told by the window.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(ApartmentGrid* grid, int row, int column)
        : grid_(grid), row_(row), column_(column) {}

    bool isValid() const override { return grid_; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grid_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (!grid_ || t != QAccessible::Name)
            return {};
        return grid_->cellName(column_ + 1, row_ + 1);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!grid_)
            return {};
        const QRect r = grid_->cellRect(column_ + 1, row_ + 1);
        return QRect(grid_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!grid_)
            return s;
        const bool holdsApartment = !text(QAccessible::Name).isEmpty();
        s.disabled = !holdsApartment || !grid_->isEnabled();
        s.focusable = holdsApartment;
        s.selectable = holdsApartment;
        s.selected = isSelected();
        s.focused = s.selected && grid_->hasFocus();
        s.invisible = !grid_->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override {
        return grid_ && grid_->selectedColumn() == column_ + 1 &&
               grid_->selectedRow() == row_ + 1 && !text(QAccessible::Name).isEmpty();
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<ApartmentGrid> grid_;
    int row_;
    int column_;
};

// The grid as a table of the 26 x 10 apartment cells; the header row and column become the
// rows' and columns' descriptions.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(ApartmentGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridAccessible() override {
        for (QAccessible::Id id : std::as_const(cells_))
            QAccessible::deleteAccessibleInterface(id);
    }

    ApartmentGrid* grid() const { return static_cast<ApartmentGrid*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    int childCount() const override { return kCellRows * kCellColumns; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        return cellAt(index / kCellColumns, index % kCellColumns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || child->role() != QAccessible::Cell || child->parent() != this)
            return -1;
        auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        return cell ? cell->rowIndex() * kCellColumns + cell->columnIndex() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        int column = 0, row = 0;
        if (!grid()->cellAt(grid()->mapFromGlobal(QPoint(x, y)), column, row) || column < 1 ||
            row < 1)
            return nullptr;
        return cellAt(row - 1, column - 1);
    }
    QAccessibleInterface* focusChild() const override {
        if (!grid()->hasFocus())
            return nullptr;
        return cellAt(grid()->selectedRow() - 1, grid()->selectedColumn() - 1);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= kCellRows || column < 0 || column >= kCellColumns)
            return nullptr;
        const int key = row * kCellColumns + column;
        if (auto it = cells_.constFind(key); it != cells_.constEnd())
            return QAccessible::accessibleInterface(*it);
        auto* cell = new GridCellAccessible(grid(), row, column);
        cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int selectedCellCount() const override { return selectedCells().size(); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QAccessibleInterface* cell =
            cellAt(grid()->selectedRow() - 1, grid()->selectedColumn() - 1);
        if (cell && cell->tableCellInterface()->isSelected())
            return {cell};
        return {};
    }
    QString columnDescription(int column) const override { return grid()->cellText(column + 1, 0); }
    QString rowDescription(int row) const override { return grid()->cellText(0, row + 1); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kCellColumns; }
    int rowCount() const override { return kCellRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // One cell is chosen at a time, never a whole row or column.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable QHash<int, QAccessible::Id> cells_;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* panel = qobject_cast<PushPanel*>(object))
        return new PushPanelAccessible(panel);
    if (auto* grid = qobject_cast<ApartmentGrid*>(object))
        return new GridAccessible(grid);
    return nullptr;
}

} // namespace

void InstallAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

int GridCellChildIndex(int column, int row) {
    return (row - 1) * kCellColumns + (column - 1);
}

} // namespace korv::ui
