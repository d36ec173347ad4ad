#include "commands/memory_reset.h"

#include "commands/page_exchange.h"
#include "link/page_image.h"
#include "link/page_layout.h"

#include <algorithm>
#include <array>

namespace korv {

namespace {

using PageBytes = std::array<std::uint8_t, link::kPageSize>;

// A reset reply later than the reset's own wait can still be on its way when page 0 is first
// looked at; the second look comes after this.
constexpr std::uint32_t kSecondLookWaitMs = 4000;

PageBytes PageInReply(const link::TBEXFTDI& port) {
    PageBytes page{};
    std::ranges::copy(link::ReplyPage(port.buf_out), page.begin());
    return page;
}

// The module's page 0 after a reset it did not confirm, if it can be read at all.
bool LookAtPageZero(ModuleContext& ctx, PageBytes& page) {
    for (int look = 0; look < 2; ++look) {
        if (look > 0)
            ctx.port.clock().SleepMs(kSecondLookWaitMs);
        if (ReadModulePage(ctx, 0)) {
            page = PageInReply(ctx.port);
            return true;
        }
    }
    return false;
}

} // namespace

ResetResult ResetKeepingPassword(ModuleContext& ctx) {
    link::TBEXFTDI& port = ctx.port;
    if (!ReadModulePage(ctx, 0))
        return ResetResult::NotDone;
    const PageBytes before = PageInReply(port);
    if (port.Reset(*ctx.state.connection.model) != link::PortResult::Ok) {
        PageBytes now{};
        if (!LookAtPageZero(ctx, now))
            return ResetResult::Unknown;
        if (now == before)
            return ResetResult::NotDone;
    }
    const link::PageImage page = link::RequestPage(port.buf_in);
    link::PutEmptyPageZero(page, link::PasswordOnPage(before));
    if (!WriteModulePage(ctx, 0))
        return ResetResult::PasswordNotKept;
    if (!ctx.state.connection.model->zadaSettings)
        return ResetResult::Done;
    // Page 1 goes as the page-0 image with the factory's extra settings over it; its byte 63
    // keeps the second password byte, as a reset leaves the modules in the field.
    link::PutZadaSettingsOnPage(page, link::ZadaSettings{});
    return WriteModulePage(ctx, link::kZadaSettingsPage) ? ResetResult::Done
                                                         : ResetResult::SettingsNotKept;
}

} // namespace korv
