// Delimited text as spreadsheet programs save it ("CSV"): records of fields split by one
// separator, fields quoted as RFC 4180 has it. Our own reader, so the program needs no
// library for it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korv {

struct DelimitedRecord {
    int line = 0; // the physical line the record starts on, from 1
    std::vector<std::string> fields;
};

struct DelimitedText {
    char separator = ';';
    std::vector<DelimitedRecord> records;
    // The line of a record whose quoted field runs to the end of the text; 0 when none.
    // That record is not among the records.
    int unclosedQuoteLine = 0;
};

// The separator of a text: of ";", "," and a tab, the one found most often on its first line
// that is not blank, outside quotes; ";" when none is found, and ties go to ";", then the tab.
char DetectSeparator(std::string_view utf8);

// Splits UTF-8 text into records. Lines end in CR LF, LF or a lone CR; the last line needs no
// end. A quoted field keeps separators, doubled quotes (as one) and line breaks, and text
// after its closing quote is kept with it; an unquoted field loses the blanks around it.
// Records whose fields are all empty (blank lines, or ";;;;" as spreadsheets write below a
// table) are left out. A first line "sep=X" (X one of the three) names the separator and is
// no record.
DelimitedText ReadDelimitedText(std::string_view utf8);

} // namespace korv
