// What the card-file commands of korv-cli share: their exit codes, the --zone option, and
// loading and writing a file the way the window's Open and Save do.
#pragma once

#include "cli/cli_command.h"
#include "core/card_register.h"
#include "files/card_file_kind.h"
#include "files/card_file_open.h"
#include "files/file_bytes.h"
#include "files/line_check.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace korv::cli {

inline constexpr int kExitProblemsFound = 1; // check: problems were listed
inline constexpr int kExitWrongFile = 3;     // not a card file
inline constexpr int kExitMergeRefused = 4;
inline constexpr int kExitFileError = 5; // a file could not be read or written
// convert, merge: the file was written, but card lines of the input were left out of it.
inline constexpr int kExitLinesLeftOut = 6;

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
// Returns kExitDone, or the exit code after the message went to err. The lines whose cards
// the load left out are named on err, and counted in leftOut when given.
int LoadForCommand(const std::string& path, int zone, TTablica& tablica, std::ostream& err,
                   std::size_t* leftOut = nullptr);
// The same over bytes already read from path, except that the left-out lines are only handed
// back in loaded (check lists them among its findings).
int LoadBytesForCommand(const std::string& path, const FileBytes& file, int zone, TTablica& tablica,
                        std::ostream& err, OpenResult* loaded = nullptr);

// Writes as Save does; the old file stays when that fails.
int WriteForCommand(const TTablica& tablica, const std::string& path, std::ostream& err);

// The English text of a catalogue slot, as scripts and logs get it.
std::string EnglishText(int slot);

// One line's problem as check words it: "line N: ...", texts from the file escaped.
std::string DescribeLine(const LineCheck& c);

// "PATH: line N: ..." on err for each line.
void NameLeftOutLines(const std::string& path, const std::vector<LineCheck>& lines,
                      std::ostream& err);

} // namespace korv::cli
