#include "commands/password_check.h"

#include "commands/page_exchange.h"
#include "link/page_image.h"

namespace korv {

PasswordCheck CheckModulePassword(link::TBEXFTDI& port, std::string_view pass) {
    if (!TriedLikeAPage([&] { return port.ReadPage(0) == link::PortResult::Ok; }))
        return PasswordCheck::NoAnswer;
    const link::PasswordBytes stored = link::PasswordOnPage(link::ReplyPage(port.buf_out));
    if (!link::IsDecimalPassword(stored))
        return PasswordCheck::NoValidPassword;
    const bool same = pass.size() >= 4 && link::PackPassword(pass) == stored;
    return same ? PasswordCheck::Accepted : PasswordCheck::Refused;
}

} // namespace korv
