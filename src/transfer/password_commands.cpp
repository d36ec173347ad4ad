#include "transfer/password_commands.h"

#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "transfer/transfer_session.h"

namespace korv {

std::string PadPassword(std::string_view entry) {
    std::string padded(entry);
    if (padded.size() < 4)
        padded.insert(0, 4 - padded.size(), '0');
    return padded;
}

void ShowPasswordPanel(ModuleContext& ctx, bool change) {
    ctx.ui.SetMonitorRunning(false);
    ctx.state.PasswordEntryMode = !change;
    if (const auto entry = ctx.ui.AskPassword(change)) {
        ctx.state.Edit_haslo = PadPassword(*entry);
        if (change)
            Button_zapiszClick(ctx);
    }
    ctx.ui.SetMonitorRunning(true);
}

void Button_zmien_hasloClick(ModuleContext& ctx) {
    ShowPasswordPanel(ctx, true);
}

void Button_zapiszClick(ModuleContext& ctx) {
    TransferSession(ctx, SessionCommand::Password, [&] {
        if (ctx.port.SetPass(ctx.state.Edit_haslo))
            ctx.ui.MessageBox(MessageText(MsgPasswordSaved), MessageText(MsgPasswordChange),
                              MbInformation);
        else
            ctx.ui.MessageBox(MessageText(MsgPasswordNotSaved), MessageText(MsgPasswordChange),
                              MbError);
    });
}

namespace {

// The hourglass and message 96 while the reset blocks, taken away on every way out.
class ResetWait {
public:
    explicit ResetWait(Ui& ui) : ui_(ui) {
        ui_.ShowProgressLabel(MessageText(MsgResetInProgress));
        ui_.ProcessEvents();
        ui_.SetWaitCursor(true);
    }
    ~ResetWait() {
        ui_.SetWaitCursor(false);
        ui_.ShowProgressLabel("");
        ui_.ProcessEvents();
    }
    ResetWait(const ResetWait&) = delete;
    ResetWait& operator=(const ResetWait&) = delete;

private:
    Ui& ui_;
};

} // namespace

bool Button_reset_pamieciClick(ModuleContext& ctx) {
    // A click that arrives while a monitor tick lets events run waits for nothing: no question.
    if (ctx.state.Busy)
        return false;
    if (ctx.ui.MessageBox(MessageText(MsgResetQuestion), MessageText(MsgResetCaption),
                          MbYesNoDefaultNo) != IdYes)
        return false;
    bool reset = false;
    TransferSession(ctx, SessionCommand::Reset, [&] {
        {
            ResetWait wait(ctx.ui);
            reset = ctx.port.ResetWithPass(ctx.state.ModuleKind);
        }
        if (reset)
            ctx.ui.MessageBox(MessageText(MsgResetSucceeded), MessageText(MsgResetCaption),
                              MbInformation);
        else
            ctx.ui.MessageBox(MessageText(MsgResetFailed), MessageText(MsgResetCaption), MbError);
    });
    return reset;
}

} // namespace korv
