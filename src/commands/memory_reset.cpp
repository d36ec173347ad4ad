#include "commands/memory_reset.h"

#include "commands/page_exchange.h"
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
    std::copy_n(port.buf_out.begin(), page.size(), page.begin());
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
    auto data = port.buf_in.begin() + link::kWriteDataOffset;
    // Twelve free records and the count 0 around the kept password.
    std::fill(data, data + link::kTrailer, 0xFF);
    data[link::kCountHigh] = 0;
    data[link::kCountLow] = 0;
    data[link::kPasswordDigits12] = before[link::kPasswordDigits12];
    data[link::kPasswordDigits34] = before[link::kPasswordDigits34];
    if (!WriteModulePage(ctx, 0))
        return ResetResult::PasswordNotKept;
    if (!ctx.state.connection.model->zadaSettings)
        return ResetResult::Done;
    // The factory's extra settings: 4 s, electric lock, sounds on. Byte 63 stays the second
    // password byte of the page-0 image, as modules in the field were always left.
    data[link::kZadaLockTime] = 4;
    data[link::kZadaLockType] = 0;
    data[link::kZadaSounds] = 0;
    return WriteModulePage(ctx, 1) ? ResetResult::Done : ResetResult::SettingsNotKept;
}

} // namespace korv
