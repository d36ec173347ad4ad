#include "commands/connection_monitor.h"

#include "commands/password_check.h"
#include "commands/password_commands.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"
#include "link/identification.h"
#include "link/port_control.h"

namespace korv {

namespace {

using link::IdentifyOutcome;

// A module we cannot serve, or nothing: the module commands go, the label turns red.
void LegacyPreparation(AppState& state) {
    ConnectionView& v = state.connection.view;
    v.pushPanels = false;
    v.labelColour = Colour::Red;
    v.passwordButtons = false;
    // Whatever page 0 said belongs to the module that was there.
    state.connection.passwordCheck = PasswordCheck::NoAnswer;
}

void NothingIdentified(AppState& state) {
    ConnectionView& v = state.connection.view;
    v.outcome = LinkOutcome::Nothing;
    v.infoPanel = false;
    v.cableColour = Colour::Yellow;
    state.connection.ConnectionMessage = MsgModuleNotConnected;
    v.autoCheckBox = false;
}

// No cable: nothing answers, and nothing could.
void NoCable(AppState& state) {
    LegacyPreparation(state);
    NothingIdentified(state);
    state.connection.view.outcome = LinkOutcome::NoCable;
    state.connection.view.cableMessage = MsgCableNotConnected;
}

// The cable is there, but another program holds it open: nothing can be asked, and the person
// must not be told to plug in a cable that is plugged in.
void CableHeldElsewhere(AppState& state) {
    NoCable(state);
    state.connection.view.cableInUse = true;
    state.connection.view.cableMessage = MsgCableConnected;
}

// Shared by a current module and a legacy one: someone answers.
void Answered(AppState& state) {
    ConnectionView& v = state.connection.view;
    state.connection.ConnectionMessage = MsgConnectedWithModule;
    v.autoCheckBox = true;
    v.cableColour = Colour::Lime;
}

void CurrentModule(ModuleContext& ctx) {
    AppState& state = ctx.state;
    ConnectionView& v = state.connection.view;
    v.outcome = LinkOutcome::CurrentModule;
    v.infoPanel = false;
    v.pushPanels = true;
    v.passwordBox = true;
    v.layout = state.connection.model->zadaSettings ? ModuleLayout::Zada : ModuleLayout::Full;
    v.labelColour = Colour::Green;
    Answered(state);
    ctx.ui.ShowConnection(v);

    // A module that cannot deliver page 0 counts as refusing.
    state.connection.passwordCheck = CheckModulePassword(ctx.port, state.connection.Edit_haslo);
    const bool accepted = state.connection.PasswordAccepted();
    const bool erased = state.connection.passwordCheck == PasswordCheck::NoValidPassword;
    v.moduleGroup = accepted;
    // An erased module can be given a password, and nothing else.
    v.passwordButtons = accepted || erased;
    ctx.ui.ShowConnection(v);
    // No password the panel takes could open an erased module: asking for one would lock the
    // installer in a loop. It is offered a new one once the tick lets go of the cable. A
    // refused password is asked for until the person cancels: a panel back every second would
    // leave no way to the File menu or the close box.
    if (!accepted && !erased && !state.connection.passwordEntryDeclined &&
        !ShowPasswordPanel(ctx, false))
        state.connection.passwordEntryDeclined = true;
}

void LegacyIdentified(AppState& state) {
    ConnectionView& v = state.connection.view;
    v.outcome = LinkOutcome::Legacy;
    v.infoPanel = true;
    Answered(state);
}

} // namespace

bool FindButtonUsable(const AppState& state) {
    return state.connection.ConnectionMessage == MsgConnectedWithModule &&
           state.tablica.CardCount() > 0;
}

bool PasswordRefusedAndDeclined(const AppState& state) {
    return state.connection.view.outcome == LinkOutcome::CurrentModule &&
           state.connection.passwordCheck == PasswordCheck::Refused &&
           state.connection.passwordEntryDeclined;
}

void AskForThePasswordAgain(AppState& state) {
    state.connection.passwordEntryDeclined = false;
}

std::string ConnectionLabelText(const AppState& state) {
    if (state.connection.view.cableInUse)
        return OwnText(OwnTextName::CableInUse, LanguageIndex());
    if (PasswordRefusedAndDeclined(state))
        return OwnText(OwnTextName::PasswordRefused, LanguageIndex());
    if (state.connection.ConnectionMessage == MsgConnectedWithModule)
        return MessageText(MsgConnectedWithModule) + state.connection.ModuleName;
    return MessageText(state.connection.ConnectionMessage);
}

void CheckConnection(ModuleContext& ctx) {
    AppState& state = ctx.state;
    const link::PortResult opened = link::OpenPort(ctx.port);
    const bool udalosie = opened == link::PortResult::Ok; // the cable opened on this tick
    state.connection.view.cableInUse = false;
    if (opened == link::PortResult::CableInUse) {
        CableHeldElsewhere(state);
    } else if (!udalosie) {
        NoCable(state);
    } else {
        state.connection.view.cableMessage = MsgCableConnected;
        link::IdentifyHooks hooks;
        hooks.beforeLegacy = [&] {
            LegacyPreparation(state);
            ctx.ui.ShowConnection(state.connection.view);
        };
        const link::DeviceAnswer answer =
            link::AskDevice(ctx.port, link::kMonitorIdentifyWaitMs, hooks);
        state.connection.ModuleKind = link::ModuleKindOf(answer.reply);
        state.connection.model = answer.id.model;
        if (answer.id.moduleName)
            state.connection.ModuleName = *answer.id.moduleName;
        switch (answer.id.outcome) {
        case IdentifyOutcome::CurrentModule:
        case IdentifyOutcome::CurrentZadaModule:
            CurrentModule(ctx);
            break;
        case IdentifyOutcome::OtherFamily:
        case IdentifyOutcome::LegacyModule:
            LegacyIdentified(state);
            break;
        case IdentifyOutcome::NoCable: // the cable opened: cannot be
        case IdentifyOutcome::NothingIdentified:
            NothingIdentified(state);
            break;
        }
    }
    ctx.ui.ShowConnection(state.connection.view);

    if (udalosie && !state.connection.polaczony()) {
        // Toggled for a cable whose module stays silent, raised on one tick and lowered on the
        // next.
        ctx.port.clock().SleepMs(kRtsToggleWaitMs);
        if (ctx.port.RTS())
            ctx.port.ClrRTS();
        else
            ctx.port.SetRTS();
    }
    if (udalosie)
        link::ClosePort(ctx.port);

    const bool erased = state.connection.view.outcome == LinkOutcome::CurrentModule &&
                        state.connection.passwordCheck == PasswordCheck::NoValidPassword;
    if (state.connection.view.outcome != LinkOutcome::CurrentModule)
        state.connection.passwordEntryDeclined = false; // the next module is asked anew
    if (!erased)
        state.connection.erasedPasswordOffered = false;
    else if (!state.connection.erasedPasswordOffered) {
        state.connection.erasedPasswordOffered = true;
        OfferPasswordForErasedModule(ctx);
    }
}

} // namespace korv
