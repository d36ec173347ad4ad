// The INI reading of card files. Sections are found by name wherever they stand and compare
// without letter case; a repeated head adds to its section. Empty lines are skipped. An
// entry's key is the text before its first "=" with its case kept, its value the text after
// it, blanks around both removed. A line without "=" is an entry whose key is the whole line,
// so a card line that lost its closing "=" in a spreadsheet still counts. Entries keep file
// order. Lines end at CR LF, LF or a lone CR.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korv {

struct CardIniEntry {
    std::string key;
    std::string value;
    bool hasEquals = false;
    bool keyHadTrailingBlanks = false; // blanks stood between the key text and its "="
    int line = 0;                      // 1-based line number in the file
};

class CardIni {
public:
    // Text as decoded from the file; lines before the first section head belong to none.
    static CardIni Parse(std::string_view text);

    // Entries of every section with this name, in file order.
    std::vector<const CardIniEntry*> Entries(std::string_view section) const;

    // Names of the section heads in file order, repeats included.
    std::vector<std::string> SectionNames() const;

private:
    struct Section {
        std::string name;
        std::vector<CardIniEntry> entries;
    };
    std::vector<Section> sections_;
};

} // namespace korv
