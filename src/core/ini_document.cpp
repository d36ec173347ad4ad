#include "core/ini_document.h"

namespace korv {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

namespace {

std::string_view TrimView(std::string_view s) {
    size_t b = 0, e = s.size();
    // Control characters count as blanks, as they do for the Windows reader.
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

} // namespace

std::string TrimBlanks(std::string_view s) {
    return std::string(TrimView(s));
}

IniLine ReadIniLine(std::string_view line) {
    IniLine read;
    const std::string_view t = TrimView(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
        read.kind = IniLine::Kind::Section;
        read.name = TrimView(t.substr(1, t.size() - 2));
    } else if (const size_t eq = line.find('='); !t.empty() && eq != std::string_view::npos) {
        read.kind = IniLine::Kind::Entry;
        read.name = TrimView(line.substr(0, eq));
        read.value = TrimView(line.substr(eq + 1));
    }
    return read;
}

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument doc;
    doc.bom_ = text.starts_with(kUtf8Bom);
    int current = -1;
    ForEachIniLine(text, [&](std::string_view raw, std::string_view) {
        const IniLine read = ReadIniLine(raw);
        Line line;
        line.kind = read.kind;
        line.raw = std::string(raw);
        line.name = std::string(read.name);
        line.value = std::string(read.value);
        if (line.kind == Kind::Section)
            current = static_cast<int>(doc.lines_.size());
        line.section = current;
        doc.lines_.push_back(std::move(line));
    });
    return doc;
}

std::vector<IniEntry> IniDocument::Entries(std::string_view section) const {
    std::vector<IniEntry> out;
    for (const auto& l : lines_)
        if (l.kind == Kind::Entry && l.section >= 0 &&
            EqualsNoCase(lines_[l.section].name, section))
            out.push_back({l.name, l.value});
    return out;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
    for (const auto& l : lines_)
        if (l.kind == Kind::Entry && l.section >= 0 && EqualsNoCase(l.name, key) &&
            EqualsNoCase(lines_[l.section].name, section))
            return l.value;
    return std::nullopt;
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string raw = std::string(key) + "=" + std::string(value);
    int lastOfSection = -1;
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        Line& l = lines_[i];
        if (l.section < 0 || !EqualsNoCase(lines_[l.section].name, section))
            continue;
        if (l.kind == Kind::Entry && EqualsNoCase(l.name, key)) {
            l.raw = raw;
            l.value = std::string(value);
            return;
        }
        // Blank lines separate sections; new entries go before them.
        if (l.kind != Kind::Other || !TrimBlanks(l.raw).empty())
            lastOfSection = i;
    }
    Line entry;
    entry.kind = Kind::Entry;
    entry.raw = raw;
    entry.name = std::string(key);
    entry.value = std::string(value);
    if (lastOfSection >= 0) {
        entry.section = lines_[lastOfSection].section;
        lines_.insert(lines_.begin() + lastOfSection + 1, std::move(entry));
        for (auto& l : lines_)
            if (l.section > lastOfSection)
                ++l.section;
        return;
    }
    Line head;
    head.kind = Kind::Section;
    head.raw = "[" + std::string(section) + "]";
    head.name = std::string(section);
    head.section = static_cast<int>(lines_.size());
    entry.section = head.section;
    lines_.push_back(std::move(head));
    lines_.push_back(std::move(entry));
}

std::string IniDocument::Serialize(std::string_view eol) const {
    std::string out(bom_ ? kUtf8Bom : std::string_view());
    for (const auto& l : lines_) {
        out += l.raw;
        out += eol;
    }
    return out;
}

} // namespace korv
