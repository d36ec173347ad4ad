#include "core/view_rules.h"

#include <algorithm>

namespace korv {

int GridCellApartment(int column, int row) {
    if (column < 1 || column >= GridColumns || row < 1 || row >= GridRows)
        return -1;
    return (row - 1) * 10 + (column - 1);
}

void ApartmentGridCell(int apartment, int& column, int& row) {
    column = apartment % 10 + 1;
    row = apartment / 10 + 1;
}

CardCountWording CardCountSlots(int n) {
    if (n == 0)
        return {70, -1, false};
    if (n == 1)
        return {71, -1, false};
    const int units = n % 10;
    const int tens = (n / 10) % 10;
    if (units >= 2 && units <= 4 && tens != 1)
        return {72, 73, true};
    return {74, 75, true};
}

namespace {
// Reads a run of decimal digits; anything longer than 9 digits is certainly above 255.
long DigitsValue(const std::string& s) {
    if (s.empty() || s.size() > 9)
        return s.empty() ? 0 : 1000000000L;
    long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}
} // namespace

int ApartmentAfterKey(const std::string& text, int selStart, int selLength, char typed) {
    if (typed < '0' || typed > '9')
        return 0;
    const int len = static_cast<int>(text.size());
    selStart = std::clamp(selStart, 0, len);
    selLength = std::clamp(selLength, 0, len - selStart);
    const int after = selStart + selLength;
    std::string kept = text.substr(0, selStart) + text.substr(after, 3);
    kept.push_back(typed);
    const long v = DigitsValue(kept);
    if (v < 0 || v > 255)
        return 0;
    return static_cast<int>(v);
}

int ApartmentFromText(const std::string& text) {
    std::string t = text;
    while (!t.empty() && t.front() == ' ')
        t.erase(t.begin());
    while (!t.empty() && t.back() == ' ')
        t.pop_back();
    const long v = DigitsValue(t);
    if (v < 0 || v > 255)
        return 0;
    return static_cast<int>(v);
}

} // namespace korv
