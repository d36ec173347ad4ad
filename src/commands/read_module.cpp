#include "commands/read_module.h"

#include "commands/page_exchange.h"
#include "commands/transfer_session.h"
#include "core/card_register.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"
#include "link/memory_image.h"

#include <algorithm>

namespace korv {

namespace {

// A report names this many records; a write cut short can leave thousands.
constexpr std::size_t kPlacesNamed = 12;

} // namespace

std::string RecordPlacesText(const std::vector<RecordPlace>& places, int language) {
    std::string text;
    for (std::size_t i = 0; i < places.size() && i < kPlacesNamed; ++i) {
        if (i > 0)
            text += ", ";
        text += OwnText(OwnTextName::RecordPlace, language,
                        {std::to_string(places[i].page), std::to_string(places[i].record)});
    }
    if (places.size() > kPlacesNamed)
        text += ", ... (" + std::to_string(places.size()) + ")";
    return text;
}

PageLoopResult ReadCardPages(ModuleContext& ctx, int count, TTablica& read,
                             std::vector<RecordPlace>& recordsWithoutCard,
                             const ProgressPart& part) {
    // Failed pages are said once, at the end, by the caller.
    return RunPageLoop(
        ctx, LastPageToRead(count, *ctx.state.connection.model), MsgReadingModule, std::string(),
        [&](int n) {
            if (!ReadModulePage(ctx, n))
                return false;
            for (int r = 1; r <= CardRecordsOnPage(count, n); ++r)
                if (!DecodeCardRecord(ctx.port.buf_out, r, read))
                    recordsWithoutCard.push_back({n, r});
            return true;
        },
        false, part);
}

ReadOutcome ReadModule(ModuleContext& ctx) {
    ReadOutcome outcome;
    TransferSession(ctx, SessionCommand::Read, [&] {
        outcome.ran = true;
        const int language = LanguageIndex();
        outcome.moduleCount = ReadModuleCount(ctx);
        if (outcome.moduleCount < 0) {
            // Emptying the register now would leave the person with no cards, and a later
            // write would wipe the module.
            ctx.ui.ShowMessage(OwnText(OwnTextName::ModuleCountUnreadable, language));
            return;
        }
        int count = outcome.moduleCount;
        if (SayIfCountTooLarge(ctx, count)) {
            outcome.countTooLarge = true;
            count = MaxCards;
        }
        TTablica read = ctx.state.tablica;
        read.ClearCards();
        const PageLoopResult pages = ReadCardPages(ctx, count, read, outcome.recordsWithoutCard);
        outcome.failedPages = pages.failed;
        outcome.stoppedAt = pages.stoppedAt;
        if (pages.cancelled) {
            outcome.cancelled = true;
            ctx.ui.ShowMessage(OwnText(OwnTextName::ReadCancelled, language));
            return;
        }
        const std::string unchanged = OwnText(OwnTextName::CardListNotChanged, language);
        if (pages.Stopped()) {
            ctx.ui.ShowMessage(StoppedAnsweringText(pages.stoppedAt, unchanged));
            return;
        }
        if (!outcome.recordsWithoutCard.empty()) {
            ctx.ui.ShowMessage(OwnText(OwnTextName::RecordsHoldNoCard, language,
                                       {RecordPlacesText(outcome.recordsWithoutCard, language)}) +
                               " " + unchanged);
            return;
        }
        if (!outcome.failedPages.empty()) {
            std::string failed;
            for (int n : outcome.failedPages)
                failed += (failed.empty() ? "" : ", ") + std::to_string(n);
            const std::string question =
                OwnText(OwnTextName::PartialReadQuestion, language,
                        {std::to_string(read.CardCount()), std::to_string(count), failed});
            if (ctx.ui.MessageBox(question, MessageText(MsgReadingModule), MbYesNoDefaultNo) !=
                IdYes) {
                outcome.partialDeclined = true;
                return;
            }
        }
        // A partial register must not go quietly over a complete file at the next Save.
        ctx.state.partialRead = !outcome.failedPages.empty();
        ctx.state.tablica = std::move(read);
        outcome.registerReplaced = true;
    });
    return outcome;
}

} // namespace korv
