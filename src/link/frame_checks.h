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

// The installer password as page 0 keeps it (bytes 62 and 63). Characters 1-2 and 3-4 are each
// read by HexToByte, so four decimal digits give their packed-BCD bytes; a pair that is not two
// hexadecimal digits, a missing character included, counts as 00. Characters after the fourth
// do not count. Every path that stores or compares the password packs it here, so a password
// written with page 0 of a register is the one the password check accepts.
struct PasswordBytes {
    std::uint8_t digits12 = 0;
    std::uint8_t digits34 = 0;
    friend bool operator==(const PasswordBytes&, const PasswordBytes&) = default;
};
PasswordBytes PackPassword(std::string_view password);

} // namespace korv::link
