#include "transfer/read_module.h"

#include "core/card_register.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"
#include "link/page_layout.h"
#include "transfer/memory_image.h"
#include "transfer/page_exchange.h"
#include "transfer/transfer_session.h"

#include <algorithm>

namespace korv {

namespace {

constexpr int kLastModulePage = link::kPageCount - 1;

} // namespace

ReadOutcome Button1Click(ModuleContext& ctx) {
    ReadOutcome outcome;
    TransferSession(ctx, SessionCommand::Read, [&] {
        outcome.ran = true;
        outcome.moduleCount = ctx.port.LiczbaKart();
        if (outcome.moduleCount < 0) {
            // Emptying the register now would leave the person with no cards, and a later
            // write would wipe the module.
            ctx.ui.ShowMessage(OwnText(OwnTextName::ModuleCountUnreadable, LanguageIndex()));
            return;
        }
        int count = outcome.moduleCount;
        if (count > MaxCards) {
            outcome.countTooLarge = true;
            ctx.ui.ShowMessage(OwnText(OwnTextName::ModuleCountTooLarge, LanguageIndex(),
                                       {std::to_string(count)}));
            count = MaxCards;
        }
        const int last = std::min(LastPageToRead(count, ctx.state.ModuleKind), kLastModulePage);
        ctx.state.tablica.ClearCards();
        int c = 0;
        outcome.failedPages = RunPageLoop(ctx, last, MsgReadingModule, [&](int n) {
            const int pageEnd = link::kRecordsPerPage * (n + 1);
            if (!ReadModulePage(ctx, n)) {
                ctx.ui.ShowMessage(MessageText(MsgErrorOnPage) + std::to_string(n));
                c = std::min(count, pageEnd);
                return false;
            }
            while (c < count && c < pageEnd) {
                ++c;
                DecodeCardRecord(ctx.port.buf_out, (c - 1) % link::kRecordsPerPage + 1,
                                 ctx.state.tablica);
            }
            return true;
        });
        if (ctx.state.ModuleKind == link::kKindZada)
            ctx.ui.ShowZadaSettings(ctx.state.zada);
        ctx.ui.ShowCurrentApartment();
        ctx.ui.RefreshViews();
        ctx.ui.SetCardButtonsEnabled(false);
    });
    return outcome;
}

} // namespace korv
