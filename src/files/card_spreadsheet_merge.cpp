#include "files/card_spreadsheet.h"

#include "files/card_merge.h"

#include <memory>

namespace korv {

std::optional<SpreadsheetRefusal> MergeCardSpreadsheet(const CardSpreadsheet& sheet,
                                                       TTablica& tablica) {
    if (!sheet.refused.empty())
        return sheet.refused.front();
    const FirstCardIndex registered(tablica);
    int cards = tablica.CardCount();
    // Checked row by row in file order, so the row named is the first that fails.
    for (const SpreadsheetRow& row : sheet.rows) {
        SpreadsheetRefusal r;
        r.line = row.line;
        r.where = {row.zone, row.apartment};
        if (row.karta) {
            if (const auto at = registered.Find(row.karta->numer)) {
                r.fault = SpreadsheetFault::CardInRegister;
                r.subject = row.karta->numer;
                r.where = *at;
                return r;
            }
            if (++cards > MaxCards) {
                r.fault = SpreadsheetFault::TooManyCards;
                r.count = MaxCards;
                return r;
            }
        }
        const std::string& own = tablica.Cell(row.zone, row.apartment).wybierany;
        if (!row.wybierany.empty() && !own.empty() && own != row.wybierany) {
            r.fault = SpreadsheetFault::DialNumberInRegister;
            r.subject = row.wybierany;
            r.other = own;
            return r;
        }
    }
    for (const SpreadsheetRow& row : sheet.rows) {
        TListaZNumerem& cell = tablica.Cell(row.zone, row.apartment);
        if (row.karta)
            cell.lista.push_back(*row.karta);
        if (!row.wybierany.empty())
            cell.wybierany = row.wybierany;
    }
    return std::nullopt;
}

} // namespace korv
