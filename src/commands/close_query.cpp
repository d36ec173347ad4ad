#include "commands/close_query.h"

#include "commands/unsaved_changes.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"

namespace korv {

CloseAnswer AskBeforeClosing(const EditContext& ctx) {
    auto& [state, ui, view] = ctx;
    if (state.connection.polaczony() && state.NeedSave) {
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
    return AskBeforeDiscarding(ctx) ? CloseAnswer::Close : CloseAnswer::Stay;
}

void AfterWriteOnClosing(const AppState& state, Ui& ui) {
    if (!state.connection.PasswordAccepted())
        ui.ShowMessage(MessageText(MsgNotWrittenWrongPassword));
}

} // namespace korv
