#include "files/journal_file.h"

#include "core/utf8_path.h"
#include "files/csv_field.h"
#include "files/user_data_folder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace korv {

namespace {

constexpr char kSeparator = ';';

std::string OneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            // One break, whatever its bytes, and none at the end.
            while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n'))
                ++i;
            if (i + 1 < text.size() && !out.empty())
                out += " / ";
            continue;
        }
        out += text[i];
    }
    return out;
}

} // namespace

std::string JournalHeader() {
    return "date;command;module kind;module name;cards;file;result\r\n";
}

std::string JournalLine(const JournalEntry& e) {
    std::string line;
    for (const std::string* field :
         {&e.when, &e.command, &e.moduleKind, &e.moduleName, &e.cards, &e.file}) {
        line += CsvField(*field, kSeparator);
        line += kSeparator;
    }
    line += CsvField(OneLine(e.result), kSeparator);
    line += "\r\n";
    return line;
}

bool AppendJournalLine(const std::string& path, const std::string& line, std::string& error) {
    const std::filesystem::path p = Utf8Path(path);
    if (p.has_parent_path() && !MakeFolders(PathUtf8(p.parent_path()), error))
        return false;
    std::error_code ec;
    const bool fresh = !std::filesystem::exists(p, ec) || std::filesystem::file_size(p, ec) == 0;
    std::ofstream file(p, std::ios::binary | std::ios::app);
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    if (fresh)
        file << "\xEF\xBB\xBF" << JournalHeader();
    file << line;
    file.flush();
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace korv
