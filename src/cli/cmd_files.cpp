#include "cli/cmd_files.h"

#include "cli/text_escape.h"
#include "commands/card_file_append.h"
#include "files/card_file_v9.h"
#include "i18n/catalogue.h"

#include <ostream>
#include <utility>

namespace korv::cli {

namespace {
bool ParseZone(const std::string& s, int& zone) {
    if (s.size() != 1 || s[0] < '1' || s[0] > '4')
        return false;
    zone = s[0] - '0';
    return true;
}
} // namespace

std::string EnglishText(int slot) {
    return CatalogueText(English, slot);
}

std::optional<FileArgs> ParseFileArgs(const Args& args, size_t pathCount) {
    FileArgs f;
    bool zoneSeen = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--zone" || a.rfind("--zone=", 0) == 0) {
            const std::string value =
                a == "--zone" ? (i + 1 < args.size() ? args[++i] : "") : a.substr(7);
            if (zoneSeen || !ParseZone(value, f.zone))
                return std::nullopt;
            zoneSeen = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return std::nullopt;
        } else {
            f.paths.push_back(a);
        }
    }
    if (f.paths.size() != pathCount)
        return std::nullopt;
    return f;
}

std::optional<FileBytes> ReadForCommand(const std::string& path, std::ostream& err) {
    FileBytes f = ReadCardFileBytes(path);
    if (!f.ok) {
        err << "Cannot open file \"" << EscapeText(path) << "\". " << EscapeText(f.error) << '\n';
        return std::nullopt;
    }
    return f;
}

int LoadForCommand(const std::string& path, int zone, TTablica& tablica, std::ostream& err,
                   std::size_t* leftOut) {
    const auto f = ReadForCommand(path, err);
    if (!f)
        return kExitFileError;
    OpenResult r;
    const int rc = LoadBytesForCommand(path, *f, zone, tablica, err, &r);
    NameLeftOutLines(path, r.leftOut, err);
    if (leftOut)
        *leftOut = r.leftOut.size();
    return rc;
}

int LoadBytesForCommand(const std::string& path, const FileBytes& file, int zone, TTablica& tablica,
                        std::ostream& err, OpenResult* loaded) {
    OpenResult r = LoadAnyCardFile(file.size, file.bytes, tablica, zone);
    const auto wrong = WrongFileNotice(r.kind, file.size, English);
    if (loaded)
        *loaded = std::move(r);
    if (wrong) {
        err << EscapeText(path) << ": " << *wrong << '\n';
        return kExitWrongFile;
    }
    return kExitDone;
}

int WriteForCommand(const TTablica& tablica, const std::string& path, std::ostream& err) {
    const FileWriteResult w = WriteCardFile(tablica, path);
    if (!w.ok) {
        err << "Cannot create file \"" << EscapeText(path) << "\". " << EscapeText(w.error) << '\n';
        return kExitFileError;
    }
    return kExitDone;
}

std::string DescribeLine(const LineCheck& c) {
    const std::string line = "line " + std::to_string(c.line) + ": ";
    switch (c.fault) {
    case LineFault::DialNumberIgnored:
        return line + "number to dial ignored (needs an apartment 0..255 and a number)";
    case LineFault::CardLineIgnored:
        return line + "card line ignored (needs zone 1..4 and apartment 0..255)";
    case LineFault::DescriptionHoldsEquals:
        return line + "description of card \"" + EscapeText(c.subject) +
               "\" holds \"=\"; the text after it is lost";
    case LineFault::DescriptionEndsInBlanks:
        return line + "description of card \"" + EscapeText(c.subject) +
               "\" ends in blanks; they are lost";
    case LineFault::NotACardNumber:
        return line + "\"" + EscapeText(c.subject) + "\" is not a card number and is ignored";
    case LineFault::MoreThanSixFields:
        return line + "more than six numbers; only the first five are read";
    case LineFault::CardsPastApartment255:
        return line + "cards ignored (a one-zone file ends with apartment 255 on line 257)";
    }
    return line;
}

void NameLeftOutLines(const std::string& path, const std::vector<LineCheck>& lines,
                      std::ostream& err) {
    if (lines.empty())
        return;
    const std::string name = EscapeText(path);
    for (const LineCheck& c : lines)
        err << name << ": " << DescribeLine(c) << '\n';
}

} // namespace korv::cli
