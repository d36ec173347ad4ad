// The INI reading of card files. Sections are found by name wherever they stand and compare
// without letter case; a repeated head adds to its section. Empty lines are skipped. An
// entry's key is the text before its first "=" with its case kept, its value the text after
// it, blanks around both removed. A line without "=" is an entry whose key is the whole line,
// so a card line that lost its closing "=" in a spreadsheet still counts. Entries keep file
// order. Lines end at CR LF, LF or a lone CR.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korv {

// Key and value point into the text the CardIni keeps.
struct CardIniEntry {
    std::string_view key;
    std::string_view value;
    bool hasEquals = false;
    bool keyHadTrailingBlanks = false; // blanks stood between the key text and its "="
    int line = 0;                      // 1-based line number in the file
};

class CardIni {
public:
    // Text as decoded from the file; lines before the first section head belong to none.
    static CardIni Parse(std::string text);
    CardIni() = default;
    CardIni(CardIni&&) = default;
    CardIni& operator=(CardIni&&) = default;
    CardIni(const CardIni&) = delete;
    CardIni& operator=(const CardIni&) = delete;

    // Entries of every section with this name, in file order.
    std::vector<const CardIniEntry*> Entries(std::string_view section) const;

    // Names of the section heads in file order, repeats included.
    std::vector<std::string> SectionNames() const;

private:
    // Owned on the heap so the views stay valid when the CardIni moves.
    std::unique_ptr<std::string> text_;
    std::vector<std::string> sectionNames_;
    // Every entry in file order, with the index of the section head it stands under.
    std::vector<std::pair<int, CardIniEntry>> entries_;
};

} // namespace korv
