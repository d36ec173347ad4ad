#include "commands/close_query.h"

#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "commands/write_module.h"

namespace korv {

bool FormCloseQuery(ModuleContext& ctx) {
    if (ctx.state.Busy)
        return false;
    if (!ctx.state.polaczony || !ctx.state.NeedSave)
        return true;
    switch (ctx.ui.MessageBox(MessageText(MsgSendChangesQuestion), MessageText(MsgLeavingCaption),
                              MbYesNoCancel)) {
    case IdYes:
        Button2Click(ctx);
        if (!ctx.state.PasswordAccepted)
            ctx.ui.ShowMessage(MessageText(MsgNotWrittenWrongPassword));
        return true;
    case IdNo:
        return true;
    default:
        return false;
    }
}

} // namespace korv
