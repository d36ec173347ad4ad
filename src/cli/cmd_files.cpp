#include "cli/cmd_files.h"

#include "files/card_file_open.h"
#include "files/card_file_v9.h"
#include "i18n/catalogue.h"

#include <ostream>

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
        err << "Cannot open file \"" << path << "\". " << f.error << '\n';
        return std::nullopt;
    }
    return f;
}

int LoadForCommand(const std::string& path, int zone, TTablica& tablica, std::ostream& err,
                   CardFileKind* kind) {
    const auto f = ReadForCommand(path, err);
    if (!f)
        return kExitFileError;
    return LoadBytesForCommand(path, *f, zone, tablica, err, kind);
}

int LoadBytesForCommand(const std::string& path, const FileBytes& file, int zone, TTablica& tablica,
                        std::ostream& err, CardFileKind* kind) {
    const OpenResult r = LoadAnyCardFile(file.size, file.bytes, tablica, zone);
    if (kind)
        *kind = r.kind;
    if (r.kind == CardFileKind::NotCardFile) {
        err << path << ": " << EnglishText(176) << "!\n";
        return kExitWrongFile;
    }
    if (r.wrongOldSize) {
        err << path << ": " << EnglishText(176) << "_v2!\n";
        return kExitWrongFile;
    }
    return kExitDone;
}

int WriteForCommand(const TTablica& tablica, const std::string& path, std::ostream& err) {
    const FileWriteResult w = WriteCardFile(tablica, path);
    if (!w.ok) {
        err << "Cannot create file \"" << path << "\". " << w.error << '\n';
        return kExitFileError;
    }
    return kExitDone;
}

} // namespace korv::cli
