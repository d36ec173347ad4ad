#include "files/card_ini.h"

#include "core/ini_document.h"

namespace korv {

namespace {
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Control characters count as blanks, as they do for the Windows reader.
std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}
} // namespace

CardIni CardIni::Parse(std::string textIn) {
    CardIni ini;
    ini.text_ = std::make_unique<std::string>(std::move(textIn));
    const std::string_view text = *ini.text_;
    int current = -1;
    // One entry a line at most; reserving once spares a large file repeated regrowth.
    size_t lineBound = 1;
    for (const char c : text)
        lineBound += c == '\n' || c == '\r';
    ini.entries_.reserve(lineBound);
    size_t pos = 0;
    int lineNo = 0;
    while (pos < text.size()) {
        size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const std::string_view raw = text.substr(pos, end - pos);
        ++lineNo;
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;

        const std::string_view trimmed = Trim(raw);
        if (trimmed.empty())
            continue;
        if (trimmed.front() == '[') {
            const size_t close = trimmed.find(']');
            if (close != std::string_view::npos) {
                ini.sectionNames_.emplace_back(Trim(trimmed.substr(1, close - 1)));
                current = static_cast<int>(ini.sectionNames_.size()) - 1;
                continue;
            }
        }
        if (current < 0)
            continue;
        CardIniEntry e;
        e.line = lineNo;
        const size_t eq = raw.find('=');
        if (eq == std::string_view::npos) {
            e.key = trimmed;
        } else {
            const std::string_view k = raw.substr(0, eq);
            e.key = Trim(k);
            e.value = Trim(raw.substr(eq + 1));
            e.hasEquals = true;
            e.keyHadTrailingBlanks = !e.key.empty() && IsBlank(k.back());
        }
        ini.entries_.emplace_back(current, e);
    }
    return ini;
}

std::vector<const CardIniEntry*> CardIni::Entries(std::string_view section) const {
    std::vector<bool> wanted(sectionNames_.size());
    for (size_t k = 0; k < sectionNames_.size(); ++k)
        wanted[k] = EqualsNoCase(sectionNames_[k], section);
    std::vector<const CardIniEntry*> out;
    for (const auto& [head, e] : entries_)
        if (wanted[head])
            out.push_back(&e);
    return out;
}

std::vector<std::string> CardIni::SectionNames() const {
    return sectionNames_;
}

} // namespace korv
