#include "files/card_ini.h"

#include "core/ini_document.h"

namespace korv {

namespace {
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
} // namespace

CardIni CardIni::Parse(std::string_view text) {
    CardIni ini;
    // An index, not a pointer: the list of sections grows while it is read.
    int current = -1;
    size_t pos = 0;
    int lineNo = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view raw = text.substr(pos, end - pos);
        ++lineNo;
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;

        const std::string trimmed = TrimBlanks(raw);
        if (trimmed.empty())
            continue;
        if (trimmed.front() == '[') {
            const size_t close = trimmed.find(']');
            if (close != std::string::npos) {
                ini.sections_.push_back(
                    {TrimBlanks(std::string_view(trimmed).substr(1, close - 1)), {}});
                current = static_cast<int>(ini.sections_.size()) - 1;
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
            e.key = TrimBlanks(k);
            e.value = TrimBlanks(raw.substr(eq + 1));
            e.hasEquals = true;
            e.keyHadTrailingBlanks = !e.key.empty() && IsBlank(k.back());
        }
        ini.sections_[current].entries.push_back(std::move(e));
    }
    return ini;
}

std::vector<const CardIniEntry*> CardIni::Entries(std::string_view section) const {
    std::vector<const CardIniEntry*> out;
    for (const auto& s : sections_)
        if (EqualsNoCase(s.name, section))
            for (const auto& e : s.entries)
                out.push_back(&e);
    return out;
}

std::vector<std::string> CardIni::SectionNames() const {
    std::vector<std::string> out;
    for (const auto& s : sections_)
        out.push_back(s.name);
    return out;
}

} // namespace korv
