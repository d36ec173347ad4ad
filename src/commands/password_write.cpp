#include "commands/password_write.h"

#include "commands/page_exchange.h"
#include "link/page_image.h"

#include <algorithm>

namespace korv {

PasswordWriteResult WritePassword(ModuleContext& ctx, std::string_view password) {
    link::TBEXFTDI& port = ctx.port;
    if (password.size() < 4 || !ReadModulePage(ctx, 0))
        return PasswordWriteResult::NotSaved;
    const link::PasswordBytes packed = link::PackPassword(password);
    // The page goes back as the module keeps it, only the password changed.
    const link::PageImage page = link::RequestPage(port.buf_in);
    std::ranges::copy(link::ReplyPage(port.buf_out), page.begin());
    link::PutPasswordOnPage(page, packed);
    if (WriteModulePage(ctx, 0))
        return PasswordWriteResult::Saved;
    if (!ReadModulePage(ctx, 0))
        return PasswordWriteResult::Unknown;
    const bool taken = link::PasswordOnPage(link::ReplyPage(port.buf_out)) == packed;
    return taken ? PasswordWriteResult::Saved : PasswordWriteResult::NotSaved;
}

} // namespace korv
