#include "files/card_spreadsheet.h"

#include "core/digits.h"

#include "files/card_line.h"
#include "files/delimited_text.h"
#include "files/register_checks.h"
#include "files/spreadsheet_encoding.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace korv {

namespace {

enum Column { kZone, kApartment, kCard, kB1, kDescription, kDialNumber };

// Numbers never carry meaningful blanks, even inside quotes.
std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool Digits(std::string_view s, std::size_t most) {
    return s.size() <= most && AllDigits(s);
}

// A zone or apartment: decimal digits, leading zeros allowed ("007" as a spreadsheet keeps it).
std::optional<int> SmallNumber(std::string_view s) {
    while (s.size() > 1 && s.front() == '0')
        s.remove_prefix(1);
    if (!Digits(s, 3))
        return std::nullopt;
    return std::stoi(std::string(s));
}

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IsHeader(const DelimitedRecord& r) {
    const std::string first = AsciiLower(Trimmed(r.fields.front()));
    return first == SpreadsheetColumnNames(SpreadsheetHeader::English)[kZone] ||
           first == SpreadsheetColumnNames(SpreadsheetHeader::Polish)[kZone];
}

// Spreadsheets write empty cells to the right of a table; they are no fields of ours.
std::size_t FieldCount(const std::vector<std::string>& fields) {
    std::size_t n = fields.size();
    while (n > kSpreadsheetColumns && fields[n - 1].empty())
        --n;
    return n;
}

class SheetReader {
public:
    explicit SheetReader(CardSpreadsheet& sheet) : sheet_(sheet) {}

    void Take(const DelimitedRecord& r) {
        line_ = r.line;
        const std::size_t n = FieldCount(r.fields);
        if (n < kSpreadsheetColumnsRequired || n > kSpreadsheetColumns) {
            Refuse(SpreadsheetFault::FieldCount).count = static_cast<int>(n);
            return;
        }
        const auto field = [&](Column c) -> std::string_view {
            return static_cast<std::size_t>(c) < n ? std::string_view(r.fields[c]) : "";
        };
        const std::size_t before = sheet_.refused.size();
        SpreadsheetRow row;
        row.line = r.line;

        const auto zone = SmallNumber(Trimmed(field(kZone)));
        if (!zone || !ValidZone(*zone))
            Refuse(SpreadsheetFault::Zone).subject = std::string(field(kZone));
        const auto apartment = SmallNumber(Trimmed(field(kApartment)));
        if (!apartment || !ValidApartment(*apartment))
            Refuse(SpreadsheetFault::Apartment).subject = std::string(field(kApartment));

        const std::string_view numer = Trimmed(field(kCard));
        const std::string_view b1 = Trimmed(field(kB1));
        const std::string_view opis = field(kDescription);
        const std::string_view wybierany = Trimmed(field(kDialNumber));
        if (!wybierany.empty() && !Digits(wybierany, 4))
            Refuse(SpreadsheetFault::DialNumber).subject = std::string(wybierany);
        if (numer.empty()) {
            if (wybierany.empty() || !opis.empty())
                Refuse(SpreadsheetFault::NoCard);
        } else {
            TKarta karta;
            const CardNumberFault f = CheckCardNumber(numer);
            if (f == CardNumberFault::NotPlainDigits)
                Refuse(SpreadsheetFault::CardNotDigits).subject = std::string(numer);
            else if (f == CardNumberFault::TooLarge)
                Refuse(SpreadsheetFault::CardNumber).subject = std::string(numer);
            if (b1 != "" && b1 != "0" && b1 != "1")
                Refuse(SpreadsheetFault::B1).subject = std::string(b1);
            if (auto chars = DescriptionCharactersNotHeld(opis); !chars.empty())
                Refuse(SpreadsheetFault::Description).characters = std::move(chars);
            karta.numer = std::string(numer);
            karta.B1 = b1 == "1";
            karta.opis = std::string(opis);
            row.karta = std::move(karta);
        }
        if (sheet_.refused.size() != before)
            return;

        row.zone = *zone;
        row.apartment = *apartment;
        row.wybierany = std::string(wybierany);
        if (row.karta && !FirstTimeCard(row.karta->numer))
            return;
        if (!row.wybierany.empty() && !SameDialNumber(row))
            return;
        sheet_.rows.push_back(std::move(row));
    }

private:
    SpreadsheetRefusal& Refuse(SpreadsheetFault fault) {
        sheet_.refused.push_back(SpreadsheetRefusal{});
        sheet_.refused.back().line = line_;
        sheet_.refused.back().fault = fault;
        return sheet_.refused.back();
    }

    // The same card twice would be refused by any module write; the first row keeps it.
    bool FirstTimeCard(const std::string& numer) {
        const auto [it, isNew] = cardLines_.try_emplace(std::string(CardNumberKey(numer)), line_);
        if (isNew)
            return true;
        SpreadsheetRefusal& r = Refuse(SpreadsheetFault::CardTwice);
        r.subject = numer;
        r.otherLine = it->second;
        return false;
    }

    bool SameDialNumber(const SpreadsheetRow& row) {
        const auto [it, isNew] = dialNumbers_.try_emplace(CellIndex(row.zone, row.apartment),
                                                          std::pair{row.wybierany, line_});
        if (isNew || it->second.first == row.wybierany)
            return true;
        SpreadsheetRefusal& r = Refuse(SpreadsheetFault::DialNumberConflict);
        r.subject = row.wybierany;
        r.other = it->second.first;
        r.otherLine = it->second.second;
        r.where = {row.zone, row.apartment};
        return false;
    }

    CardSpreadsheet& sheet_;
    int line_ = 0;
    std::unordered_map<std::string, int> cardLines_;
    std::map<int, std::pair<std::string, int>> dialNumbers_; // cell -> number, its first line
};

} // namespace

CardSpreadsheet ReadCardSpreadsheet(std::string_view bytes) {
    const DelimitedText text = ReadDelimitedText(SpreadsheetTextUtf8(bytes));
    CardSpreadsheet sheet;
    sheet.separator = text.separator;
    SheetReader reader(sheet);
    for (std::size_t k = 0; k < text.records.size(); ++k) {
        if (k == 0 && IsHeader(text.records[k])) {
            sheet.header = true;
            continue;
        }
        reader.Take(text.records[k]);
    }
    if (text.unclosedQuoteLine > 0) {
        SpreadsheetRefusal r;
        r.line = text.unclosedQuoteLine;
        r.fault = SpreadsheetFault::QuoteNotClosed;
        sheet.refused.push_back(r);
    }
    return sheet;
}

SpreadsheetCounts CountSpreadsheet(const CardSpreadsheet& sheet) {
    SpreadsheetCounts c;
    std::vector<bool> withCards(CellCount), withNumber(CellCount);
    for (const SpreadsheetRow& row : sheet.rows) {
        const auto cell = static_cast<std::size_t>(CellIndex(row.zone, row.apartment));
        if (row.karta) {
            ++c.cards;
            if (!withCards[cell])
                ++c.apartments;
            withCards[cell] = true;
        }
        if (!row.wybierany.empty() && !withNumber[cell]) {
            ++c.dialNumbers;
            withNumber[cell] = true;
        }
    }
    return c;
}

} // namespace korv
