#include "commands/verify_module.h"

#include "commands/page_exchange.h"
#include "commands/transfer_session.h"
#include "commands/ui_seam.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"
#include "link/memory_image.h"
#include "link/page_image.h"

#include <algorithm>
#include <map>
#include <utility>

namespace korv {

namespace {

// Pairs the module's records with the program's cards one to one, for the details: a record
// that matches uses up its card, so two equal records need two equal cards.
class Pairing {
public:
    explicit Pairing(const TTablica& tablica) : tablica_(tablica) {}

    // False when the record is left without a card.
    bool Take(const TDKarta& card) {
        const auto& lista = tablica_.Cell(card.i, card.j).lista;
        auto& used = Used(card.i, card.j);
        for (std::size_t k = 0; k < lista.size(); ++k)
            if (!used[k] && lista[k].numer == card.karta.numer && lista[k].B1 == card.karta.B1) {
                used[k] = true;
                return true;
            }
        return false;
    }

    // The program's cards no record took, in register order.
    void Untaken(std::vector<CardDifference>& out) {
        tablica_.ForEachCard([&](int zone, int apartment, int index, const TKarta& karta) {
            if (!Used(zone, apartment)[static_cast<std::size_t>(index)])
                out.push_back({zone, apartment, karta.numer, karta.B1, false});
        });
    }

private:
    std::vector<bool>& Used(int zone, int apartment) {
        auto& used = used_[{zone, apartment}];
        used.resize(tablica_.Cell(zone, apartment).lista.size(), false);
        return used;
    }

    const TTablica& tablica_;
    std::map<std::pair<int, int>, std::vector<bool>> used_;
};

void Report(ModuleContext& ctx, const VerifyOutcome& o) {
    const int language = LanguageIndex();
    if (o.errors == 0 && o.unchecked == 0) {
        ctx.ui.MessageBox(MessageText(MsgVerifySucceeded), MessageText(MsgVerifyCaption),
                          MbInformation);
        return;
    }
    std::string text;
    if (o.errors > 0)
        text = MessageText(MsgDifferencesFor) + DifferenceCountText(o.errors) + "!";
    if (o.unchecked > 0) {
        if (!text.empty())
            text += "\n";
        text += OwnText(OwnTextName::CardsNotChecked, language, {std::to_string(o.unchecked)});
    }
    std::string details;
    for (const CardDifference& d : o.differences)
        details += DifferenceLine(d, language) + "\n";
    ctx.ui.MessageBoxWithDetails(text, MessageText(MsgVerifyCaption), MbWarning, details);
}

} // namespace

bool CardRecordMatches(const link::PortBuffer& buf_out, int r, const TTablica& tablica) {
    const auto card = CardOfRecord(buf_out, r);
    if (!card)
        return false;
    const auto& lista = tablica.Cell(card->i, card->j).lista;
    return std::any_of(lista.begin(), lista.end(), [&](const TKarta& k) {
        return k.numer == card->karta.numer && k.B1 == card->karta.B1;
    });
}

std::string DifferenceCountText(int n) {
    return n == 1 ? "1" + MessageText(MsgOneCard) : std::to_string(n) + MessageText(MsgCards);
}

std::string DifferenceLine(const CardDifference& d, int language) {
    return OwnText(
        d.onlyInModule ? OwnTextName::OnlyInModule : OwnTextName::OnlyInProgram, language,
        {std::to_string(d.zone), std::to_string(d.apartment), d.numer, d.B1 ? "1" : "0"});
}

VerifyOutcome VerifyModule(ModuleContext& ctx) {
    VerifyOutcome o;
    TransferSession(ctx, SessionCommand::Verify, [&] {
        o.ran = true;
        const TTablica& tablica = ctx.state.tablica;
        o.moduleCount = ReadModuleCount(ctx);
        if (tablica.CardCount() != o.moduleCount) {
            o.countsDiffer = true;
            ctx.ui.MessageBox(MessageText(MsgCountsDiffer), MessageText(MsgVerifyCaption),
                              MbWarning);
            return;
        }
        const int count = o.moduleCount;
        o.countTooLarge = SayIfCountTooLarge(ctx, count);
        const int last = LastPageToRead(count, *ctx.state.connection.model);
        Pairing pairing(tablica);
        int c = 0; // the module's cards on the pages the loop came to
        const std::string pageError = OwnText(OwnTextName::VerifyPageError, LanguageIndex());
        const PageLoopResult pages =
            RunPageLoop(ctx, last, MsgVerifyingModule, pageError, [&](int n) {
                c = CardsThroughPage(count, n);
                if (!ReadModulePage(ctx, n)) {
                    o.unchecked += CardRecordsOnPage(count, n);
                    return false;
                }
                for (int r = 1; r <= CardRecordsOnPage(count, n); ++r) {
                    const link::CardRecord record =
                        link::RecordOnPage(link::ReplyPage(ctx.port.buf_out), r);
                    const auto card = CardOfRecord(record);
                    // A matching record whose card an equal record already took is a surplus
                    // copy: with the counts equal, another of the program's cards is missing.
                    if (CardRecordMatches(ctx.port.buf_out, r, tablica) && pairing.Take(*card))
                        continue;
                    ++o.errors;
                    if (card)
                        o.differences.push_back(
                            {card->i, card->j, card->karta.numer, card->karta.B1, true});
                    else
                        o.differences.push_back(
                            {record.zoneCode, record.apartment, "", false, true});
                }
                return true;
            });
        o.failedPages = pages.failed;
        o.stoppedAt = pages.stoppedAt;
        if (pages.cancelled) {
            o.cancelled = true;
            ctx.ui.ShowMessage(OwnText(OwnTextName::VerifyCancelled, LanguageIndex()));
            return;
        }
        // Cards past the last page a module can hold, or after the module went quiet, were
        // never looked at.
        o.unchecked += std::max(count - c, 0);
        if (pages.Stopped())
            ctx.ui.ShowMessage(StoppedAnsweringText(pages.stoppedAt));
        if (o.unchecked == 0)
            pairing.Untaken(o.differences);
        Report(ctx, o);
    });
    return o;
}

} // namespace korv
