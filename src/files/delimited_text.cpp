#include "files/delimited_text.h"

#include <algorithm>
#include <array>

namespace korv {

namespace {

constexpr std::array<char, 3> kSeparators = {';', '\t', ','};

bool Blank(char c, char separator) {
    return (c == ' ' || c == '\t') && c != separator;
}

// Walks the text once, record by record. The position is the only state between fields.
class Reader {
public:
    Reader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    int Line() const { return line_; }

    // One record, from its first field to its line end (taken). False when a quote was not
    // closed before the end of the text.
    bool ReadRecord(std::vector<std::string>& fields) {
        fields.clear();
        for (;;) {
            std::string field;
            if (!ReadField(field))
                return false;
            fields.push_back(std::move(field));
            if (AtEnd())
                return true;
            const char c = text_[pos_];
            if (c == separator_) {
                ++pos_;
                continue;
            }
            TakeLineEnd();
            return true;
        }
    }

private:
    bool LineEndAt(std::size_t i) const { return text_[i] == '\r' || text_[i] == '\n'; }

    void TakeLineEnd() {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
        ++line_;
    }

    // Stops at the separator, a line end or the end of the text, none of them taken.
    bool ReadField(std::string& field) {
        std::size_t start = pos_;
        while (start < text_.size() && Blank(text_[start], separator_))
            ++start;
        if (start < text_.size() && text_[start] == '"') {
            pos_ = start + 1;
            if (!ReadQuoted(field))
                return false;
            ReadRest(field);
            return true;
        }
        ReadRest(field);
        return true;
    }

    // The inside of a quoted field, up to and with its closing quote.
    bool ReadQuoted(std::string& field) {
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    field += '"';
                    ++pos_;
                    continue;
                }
                return true;
            }
            // A line break inside the field still moves the physical line on.
            if (c == '\n' || (c == '\r' && (pos_ >= text_.size() || text_[pos_] != '\n')))
                ++line_;
            field += c;
        }
        return false;
    }

    // The rest of a field up to the separator or line end: all of an unquoted field, or what a
    // careless writer put after a closing quote (kept, blanks around it dropped).
    void ReadRest(std::string& field) {
        const std::size_t from = pos_;
        while (pos_ < text_.size() && text_[pos_] != separator_ && !LineEndAt(pos_))
            ++pos_;
        std::string_view rest = text_.substr(from, pos_ - from);
        while (!rest.empty() && Blank(rest.front(), separator_))
            rest.remove_prefix(1);
        while (!rest.empty() && Blank(rest.back(), separator_))
            rest.remove_suffix(1);
        field += rest;
    }

    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

bool AllEmpty(const std::vector<std::string>& fields) {
    for (const std::string& f : fields)
        if (!f.empty())
            return false;
    return true;
}

} // namespace

char DetectSeparator(std::string_view text) {
    std::array<int, kSeparators.size()> counts{};
    bool quoted = false, seenText = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            seenText = true;
            continue;
        }
        if (quoted)
            continue;
        if (c == '\r' || c == '\n') {
            if (seenText)
                break;
            continue;
        }
        if (c != ' ')
            seenText = true;
        for (std::size_t k = 0; k < kSeparators.size(); ++k)
            if (c == kSeparators[k])
                ++counts[k];
    }
    std::size_t best = 0;
    for (std::size_t k = 1; k < kSeparators.size(); ++k)
        if (counts[k] > counts[best])
            best = k;
    return kSeparators[best];
}

DelimitedText ReadDelimitedText(std::string_view utf8) {
    DelimitedText out;
    out.separator = DetectSeparator(utf8);
    Reader reader(utf8, out.separator);
    // Excel's own hint, "sep=;" alone on line 1, names the separator and is no record.
    const std::size_t firstEnd = std::min(utf8.find_first_of("\r\n"), utf8.size());
    if (firstEnd == 5 && utf8.substr(0, 4) == "sep=" &&
        std::find(kSeparators.begin(), kSeparators.end(), utf8[4]) != kSeparators.end()) {
        out.separator = utf8[4];
        reader = Reader(utf8, out.separator);
        std::vector<std::string> hint;
        reader.ReadRecord(hint);
    }
    std::vector<std::string> fields;
    while (!reader.AtEnd()) {
        const int line = reader.Line();
        if (!reader.ReadRecord(fields)) {
            out.unclosedQuoteLine = line;
            break;
        }
        if (!AllEmpty(fields))
            out.records.push_back({line, fields});
    }
    return out;
}

} // namespace korv
