// The state the main window owns for the whole run, kept free of widgets so that commands can
// work on it in tests and in korv-cli.
#pragma once

#include "commands/connection_view.h"
#include "commands/password_check.h"
#include "core/card_register.h"
#include "core/register_fingerprint.h"
#include "link/module_model.h"
#include "link/zada_settings.h"

#include <string>

namespace korv {

struct AppState {
    TTablica tablica; // the card register

    // The register holds changes not yet written to a module.
    bool NeedSave = false;
    // polaczony = connected: a module answered on the connection monitor's last tick.
    bool polaczony = false;
    // Sciezka = path: the current card file.
    std::string Sciezka;
    // What the register held when it last matched a file (unsaved_changes.h); at start-up the
    // empty register, which is nothing to lose.
    RegisterFingerprint savedFingerprint = FingerprintOf(TTablica{});
    // The register holds a read that missed pages, kept by the person: a Save over the named
    // file asks first, since that file may hold the whole list.
    bool partialRead = false;

    int CurrentZone = 1;      // 1..4
    int CurrentApartment = 0; // 0..255

    // Connection state shown in the status line.
    int ConnectionMessage = 30; // 30: no module answers, 31: a module answers
    std::string ModuleName;
    // The current module the monitor found on its last look at the cable; none for a legacy
    // module, another family's device or silence. Kept while no cable is present.
    const link::ModuleModel* model = nullptr;
    // Byte 0 of that look's identify reply as text, for korv-cli's report; decisions ask model.
    std::string ModuleKind;
    bool PasswordAccepted = false;
    // What the last tick found on page 0 of a current module.
    PasswordCheck passwordCheck = PasswordCheck::NoAnswer;
    // The person was told that the module on the cable holds no valid password; said again
    // only after that module is gone or has a password.
    bool erasedPasswordOffered = false;
    // The person cancelled the password panel for the module on the cable: it is not opened
    // again by itself until that module is gone, or the person asks from the password box.
    bool passwordEntryDeclined = false;
    bool AutoReadAdd = false;

    // What the connection monitor shows, as its last tick left it.
    ConnectionView connection;

    // haslo = password: the installer password the program holds, always four digits; the
    // password panel's confirm button is the only thing that changes it.
    std::string Edit_haslo = "5172";
    // The password panel was opened because the module refused the password, not to change it.
    bool PasswordEntryMode = false;
    // A ZADA module's extra settings as the window's controls hold them: sent with page 1 of a
    // write, taken back from page 1 of a read or verify.
    link::ZadaSettings zada;
};

} // namespace korv
