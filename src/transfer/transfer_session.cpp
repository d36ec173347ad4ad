#include "transfer/transfer_session.h"

#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "link/port_control.h"
#include "transfer/command_guards.h"
#include "transfer/progress.h"

namespace korv {

bool TransferSession(ModuleContext& ctx, SessionCommand command,
                     const std::function<void()>& body) {
    if (ctx.state.Busy)
        return false;
    CommandBusy busy(ctx);
    OpenCable cable(ctx.port);
    if (!cable.Opened())
        return false;
    // The memory reset clears the receive buffer before the wait, the others after it.
    const auto order = command == SessionCommand::Reset ? link::IdentifyOrder::ClearThenWait
                                                        : link::IdentifyOrder::WaitThenClear;
    const auto reply = ctx.port.Identify(link::kCommandIdentifyWaitMs, order);
    if (link::ModuleKindOf(reply) != ctx.state.ModuleKind) {
        if (command != SessionCommand::Password)
            ctx.ui.ShowMessage(MessageText(MsgWrongReader));
        return false;
    }
    body();
    return true;
}

std::vector<int> RunPageLoop(ModuleContext& ctx, int lastPage, int progressMessage,
                             const std::function<bool(int)>& page, bool showWhenEmpty) {
    std::vector<int> failed;
    if (lastPage < 0 && !showWhenEmpty)
        return failed;
    ProgressDisplay progress(ctx.ui, lastPage + 1, MessageText(progressMessage));
    for (int n = 0; n <= lastPage; ++n) {
        if (!page(n))
            failed.push_back(n);
        progress.Step();
    }
    return failed;
}

} // namespace korv
