// What assistive technology (screen readers over the accessibility bus) sees of the window's
// hand-made widgets: the push panels as push buttons, the apartment grid as a table of cells.
#pragma once

namespace korv::ui {

// Registers the interfaces with Qt's accessibility, once for the process; the widgets call it
// when they are made, so that no interface is asked for before.
void InstallAccessibleInterfaces();

// The grid's non-header cell (column 1..10, row 1..26) as a child of the grid's table.
int GridCellChildIndex(int column, int row);

} // namespace korv::ui
