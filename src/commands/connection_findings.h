// What a monitor tick or a module command learns about the module on the cable, apart from the
// register: who answered, whether it took the password, and the row the monitor shows. A job
// of the command runner works on its own copy of the state; the window takes this record back
// from it whole, and only this, so that cards edited during a tick are never overwritten.
#pragma once

#include "commands/connection_view.h"
#include "commands/password_check.h"
#include "i18n/message_slots.h"
#include "link/module_model.h"

#include <string>

namespace korv {

struct ConnectionFindings {
    // Connection state shown in the status line: MsgModuleNotConnected while no module
    // answers, MsgConnectedWithModule once one does.
    int ConnectionMessage = MsgModuleNotConnected;
    std::string ModuleName;
    // Byte 0 of the last identify reply as text, for korv-cli's report; decisions ask model.
    std::string ModuleKind;
    // The current module the monitor found on its last look at the cable; none for a legacy
    // module, another family's device or silence. Kept while no cable is present.
    const link::ModuleModel* model = nullptr;
    // What the last tick found on page 0 of a current module.
    PasswordCheck passwordCheck = PasswordCheck::NoAnswer;
    // The person was told that the module on the cable holds no valid password; said again
    // only after that module is gone or has a password.
    bool erasedPasswordOffered = false;
    // The person cancelled the password panel for the module on the cable: it is not opened
    // again by itself until that module is gone, or the person asks from the password box.
    bool passwordEntryDeclined = false;
    // The row the monitor draws, as the last tick left it.
    ConnectionView view;
    // haslo = password: the installer password the program holds, always four digits; the
    // password panel's confirm button is the only thing that changes it, and a tick may open
    // that panel, so it travels back with the findings.
    std::string Edit_haslo = "5172";
    // The password panel was opened because the module refused the password, not to change it.
    bool PasswordEntryMode = false;

    // polaczony = connected: a module answered on the last look at the cable.
    bool polaczony() const { return ConnectionMessage == MsgConnectedWithModule; }
    // The module on the cable took the password the program holds.
    bool PasswordAccepted() const { return passwordCheck == PasswordCheck::Accepted; }
};

} // namespace korv
