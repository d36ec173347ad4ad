// What the card-file commands of korv-cli share: their exit codes, the --zone option, and
// loading and writing a file the way the window's Open and Save do.
#pragma once

#include "cli/cli_command.h"
#include "core/card_register.h"
#include "files/card_file_kind.h"
#include "files/file_bytes.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace korv::cli {

inline constexpr int kExitProblemsFound = 1; // check: problems were listed
inline constexpr int kExitWrongFile = 3;     // not a card file
inline constexpr int kExitMergeRefused = 4;
inline constexpr int kExitFileError = 5; // a file could not be read or written

// Positional arguments and the zone of "--zone N" / "--zone=N" (1 when absent); empty when
// the arguments are not that shape.
struct FileArgs {
    std::vector<std::string> paths;
    int zone = 1;
};
std::optional<FileArgs> ParseFileArgs(const Args& args, size_t pathCount);

// Reads a file, reporting an input/output error on err; nullopt means exit kExitFileError.
std::optional<FileBytes> ReadForCommand(const std::string& path, std::ostream& err);

// Replaces the register with the file as Open does (a one-zone file's cards go to zone).
// Returns kExitDone, or the exit code after the message went to err.
int LoadForCommand(const std::string& path, int zone, TTablica& tablica, std::ostream& err,
                   CardFileKind* kind = nullptr);
// The same over bytes already read from path.
int LoadBytesForCommand(const std::string& path, const FileBytes& file, int zone, TTablica& tablica,
                        std::ostream& err, CardFileKind* kind = nullptr);

// Writes as Save does; the old file stays when that fails.
int WriteForCommand(const TTablica& tablica, const std::string& path, std::ostream& err);

// The English text of a catalogue slot, as scripts and logs get it.
std::string EnglishText(int slot);

} // namespace korv::cli
