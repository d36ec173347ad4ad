#include "link/frame_checks.h"

namespace korv::link {

std::uint8_t SumBuf(const PortBuffer& buf, int n) {
    if (n < 1 || n > static_cast<int>(kBufferSize) - 1)
        return 0;
    unsigned sum = 1;
    for (int i = 0; i <= n; ++i)
        sum += buf[static_cast<std::size_t>(i)];
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

bool CheckBuf(const PortBuffer& buf, int pos) {
    if (pos < 1 || pos > static_cast<int>(kBufferSize) - 1)
        return false;
    return buf[static_cast<std::size_t>(pos)] == SumBuf(buf, pos - 1);
}

std::uint8_t HexToByte(std::string_view text) {
    if (text.empty())
        return 0;
    unsigned value = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return 0;
        value = ((value << 4) | digit) & 0xFFu;
    }
    return static_cast<std::uint8_t>(value);
}

PasswordBytes PackPassword(std::string_view password) {
    const auto pair = [password](std::size_t from) -> std::uint8_t {
        const std::string_view two =
            from < password.size() ? password.substr(from, 2) : std::string_view{};
        return two.size() == 2 ? HexToByte(two) : 0;
    };
    return {pair(0), pair(2)};
}

} // namespace korv::link
