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
};

// Writes into a new file beside the target, flushes it to disk and only then renames it over
// the target. On any failure the temporary file is removed and the target stays as it was.
FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    const WriteFault& fault = {});

} // namespace korv
