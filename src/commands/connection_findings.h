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
        CopyFindings(s, f);
        return f;
    }
    void ApplyTo(AppState& s) const { CopyFindings(*this, s); }

private:
    // The one list of what travels, both ways: AppState names its fields the same.
    template <typename From, typename To> static void CopyFindings(const From& from, To& to) {
        to.polaczony = from.polaczony;
        to.ConnectionMessage = from.ConnectionMessage;
        to.ModuleName = from.ModuleName;
        to.ModuleKind = from.ModuleKind;
        to.model = from.model;
        to.PasswordAccepted = from.PasswordAccepted;
        to.passwordCheck = from.passwordCheck;
        to.erasedPasswordOffered = from.erasedPasswordOffered;
        to.passwordEntryDeclined = from.passwordEntryDeclined;
        to.connection = from.connection;
        to.Edit_haslo = from.Edit_haslo;
        to.PasswordEntryMode = from.PasswordEntryMode;
    }
};

} // namespace korv
