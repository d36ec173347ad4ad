#include "commands/password_check.h"

#include "commands/page_exchange.h"
#include "link/page_layout.h"

namespace korv {

bool IsPasswordBytes(std::uint8_t digits12, std::uint8_t digits34) {
    const auto digit = [](int nibble) { return nibble <= 9; };
    return digit(digits12 >> 4) && digit(digits12 & 0x0F) && digit(digits34 >> 4) &&
           digit(digits34 & 0x0F);
}

PasswordCheck CheckModulePassword(link::TBEXFTDI& port, std::string_view pass) {
    if (!TriedLikeAPage([&] { return port.ReadPage(0) == link::PortResult::Ok; }))
        return PasswordCheck::NoAnswer;
    const std::uint8_t stored12 = port.buf_out[link::kPasswordDigits12];
    const std::uint8_t stored34 = port.buf_out[link::kPasswordDigits34];
    if (!IsPasswordBytes(stored12, stored34))
        return PasswordCheck::NoValidPassword;
    const bool same =
        pass.size() >= 4 && link::PackPassword(pass) == link::PasswordBytes{stored12, stored34};
    return same ? PasswordCheck::Accepted : PasswordCheck::Refused;
}

} // namespace korv
