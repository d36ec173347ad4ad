// Window-independent rules of the main window's views, kept here so they can be tested and
// reused without a window.
#pragma once

#include <string>

namespace korv {

// The apartment grid: 11 columns x 27 rows, column 0 and row 0 are headers.
inline constexpr int GridColumns = 11;
inline constexpr int GridRows = 27;
inline constexpr int GridParkColumn = 10; // the cell after apartment 255, no apartment
inline constexpr int GridParkRow = 26;

// Apartment number of a non-header cell (256..259 for the four dead cells at the end);
// -1 for header cells and cells outside the grid.
int GridCellApartment(int column, int row);
// Column and row of apartment 0..259.
void ApartmentGridCell(int apartment, int& column, int& row);

// The card-count label: the Polish plural rule, used in every language.
struct CardCountWording {
    int firstSlot;  // message shown first
    int secondSlot; // message after the number, or -1 when the number is not shown
    bool showsNumber;
};
CardCountWording CardCountSlots(int n);

// What one typed character makes of the apartment box: `text` is the box's text, the
// selection starts at selStart and is selLength long. Returns the box's new value (0..255).
int ApartmentAfterKey(const std::string& text, int selStart, int selLength, char typed);

// Any text the box may end up holding (a paste, say) mapped into 0..255; what is not a
// number gives 0, so the register is never reached with an apartment out of range.
int ApartmentFromText(const std::string& text);

} // namespace korv
