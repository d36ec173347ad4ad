#include "files/card_file_kind.h"

#include "files/byte_line.h"

namespace korv {

CardFileKind RecogniseCardFile(std::uint64_t size, std::string_view bytes) {
    if (!CardFileSizeAccepted(size))
        return CardFileKind::NotCardFile;
    size_t pos = 0;
    std::string line = ReadByteLine(bytes, pos);
    // Only the first 14 characters take part; both words are shorter, so the line must match
    // in full.
    if (line.size() > 14)
        line.resize(14);
    if (line == kMagicVersion9)
        return CardFileKind::Version9;
    if (line == kMagicVersion2)
        return CardFileKind::Version2;
    return CardFileKind::NotCardFile;
}

} // namespace korv
