#include "files/card_spreadsheet.h"

#include "files/csv_field.h"

namespace korv {

namespace {
constexpr char kSeparator = ';';
constexpr std::string_view kRowEnd = "\r\n";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

void AddRow(std::string& text, int zone, int apartment, const TKarta* karta,
            const std::string& wybierany) {
    text += std::to_string(zone);
    text += kSeparator;
    text += std::to_string(apartment);
    text += kSeparator;
    if (karta) {
        text += CsvField(karta->numer, kSeparator);
        text += kSeparator;
        text += karta->B1 ? '1' : '0';
        text += kSeparator;
        text += CsvField(karta->opis, kSeparator);
    } else {
        text += kSeparator;
        text += kSeparator;
    }
    text += kSeparator;
    text += CsvField(wybierany, kSeparator);
    text += kRowEnd;
}
} // namespace

const std::array<std::string_view, kSpreadsheetColumns>&
SpreadsheetColumnNames(SpreadsheetHeader header) {
    static constexpr std::array<std::string_view, kSpreadsheetColumns> english = {
        "zone", "apartment", "card", "b1", "description", "number to dial"};
    // Plain letters, so the row reads the same in either code page.
    static constexpr std::array<std::string_view, kSpreadsheetColumns> polish = {
        "strefa", "lokal", "karta", "b1", "opis", "wybierany numer"};
    return header == SpreadsheetHeader::Polish ? polish : english;
}

std::string CardSpreadsheetText(const TTablica& tablica, SpreadsheetHeader header) {
    std::string text(kUtf8Bom);
    text.reserve(128 + static_cast<std::size_t>(tablica.CardCount()) * 48);
    const auto& names = SpreadsheetColumnNames(header);
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (k > 0)
            text += kSeparator;
        text += CsvField(names[k], kSeparator);
    }
    text += kRowEnd;
    for (int zone = 1; zone <= ZoneCount; ++zone)
        for (int a = 0; a < ApartmentCount; ++a) {
            const TListaZNumerem& cell = tablica.Cell(zone, a);
            for (const TKarta& k : cell.lista)
                AddRow(text, zone, a, &k, cell.wybierany);
            if (cell.lista.empty() && !cell.wybierany.empty())
                AddRow(text, zone, a, nullptr, cell.wybierany);
        }
    return text;
}

FileWriteResult WriteCardSpreadsheet(const TTablica& tablica, const std::string& path,
                                     SpreadsheetHeader header, const WriteFault& fault) {
    return WriteFileAtomically(path, CardSpreadsheetText(tablica, header), fault);
}

} // namespace korv
