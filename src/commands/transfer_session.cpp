#include "commands/transfer_session.h"

#include "commands/command_guards.h"
#include "commands/page_exchange.h"
#include "commands/progress.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"
#include "link/port_control.h"

namespace korv {

bool TransferSession(ModuleContext& ctx, SessionCommand command,
                     const std::function<void()>& body) {
    OpenCable cable(ctx.port, &ctx.ui);
    if (!cable.Opened())
        return false;
    // The memory reset clears the receive buffer before the wait, the others after it.
    const auto order = command == SessionCommand::Reset ? link::IdentifyOrder::ClearThenWait
                                                        : link::IdentifyOrder::WaitThenClear;
    // Only a current module takes these commands. The kind the monitor stored for a legacy
    // module or a silent one would otherwise match the same answer again (the close query
    // reaches here without the push panels' enabling).
    const bool current = ctx.state.connection.model != nullptr;
    const bool same = current && TriedLikeAPage([&] {
                          const link::IdentifyReply reply =
                              ctx.port.Identify(link::kCommandIdentifyWaitMs, order);
                          // An unanswered try may be answered late: its reply must not be
                          // taken for the next try's, nor for the card count or the first
                          // page. (The monitor's tick looks again a second later and reads
                          // only page 0 after it, whose checked reply an identify cannot fake.)
                          if (reply.received < reply.bytes.size())
                              ctx.port.WaitForQuietLine();
                          return link::ModelOf(reply) == ctx.state.connection.model;
                      });
    if (!same) {
        if (command != SessionCommand::Password)
            ctx.ui.ShowMessage(MessageText(MsgWrongReader));
        return false;
    }
    if (!PasswordLetsThrough(ctx.state, command))
        return false;
    body();
    return true;
}

bool PasswordLetsThrough(const AppState& state, SessionCommand command) {
    const bool erased = state.connection.passwordCheck == PasswordCheck::NoValidPassword;
    return state.connection.PasswordAccepted() || (command == SessionCommand::Password && erased);
}

PageLoopResult RunPageLoop(ModuleContext& ctx, int lastPage, int progressMessage,
                           const std::string& pageErrorText, const std::function<bool(int)>& page,
                           bool showWhenEmpty, const ProgressPart& part) {
    PageLoopResult result;
    if (lastPage < 0 && !showWhenEmpty)
        return result;
    // Failed pages not yet named: named once a later page shows the module still answers.
    std::vector<int> unnamed;
    const auto nameFailed = [&] {
        if (!pageErrorText.empty())
            for (int n : unnamed)
                ctx.ui.ShowMessage(pageErrorText + std::to_string(n));
        unnamed.clear();
    };
    const int steps = part.total >= 0 ? part.total : lastPage + 1;
    ProgressDisplay progress(
        ctx.ui, steps, part.label.empty() ? MessageText(progressMessage) : part.label, part.before);
    for (int n = 0; n <= lastPage; ++n) {
        if (ctx.CancelAsked()) {
            result.cancelled = true;
            return result; // the pages that failed before are part of what was cancelled
        }
        if (page(n)) {
            nameFailed();
        } else {
            result.failed.push_back(n);
            unnamed.push_back(n);
            if (static_cast<int>(unnamed.size()) == kPagesBeforeGivingUp) {
                result.stoppedAt = unnamed.front();
                break;
            }
        }
        progress.Step();
    }
    if (!result.Stopped())
        nameFailed();
    return result;
}

std::string StoppedAnsweringText(int page, const std::string& more) {
    std::string text =
        OwnText(OwnTextName::ModuleStoppedAnswering, LanguageIndex(), {std::to_string(page)});
    if (!more.empty())
        text += " " + more;
    return text;
}

} // namespace korv
