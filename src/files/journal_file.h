// The journal of module work: one line per module command, appended to a delimited text file
// the person opens in a spreadsheet. Lines are only ever added, so nothing a later run does
// can lose what an earlier one wrote.
#pragma once

#include <string>

namespace korv {

struct JournalEntry {
    std::string when;    // ISO 8601 local date and time
    std::string command; // read, write, verify, password, reset
    std::string moduleKind;
    std::string moduleName;
    std::string cards; // blank where the command moves no cards
    std::string file;  // blank when none
    std::string result;
};

// The header the file starts with.
std::string JournalHeader();
// The entry as one line with its CR LF; line breaks inside the result become " / ".
std::string JournalLine(const JournalEntry& entry);

// Appends the line, starting a missing or empty file with a UTF-8 byte-order mark (so Excel
// reads the letters right) and the header, and making the folders above it. error gets the
// system's reason when it fails.
bool AppendJournalLine(const std::string& path, const std::string& line, std::string& error);

} // namespace korv
