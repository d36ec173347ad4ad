#include "i18n/settings_file.h"

#include "files/file_bytes.h"

#include "core/ini_document.h"
#include "core/utf8_path.h"
#include "i18n/catalogue.h"

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string_view>

namespace korv {

namespace {

constexpr std::string_view kSection = "ZEL v7";
constexpr std::string_view kKey = "Jezyk";

enum class Found { Missing, Read, Unusable };

struct SettingsText {
    Found state = Found::Unusable;
    std::string bytes;
};

// Read whole or not at all: a file cut down here would be written back cut down.
SettingsText ReadSettingsText(const std::string& path) {
    SettingsText t;
    const std::filesystem::path p = Utf8Path(path);
    std::error_code ec;
    const auto status = std::filesystem::status(p, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        t.state = Found::Missing;
        return t;
    }
    if (ec || !std::filesystem::is_regular_file(status))
        return t;
    const auto size = std::filesystem::file_size(p, ec);
    if (ec || size > kMaxSettingsFileBytes)
        return t;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return t;
    t.bytes.reserve(static_cast<std::size_t>(size));
    char chunk[1 << 14];
    while (in.read(chunk, sizeof chunk), in.gcount() > 0) {
        t.bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        // It grew while we read it: still somebody else's.
        if (t.bytes.size() > kMaxSettingsFileBytes)
            return {};
    }
    if (in.bad())
        return {};
    // UTF-16, as Notepad's "Unicode" saves: a line of ours added to it would spoil it.
    const std::string_view head = std::string_view(t.bytes).substr(0, 2);
    if (head == "\xFF\xFE" || head == "\xFE\xFF")
        return {};
    t.state = Found::Read;
    return t;
}

std::optional<int> WholeNumber(std::string_view s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    if (i == s.size())
        return std::nullopt;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return std::nullopt;
        v = v * 10 + (s[i] - '0');
        if (v > 2147483648LL)
            return std::nullopt;
    }
    v = negative ? -v : v;
    if (v > 2147483647LL)
        return std::nullopt;
    return static_cast<int>(v);
}

// Where a key of [ZEL v7] stands in the text, found by the line rules every reader of the file
// shares, so all of them see the same sections. The views point into the text.
struct KeyPlace {
    std::optional<std::string_view> value; // the first entry's value, as Value() finds it
    // Just past the last line of the section that is not blank, line end included: where a
    // missing key goes, before the blank lines that part it from the next section.
    std::optional<std::size_t> sectionEnd;
    std::string_view lineEnd;  // the file's own: the first it has
    bool lastLineOpen = false; // the text ends without a line end
};

KeyPlace FindKey(std::string_view text, std::string_view key) {
    KeyPlace place;
    bool inSection = false;
    ForEachIniLine(text, [&](std::string_view line, std::string_view end) {
        if (place.lineEnd.empty())
            place.lineEnd = end;
        place.lastLineOpen = end.empty();
        const IniLine read = ReadIniLine(line);
        if (read.kind == IniLine::Kind::Section)
            inSection = EqualsNoCase(read.name, kSection);
        if (!inSection)
            return;
        if (read.kind == IniLine::Kind::Entry && !place.value && EqualsNoCase(read.name, key))
            place.value = read.value;
        if (read.kind != IniLine::Kind::Other || !TrimBlanks(line).empty())
            place.sectionEnd = static_cast<std::size_t>(end.data() - text.data()) + end.size();
    });
    return place;
}

std::optional<std::string> KeyIn(const SettingsText& text, std::string_view key) {
    if (text.state != Found::Read)
        return std::nullopt;
    const KeyPlace place = FindKey(text.bytes, key);
    if (!place.value)
        return std::nullopt;
    return std::string(*place.value);
}

int LanguageIn(const SettingsText& text) {
    const auto value = KeyIn(text, kKey);
    const auto n = value ? WholeNumber(*value) : std::nullopt;
    if (!n || *n < 0 || *n > 5)
        return English;
    return *n;
}

// The text with key=value in [ZEL v7], or nullopt when the value there is already in force.
// Only the value's bytes change, or the key (or the section) is added as whole lines.
std::optional<std::string> WithValue(std::string_view text, std::string_view key,
                                     const std::string& value,
                                     const std::function<bool(std::string_view)>& inForce) {
    const KeyPlace place = FindKey(text, key);
    std::size_t at = text.size();
    std::size_t replaced = 0;
    std::string insert;
    if (place.value) {
        if (inForce(*place.value))
            return std::nullopt;
        at = static_cast<std::size_t>(place.value->data() - text.data());
        replaced = place.value->size();
        insert = value;
    } else {
        const std::string_view eol = place.lineEnd.empty() ? kSettingsLineEnd : place.lineEnd;
        insert = std::string(key) + "=" + value + std::string(eol);
        if (place.sectionEnd)
            at = *place.sectionEnd;
        else
            insert = "[" + std::string(kSection) + "]" + std::string(eol) + insert;
        if (at == text.size() && place.lastLineOpen)
            insert = std::string(eol) + insert;
    }
    std::string out;
    out.reserve(text.size() + insert.size());
    out.append(text.substr(0, at)).append(insert).append(text.substr(at + replaced));
    return out;
}

// The text with the language in it, or nullopt when it already holds that language.
std::optional<std::string> WithLanguage(std::string_view text, int language) {
    return WithValue(text, kKey, std::to_string(language),
                     [language](std::string_view v) { return WholeNumber(v) == language; });
}

enum class Stored { Unchanged, Written, Failed };

Stored Store(const std::string& path, const SettingsText& text,
             const std::function<std::optional<std::string>(std::string_view)>& change) {
    if (path.empty() || text.state == Found::Unusable)
        return Stored::Failed;
    const auto changed = change(text.bytes);
    if (!changed)
        return Stored::Unchanged;
    // Saved as a card file is: a full disk or a failure halfway leaves the old file whole.
    return WriteFileAtomically(path, *changed).ok ? Stored::Written : Stored::Failed;
}

Stored StoreLanguage(const std::string& path, const SettingsText& text, int language) {
    return Store(path, text, [language](std::string_view t) { return WithLanguage(t, language); });
}

// Whether the file holds the language now and can take the next change. One that needed no
// write may still refuse one: opening it for appending asks the system without changing its
// bytes or its modification time.
bool KeptIn(const std::string& path, const SettingsText& text, int language) {
    switch (StoreLanguage(path, text, language)) {
    case Stored::Written:
        return true;
    case Stored::Unchanged:
        return std::ofstream(Utf8Path(path), std::ios::binary | std::ios::app).is_open();
    case Stored::Failed:
        break;
    }
    return false;
}

} // namespace

std::string SettingsFileName(const std::string& executablePath) {
    const std::filesystem::path p = Utf8Path(executablePath);
    const std::string name = PathUtf8(p.filename());
    if (name.size() > 4 && name[name.size() - 4] == '.')
        return executablePath.substr(0, executablePath.size() - 3) + "ini";
    return executablePath + ".ini";
}

std::string UserSettingsFileName() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::string(xdg) + "/korv/korv.ini";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config/korv/korv.ini";
    return {};
}

int ReadLanguage(const std::string& path) {
    return LanguageIn(ReadSettingsText(path));
}

std::optional<std::string> ReadSetting(const std::string& path, std::string_view key) {
    return KeyIn(ReadSettingsText(path), key);
}

bool WriteLanguage(const std::string& path, int language) {
    return StoreLanguage(path, ReadSettingsText(path), language) != Stored::Failed;
}

bool WriteSetting(const std::string& path, std::string_view key, const std::string& value) {
    // A value the reading would not give back whole: a line end would split it, and blanks at
    // its ends are dropped.
    if (key.empty() || value.find_first_of("\r\n") != std::string::npos ||
        TrimBlanks(value) != value)
        return false;
    const auto change = [&](std::string_view text) {
        return WithValue(text, key, value, [&](std::string_view v) { return v == value; });
    };
    return Store(path, ReadSettingsText(path), change) != Stored::Failed;
}

LanguageSetting LoadLanguageSetting(const std::string& primaryPath,
                                    const std::string& fallbackPath) {
    LanguageSetting s;
    // Each file is read once: what is written back is exactly what the language came from.
    const SettingsText primary = ReadSettingsText(primaryPath);
    s.language = LanguageIn(primary);
    if (KeptIn(primaryPath, primary, s.language)) {
        s.path = primaryPath;
        return s;
    }
    if (fallbackPath.empty())
        return s;
    const SettingsText user = ReadSettingsText(fallbackPath);
    // A user file we cannot read says nothing; the language found so far stands.
    if (user.state == Found::Read)
        s.language = LanguageIn(user);
    std::error_code ec;
    std::filesystem::create_directories(Utf8Path(fallbackPath).parent_path(), ec);
    if (KeptIn(fallbackPath, user, s.language))
        s.path = fallbackPath;
    return s;
}

} // namespace korv
