#include "commands/close_query.h"

#include "commands/unsaved_changes.h"
#include "commands/write_module.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"

namespace korv {

CloseAnswer AskBeforeClosing(AppState& state, Ui& ui) {
    if (state.polaczony && state.NeedSave) {
        switch (ui.MessageBox(MessageText(MsgSendChangesQuestion), MessageText(MsgLeavingCaption),
                              MbYesNoCancel)) {
        case IdYes:
            return CloseAnswer::WriteFirst;
        case IdNo:
            break;
        default:
            return CloseAnswer::Stay;
        }
    }
    return AskBeforeDiscarding(state, ui) ? CloseAnswer::Close : CloseAnswer::Stay;
}

void AfterWriteOnClosing(const AppState& state, Ui& ui) {
    if (!state.PasswordAccepted)
        ui.ShowMessage(MessageText(MsgNotWrittenWrongPassword));
}

bool WriteBeforeClosing(ModuleContext& ctx) {
    switch (AskBeforeClosing(ctx.state, ctx.ui)) {
    case CloseAnswer::Close:
        return true;
    case CloseAnswer::Stay:
        return false;
    case CloseAnswer::WriteFirst:
        break;
    }
    // The person is still there to answer, and the write replaces the module's cards as any
    // other does.
    WriteModule(ctx, WriteBackup::Offered());
    AfterWriteOnClosing(ctx.state, ctx.ui);
    return true;
}

} // namespace korv
