// Check bytes and password pairs of the module protocol.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korv::link {

inline constexpr std::size_t kBufferSize = 1024;
using PortBuffer = std::array<std::uint8_t, kBufferSize>;

// (sum of positions 0..n + 1) mod 256; 0 for n outside 1..1023.
std::uint8_t SumBuf(const PortBuffer& buf, int n);
// buf[pos] is the check byte of positions 0..pos-1; false for pos outside 1..1023.
bool CheckBuf(const PortBuffer& buf, int pos);

// The text read as an unsigned hexadecimal number (digits, letters A-F in either case), or 0
// when it is empty or holds anything else. Longer texts keep their low byte.
std::uint8_t HexToByte(std::string_view text);

} // namespace korv::link
