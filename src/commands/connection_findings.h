// What a monitor tick or a module command learns about the module on the cable, apart from the
// register: who answered, whether it took the password, and the row the monitor shows. A job
// of the command runner works on its own copy of the state; the window takes these back from
// it, and only these, so that cards edited during a tick are never overwritten.
#pragma once

#include "commands/app_state.h"

#include <string>

namespace korv {

struct ConnectionFindings {
    bool polaczony = false;
    int ConnectionMessage = 30;
    std::string ModuleName;
    std::string ModuleKind;
    const link::ModuleModel* model = nullptr;
    bool PasswordAccepted = false;
    PasswordCheck passwordCheck = PasswordCheck::NoAnswer;
    bool erasedPasswordOffered = false;
    bool passwordEntryDeclined = false;
    ConnectionView connection;
    std::string Edit_haslo;
    bool PasswordEntryMode = false;

    static ConnectionFindings Of(const AppState& s) {
        ConnectionFindings f;
        f.polaczony = s.polaczony;
        f.ConnectionMessage = s.ConnectionMessage;
        f.ModuleName = s.ModuleName;
        f.ModuleKind = s.ModuleKind;
        f.model = s.model;
        f.PasswordAccepted = s.PasswordAccepted;
        f.passwordCheck = s.passwordCheck;
        f.erasedPasswordOffered = s.erasedPasswordOffered;
        f.passwordEntryDeclined = s.passwordEntryDeclined;
        f.connection = s.connection;
        f.Edit_haslo = s.Edit_haslo;
        f.PasswordEntryMode = s.PasswordEntryMode;
        return f;
    }
    void ApplyTo(AppState& s) const {
        s.polaczony = polaczony;
        s.ConnectionMessage = ConnectionMessage;
        s.ModuleName = ModuleName;
        s.ModuleKind = ModuleKind;
        s.model = model;
        s.PasswordAccepted = PasswordAccepted;
        s.passwordCheck = passwordCheck;
        s.erasedPasswordOffered = erasedPasswordOffered;
        s.passwordEntryDeclined = passwordEntryDeclined;
        s.connection = connection;
        s.Edit_haslo = Edit_haslo;
        s.PasswordEntryMode = PasswordEntryMode;
    }
};

} // namespace korv
