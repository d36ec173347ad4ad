// A small Windows-style initialisation file: "[section]" heads and "key=value" entries.
// Section and key names compare without letter case, blanks around keys and values are
// dropped, entries keep file order. Lines it does not understand are kept as they are, so
// rewriting one value leaves the rest of somebody's file alone.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

struct IniEntry {
    std::string key;
    std::string value;
};

// Notepad starts a UTF-8 file with it; it belongs to no line.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// One line as every reader of such a file takes it. The views point into the line, so a
// writer can change the value alone; an empty value sits where the line's text ends.
struct IniLine {
    enum class Kind { Other, Section, Entry };
    Kind kind = Kind::Other;
    std::string_view name;  // section name (Section) or key (Entry), blanks dropped
    std::string_view value; // Entry only, blanks dropped
};
IniLine ReadIniLine(std::string_view line);

// Hands each line of text to visit(line, lineEnd) in order, as views into text. The line end
// is "\r\n", "\n", a lone "\r", or empty for a last line without one; a leading byte order
// mark is skipped.
template <class Visit> void ForEachIniLine(std::string_view text, Visit&& visit) {
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::size_t next = end;
        if (next < text.size())
            next += text.substr(next, 2) == "\r\n" ? 2 : 1;
        visit(text.substr(pos, end - pos), text.substr(end, next - end));
        pos = next;
    }
}

class IniDocument {
public:
    // Lines end at CR LF, LF or a lone CR; a UTF-8 byte order mark is kept aside.
    static IniDocument Parse(std::string_view text);

    // Entries of every section with this name, in file order (a repeated head adds to it).
    std::vector<IniEntry> Entries(std::string_view section) const;
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Replaces the first matching entry, or adds the entry to the section, or adds the
    // section at the end.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    // The text again, with the byte order mark it was read with.
    std::string Serialize(std::string_view eol) const;

private:
    using Kind = IniLine::Kind;
    struct Line {
        Kind kind = Kind::Other;
        std::string raw;
        std::string name;  // section name (Section) or key (Entry)
        std::string value; // Entry only
        int section = -1;  // index of the head line this line stands under; -1 before any
    };
    std::vector<Line> lines_;
    bool bom_ = false;
};

bool EqualsNoCase(std::string_view a, std::string_view b);
std::string TrimBlanks(std::string_view s);

} // namespace korv
