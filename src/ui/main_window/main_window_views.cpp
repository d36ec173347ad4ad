// The views of the register and the events of the zone, view and apartment selectors.
#include "ui/main_window/main_window.h"

#include "core/view_rules.h"
#include "ui/catalogue_text.h"
#include "ui/widgets/apartment_box.h"
#include "ui/widgets/apartment_grid.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextDocument>
#include <QTreeWidget>

namespace korv::ui {

namespace {

// Resumes painting however the refill ends.
class PaintingSuspended {
public:
    explicit PaintingSuspended(ApartmentGrid* grid) : grid_(grid) { grid_->suspendPainting(); }
    ~PaintingSuspended() { grid_->resumePainting(); }

private:
    ApartmentGrid* grid_;
};

} // namespace

int TMain::GridMode() const {
    return RadioGroup2Buttons->checkedId() == 1 ? 1 : 0;
}

void TMain::ShowGrid() {
    PaintingSuspended suspended(Grid);
    for (int c = 1; c < GridColumns; ++c)
        Grid->setCellText(c, 0, QString::number(c - 1));
    for (int r = 1; r < GridRows; ++r)
        Grid->setCellText(0, r, QString::number((r - 1) * 10));
    const int mode = GridMode();
    for (int a = 0; a < ApartmentCount; ++a) {
        int c = 0, r = 0;
        ApartmentGridCell(a, c, r);
        const auto& cell = state_.tablica.Cell(state_.CurrentZone, a);
        Grid->setCellText(c, r,
                          mode == 0 ? QString::number(cell.lista.size())
                                    : QString::fromStdString(cell.wybierany));
    }
}

QColor TMain::GridCellColour(int column, int row) const {
    const QColor white(255, 255, 255), green(0, 255, 0);
    const int a = GridCellApartment(column, row);
    if (a > 255)
        return QApplication::palette("QMenu").color(QPalette::Window);
    if (GridMode() == 0)
        return Grid->cellText(column, row) == "0" ? white : green;
    return state_.tablica.ApartmentCardCount(state_.CurrentZone, a) > 0 ? green : white;
}

void TMain::ShowApartment() {
    const auto& cell = state_.tablica.Cell(state_.CurrentZone, state_.CurrentApartment);
    EditWybierany->setText(QString::fromStdString(cell.wybierany));
    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    QList<QTreeWidgetItem*> rows;
    for (const TKarta& k : cell.lista) {
        const QString numer = QString::fromStdString(k.numer);
        const QString opis = QString::fromStdString(k.opis);
        auto* row = new QTreeWidgetItem(QStringList{numer, QString(), opis});
        // The columns cut a long number or description; the tooltip shows both whole. Plain
        // text made safe as rich text, so a description that looks like markup shows as typed.
        const QString whole =
            Qt::convertFromPlainText(opis.isEmpty() ? numer : numer + '\n' + opis);
        for (int c = 0; c < 3; ++c)
            row->setToolTip(c, whole);
        rows.append(row);
    }
    ListView1->addTopLevelItems(rows);
    ListView1->setUpdatesEnabled(true);
}

void TMain::ShowCardCount(int n) {
    const CardCountWording w = CardCountSlots(n);
    LabelSuma->setText(w.showsNumber ? Text(w.firstSlot) + QString::number(n) + Text(w.secondSlot)
                                     : Text(w.firstSlot));
    UpdateEnabling(); // Find follows the card count
}

void TMain::RefreshViews() {
    ShowGrid();
    ShowApartment();
    ShowCardCount(state_.tablica.CardCount());
}

void TMain::SetApartment(int apartment) {
    apartment = std::clamp(apartment, 0, 255);
    if (SpinEdit1->value() == apartment)
        SpinEdit1Change();
    else
        SpinEdit1->setValue(apartment); // its change event runs the rule
}

void TMain::SpinEdit1Change() {
    // The box's range keeps the value in 0..255; clamp anyway so that nothing the box may
    // hold ever reaches the register out of range.
    state_.CurrentApartment = std::clamp(SpinEdit1->value(), 0, 255);
    // In number-to-dial mode the number box takes the focus, except while the person types
    // an apartment number: "37" must select apartment 37, not give apartment 3 the number 7.
    if (GridMode() == 1 && !SpinEdit1->typing())
        EditWybierany->setFocus();
    ShowApartment();
}

void TMain::RadioGroup1Click(int item) {
    state_.CurrentZone = item + 1;
    ShowGrid();
    ShowApartment();
}

void TMain::RadioGroup2Click(int item) {
    EditWybierany->setReadOnly(item != 1);
    ShowGrid();
}

bool TMain::GridSelectCell(int column, int row) {
    const int a = GridCellApartment(column, row);
    if (a < 0 || a > 255)
        return false;
    SetApartment(a);
    return true;
}

void TMain::GridClick() {
    Button_zmien->setEnabled(false);
    Button_Kasuj1->setEnabled(false);
}

void TMain::GridExit() {
    Grid->setSelection(GridParkColumn, GridParkRow);
}

void TMain::ListView1Click() {
    if (!ListView1->selectedItems().isEmpty()) {
        Button_zmien->setEnabled(true);
        Button_Kasuj1->setEnabled(true);
    }
}

void TMain::EditWybieranyChange(const QString& text) {
    state_.tablica.Cell(state_.CurrentZone, state_.CurrentApartment).wybierany = text.toStdString();
    ShowGrid();
}

} // namespace korv::ui
