// Which kind of card file a file is, decided by its size and its first line alone.
#pragma once

#include <cstdint>
#include <string_view>

namespace korv {

enum class CardFileKind { NotCardFile, Version9, Version2 };

inline constexpr std::string_view kMagicVersion9 = "RUF-KARTYv9";
inline constexpr std::string_view kMagicVersion2 = "RUF-KARTYv2";

// A card file is 1 to 1,000,000 bytes long; anything else is not read at all.
inline constexpr std::uint64_t kCardFileMinSize = 1;
inline constexpr std::uint64_t kCardFileMaxSize = 1000000;

inline constexpr bool CardFileSizeAccepted(std::uint64_t size) {
    return size >= kCardFileMinSize && size <= kCardFileMaxSize;
}

// The first line must equal one of the magic words exactly: no trailing blanks, same case.
CardFileKind RecogniseCardFile(std::uint64_t size, std::string_view bytes);
inline CardFileKind RecogniseCardFile(std::string_view bytes) {
    return RecogniseCardFile(bytes.size(), bytes);
}

} // namespace korv
