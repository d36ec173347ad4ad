#include "commands/write_module.h"

#include "commands/page_exchange.h"
#include "commands/password_commands.h"
#include "commands/transfer_session.h"
#include "core/card_register.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"
#include "link/memory_image.h"

namespace korv {

std::string ModuleRefusalText(const ModuleRefusal& refusal, int language) {
    if (refusal.TooManyCards())
        return CatalogueText(language, MsgTooManyCards);
    const TDKarta& card = *refusal.card;
    return OwnText(OwnTextName::CardNumberTooLarge, language,
                   {card.karta.numer, std::to_string(card.i), std::to_string(card.j)});
}

WriteOutcome WriteModule(ModuleContext& ctx, const WriteBackup& backup) {
    WriteOutcome outcome;
    if (const auto refusal = WhyModuleCannotTake(ctx.state.tablica)) {
        ctx.ui.ShowMessage(ModuleRefusalText(*refusal, LanguageIndex()));
        outcome.refused = true;
        return outcome;
    }
    // Without a model the session refuses the module before any page.
    const int writePages = ctx.state.connection.model ? PagesToWrite(ctx.state.tablica.CardCount(),
                                                                     *ctx.state.connection.model)
                                                      : 0;
    outcome.backup = BackUpBeforeWrite(ctx, backup, writePages);
    if (!outcome.backup.WriteMayFollow())
        return outcome;
    if (ctx.state.tablica.CardCount() == 0) {
        outcome.resetAsked = true;
        outcome.reset = ResetModuleMemory(ctx);
    }
    TransferSession(ctx, SessionCommand::Write, [&] {
        outcome.ran = true;
        const TTablica& tablica = ctx.state.tablica;
        const PageContext page{*ctx.state.connection.model, ctx.state.connection.Edit_haslo,
                               ctx.state.zada};
        WriteCursor cursor;
        const int last = LastPageToWrite(tablica.CardCount(), *ctx.state.connection.model);
        const int before = outcome.backup.progressSteps;
        const ProgressPart part{before, before + last + 1, {}};
        // The register was checked above, so every card fits its record.
        const PageLoopResult pages = RunPageLoop(
            ctx, last, MsgWritingModule, MessageText(MsgErrorOnPage),
            [&](int n) {
                return AssemblePage(ctx.port, n, cursor, tablica, page) && WriteModulePage(ctx, n);
            },
            true, part);
        outcome.failedPages = pages.failed;
        outcome.stoppedAt = pages.stoppedAt;
        if (pages.Stopped())
            ctx.ui.ShowMessage(StoppedAnsweringText(pages.stoppedAt));
    });
    // A module that did not get everything still differs from the register: the close query
    // must go on offering to send it.
    if (outcome.Complete())
        ctx.state.NeedSave = false;
    // Whatever the write did, the person needs to know where the old cards are now.
    if (backup.mode == WriteBackup::Mode::Offer && outcome.backup.backup.taken)
        ctx.ui.ShowMessage(
            OwnText(outcome.Complete() ? OwnTextName::BackupAfterWrite
                                       : OwnTextName::BackupAfterFailedWrite,
                    LanguageIndex(),
                    {std::to_string(outcome.backup.backup.cards), outcome.backup.backup.path}));
    return outcome;
}

} // namespace korv
