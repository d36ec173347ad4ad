// The module protocol's request letters: the first byte of every request, which the module
// echoes in its reply where it replies with a letter. The simulator keeps its own copy.
#pragma once

#include <cstdint>

namespace korv::link {

inline constexpr std::uint8_t kReadLowPage = 'A';   // read page 0..255 (argument: page)
inline constexpr std::uint8_t kReadHighPage = 'D';  // read page 256..511 (argument: page - 256)
inline constexpr std::uint8_t kWriteLowPage = 'B';  // write page 0..255
inline constexpr std::uint8_t kWriteHighPage = 'E'; // write page 256..511
inline constexpr std::uint8_t kControl = 'C';       // control requests, by argument:
inline constexpr std::uint8_t kControlCardCount = 0x13;
inline constexpr std::uint8_t kControlReset = 0x14;
inline constexpr std::uint8_t kResetDone = 0x01; // the reset's reply: 'C' 01 'E'
inline constexpr std::uint8_t kResetDoneEnd = 'E';
inline constexpr std::uint8_t kIdentify = 'F';       // who are you: 'F', 'M', "RUF", ...
inline constexpr std::uint8_t kReadCard = 'G';       // the card held to the reader
inline constexpr std::uint8_t kLegacyIdentify = 'H'; // older modules answer 'J'/'j'/'I'/'i'

} // namespace korv::link
