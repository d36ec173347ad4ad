// A small Windows-style initialisation file: "[section]" heads and "key=value" entries.
// Section and key names compare without letter case, blanks around keys and values are
// dropped, entries keep file order. Lines it does not understand are kept as they are, so
// rewriting one value leaves the rest of somebody's file alone.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

struct IniEntry {
    std::string key;
    std::string value;
};

class IniDocument {
public:
    // Lines end at CR LF, LF or a lone CR.
    static IniDocument Parse(std::string_view text);

    // Entries of every section with this name, in file order (a repeated head adds to it).
    std::vector<IniEntry> Entries(std::string_view section) const;
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Replaces the first matching entry, or adds the entry to the section, or adds the
    // section at the end.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize(std::string_view eol) const;

private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        Kind kind = Kind::Other;
        std::string raw;
        std::string name;  // section name (Section) or key (Entry)
        std::string value; // Entry only
        int section = -1;  // index of the head line this line stands under; -1 before any
    };
    std::vector<Line> lines_;
};

bool EqualsNoCase(std::string_view a, std::string_view b);
std::string TrimBlanks(std::string_view s);

} // namespace korv
