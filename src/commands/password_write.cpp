#include "commands/password_write.h"

#include "commands/page_exchange.h"
#include "link/page_layout.h"

#include <algorithm>

namespace korv {

PasswordWriteResult WritePassword(ModuleContext& ctx, std::string_view password) {
    link::TBEXFTDI& port = ctx.port;
    if (password.size() < 4 || !ReadModulePage(ctx, 0))
        return PasswordWriteResult::NotSaved;
    const auto [digits12, digits34] = link::PackPassword(password);
    auto data = port.buf_in.begin() + link::kWriteDataOffset;
    std::copy_n(port.buf_out.begin(), link::kPasswordDigits12, data);
    data[link::kPasswordDigits12] = digits12;
    data[link::kPasswordDigits34] = digits34;
    if (WriteModulePage(ctx, 0))
        return PasswordWriteResult::Saved;
    if (!ReadModulePage(ctx, 0))
        return PasswordWriteResult::Unknown;
    const bool taken = port.buf_out[link::kPasswordDigits12] == digits12 &&
                       port.buf_out[link::kPasswordDigits34] == digits34;
    return taken ? PasswordWriteResult::Saved : PasswordWriteResult::NotSaved;
}

} // namespace korv
