// The register as a spreadsheet the building's administrator keeps: one row per card, columns
// zone; apartment; card; b1; description; number to dial. The number to dial stands on every
// card row of its apartment, and an apartment with a number to dial and no cards has one row
// with an empty card. Rows go in register order, so an export read back is the same register.
#pragma once

#include "core/card_register.h"
#include "files/file_bytes.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

enum class SpreadsheetHeader { English, Polish };

inline constexpr int kSpreadsheetColumns = 6;
// A file may leave out the last column (no numbers to dial).
inline constexpr int kSpreadsheetColumnsRequired = 5;

// The header row's names. Either language's row is recognised on import, by its first name.
const std::array<std::string_view, kSpreadsheetColumns>&
SpreadsheetColumnNames(SpreadsheetHeader header);

// The whole register as a spreadsheet file: UTF-8 with a byte-order mark, ";" between fields,
// CR LF after every row (so spreadsheet programs in a Polish locale open it in columns).
std::string CardSpreadsheetText(const TTablica& tablica, SpreadsheetHeader header);

// Writes that text to path as a card file is saved: the old file stays whole on any failure.
FileWriteResult WriteCardSpreadsheet(const TTablica& tablica, const std::string& path,
                                     SpreadsheetHeader header, const WriteFault& fault = {});

enum class SpreadsheetFault {
    // the file's own lines
    QuoteNotClosed,     // a quoted field runs to the end of the file
    FieldCount,         // count: the fields found
    Zone,               // subject: the field
    Apartment,          // subject: the field
    CardNumber,         // subject: a number a module cannot hold
    CardNotDigits,      // subject: a card "number" with something else than digits
    B1,                 // subject: neither 0, 1 nor empty
    Description,        // characters: what a card file cannot hold
    DialNumber,         // subject: not 1 to 4 digits
    DialNumberConflict, // subject: this number; other, otherLine: the one given before
    NoCard,             // no card number, and a description or no number to dial
    CardTwice,          // subject: the number; otherLine: where the file has it first
    // against the register the file is merged into
    CardInRegister,       // subject: the number; where: its first place in the register
    DialNumberInRegister, // subject: the file's number; other: the register's; where
    TooManyCards,         // the first card past MaxCards
};

struct SpreadsheetRefusal {
    int line = 0; // the physical line the row starts on, from 1, the header counted
    SpreadsheetFault fault = SpreadsheetFault::FieldCount;
    std::string subject;
    std::string other;
    int otherLine = 0;
    int count = 0;
    std::vector<std::string> characters;
    CardPosition where;
};

struct SpreadsheetRow {
    int line = 0;
    int zone = 1;
    int apartment = 0;
    std::optional<TKarta> karta; // nothing on a row that only gives a number to dial
    std::string wybierany;       // empty: the row says nothing about it
};

struct CardSpreadsheet {
    char separator = ';';
    bool header = false;
    std::vector<SpreadsheetRow> rows;        // the rows taken, in file order
    std::vector<SpreadsheetRefusal> refused; // in line order; any at all refuses the file
};

// Reads a spreadsheet of the layout above, as spreadsheet programs save it: UTF-8 with or
// without a byte-order mark or Windows-1250; ";", "," or a tab; with either header row or
// none. Every row that cannot be taken is named with why; the rows are still all checked.
CardSpreadsheet ReadCardSpreadsheet(std::string_view bytes);

struct SpreadsheetCounts {
    int cards = 0;
    int apartments = 0;  // apartments the cards go to
    int dialNumbers = 0; // apartments given a number to dial
};
SpreadsheetCounts CountSpreadsheet(const CardSpreadsheet& sheet);

// Adds the sheet's cards after each apartment's own and sets its numbers to dial, all or
// nothing: a row the reader refused, a card number already registered (compared as FindCard
// does), a number to dial other than the apartment's own, or more than MaxCards cards in all
// leaves the register as it was, and the first such row is returned.
std::optional<SpreadsheetRefusal> MergeCardSpreadsheet(const CardSpreadsheet& sheet,
                                                       TTablica& tablica);

} // namespace korv
