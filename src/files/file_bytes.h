// Reading a card file from disk and writing one so that a failure never harms the old file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korv {

struct FileBytes {
    bool ok = false;        // false: the file could not be opened or read
    std::string error;      // the system's reason when !ok
    std::uint64_t size = 0; // the size found when the file was opened
    std::string bytes;      // the contents; read only when the size is one a card file can have
};

// Opens the file and takes its size; reads it only when it is 1 to 1,000,000 bytes, so a
// huge file or a device costs nothing.
FileBytes ReadCardFileBytes(const std::string& path);

// Failures a test can force on a write, as a full disk or a failing rename would.
struct WriteFault {
    std::optional<std::size_t> failAfterBytes; // the disk fills after this many bytes
    bool failRename = false;
};

struct FileWriteResult {
    bool ok = false;
    std::string error; // the system's reason when !ok
    // A card file refused before anything was written: it would be larger than every reader
    // accepts. size is what it would have been.
    bool overSizeLimit = false;
    std::uint64_t size = 0;
};

// Saves bytes the way careful editors do. Symbolic links are followed (a dangling one gets its
// target created). The target must be a plain file we may write, or not exist; anything else
// is refused and left alone. Normally the bytes go into a new file beside the target, reach
// the disk, and only then replace it by a rename, and the folder is flushed; on any failure
// the temporary file goes and the target stays as it was. When a rename would change what the
// user sees of the file (its owner or group, its other hard links) or the folder cannot take
// a new name, the file's own bytes are replaced instead, after room for them was reserved.
// The mode is kept either way.
FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    const WriteFault& fault = {});

// The system's words for the two failures reported most: a file that is not there and a full
// disk (what follows "Cannot open file ..." and "Cannot create file ..." in the messages).
std::string MissingFileText();
std::string DiskFullText();

} // namespace korv
