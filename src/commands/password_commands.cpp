#include "commands/password_commands.h"

#include "commands/transfer_session.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"

namespace korv {

std::string PadPassword(std::string_view entry) {
    std::string padded(entry);
    if (padded.size() < 4)
        padded.insert(0, 4 - padded.size(), '0');
    return padded;
}

bool ShowPasswordPanel(ModuleContext& ctx, bool change) {
    ctx.state.connection.PasswordEntryMode = !change;
    const auto entry = ctx.ui.AskPassword(change);
    if (!entry)
        return false;
    ctx.state.connection.Edit_haslo = PadPassword(*entry);
    if (change)
        WriteInstallerPassword(ctx);
    return true;
}

void ChangeInstallerPassword(ModuleContext& ctx) {
    ShowPasswordPanel(ctx, true);
}

void OfferPasswordForErasedModule(ModuleContext& ctx) {
    ctx.ui.ShowMessage(OwnText(OwnTextName::PasswordErased, LanguageIndex()));
    ShowPasswordPanel(ctx, true);
}

namespace {

// The catalogue's failure text, and on a second line what the module holds when that is more
// than the failure says.
std::string FailureText(int message, std::optional<OwnTextName> more) {
    std::string text = MessageText(message);
    if (more)
        text += "\n" + OwnText(*more, LanguageIndex());
    return text;
}

} // namespace

PasswordWriteResult WriteInstallerPassword(ModuleContext& ctx) {
    PasswordWriteResult result = PasswordWriteResult::NotRun;
    TransferSession(ctx, SessionCommand::Password, [&] {
        result = WritePassword(ctx, ctx.state.connection.Edit_haslo);
        const std::string caption = MessageText(MsgPasswordChange);
        if (result == PasswordWriteResult::Saved)
            ctx.ui.MessageBox(MessageText(MsgPasswordSaved), caption, MbInformation);
        else if (result == PasswordWriteResult::Unknown)
            ctx.ui.MessageBox(FailureText(MsgPasswordNotSaved, OwnTextName::PasswordChangeUnknown),
                              caption, MbError);
        else
            ctx.ui.MessageBox(MessageText(MsgPasswordNotSaved), caption, MbError);
    });
    return result;
}

namespace {

// The hourglass and message 96 while the reset blocks, taken away on every way out.
class ResetWait {
public:
    explicit ResetWait(Ui& ui) : ui_(ui) {
        ui_.ShowProgressLabel(MessageText(MsgResetInProgress));
        ui_.SetWaitCursor(true);
    }
    ~ResetWait() {
        ui_.SetWaitCursor(false);
        ui_.ShowProgressLabel("");
    }
    ResetWait(const ResetWait&) = delete;
    ResetWait& operator=(const ResetWait&) = delete;

private:
    Ui& ui_;
};

std::optional<OwnTextName> ResetFailureDetail(ResetResult result) {
    switch (result) {
    case ResetResult::NotDone:
        return OwnTextName::ResetNotDone;
    case ResetResult::PasswordNotKept:
        return OwnTextName::ResetPasswordNotKept;
    case ResetResult::SettingsNotKept:
        return OwnTextName::ResetSettingsNotKept;
    case ResetResult::Unknown:
        return OwnTextName::ResetUnknown;
    case ResetResult::NotRun:
    case ResetResult::Done:
        break;
    }
    return std::nullopt;
}

} // namespace

ResetResult ResetModuleMemory(ModuleContext& ctx) {
    if (ctx.ui.MessageBox(MessageText(MsgResetQuestion), MessageText(MsgResetCaption),
                          MbYesNoDefaultNo) != IdYes)
        return ResetResult::NotRun;
    ResetResult result = ResetResult::NotRun;
    TransferSession(ctx, SessionCommand::Reset, [&] {
        {
            ResetWait wait(ctx.ui);
            result = ResetKeepingPassword(ctx);
        }
        const std::string caption = MessageText(MsgResetCaption);
        if (result == ResetResult::Done)
            ctx.ui.MessageBox(MessageText(MsgResetSucceeded), caption, MbInformation);
        else
            ctx.ui.MessageBox(FailureText(MsgResetFailed, ResetFailureDetail(result)), caption,
                              MbError);
    });
    return result;
}

} // namespace korv
