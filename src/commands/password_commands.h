// The installer password and the memory reset: the panel's outcome, the password write, and the
// reset that keeps the password. Each body returns what the module holds afterwards, which the
// window shows and korv-cli turns into its exit code.
#pragma once

#include "commands/memory_reset.h"
#include "commands/module_context.h"
#include "commands/password_write.h"

#include <string>
#include <string_view>

namespace korv {

// The panel's entry padded on the left with zeros to four digits, as the module stores it.
std::string PadPassword(std::string_view entry);

// Opens the password panel. A confirmed entry becomes Edit_haslo;
// in change mode it is then written into the module, in entry mode the next tick tries it.
// False when the person cancelled.
bool ShowPasswordPanel(ModuleContext& ctx, bool change);
// Button_zmien_haslo ("Change"): the panel in change mode.
void ChangeInstallerPassword(ModuleContext& ctx);
// Said once while a module with no valid password (erased memory) stays on the cable: what is
// wrong, then the panel in change mode, so the installer can give it a password.
void OfferPasswordForErasedModule(ModuleContext& ctx);
// Button_zapisz: writes Edit_haslo into the module's page 0 and says what the module holds.
// Edit_haslo keeps the new password also when the write failed, so the next tick asks again.
PasswordWriteResult WriteInstallerPassword(ModuleContext& ctx);
// Button_reset_pamieci: after a Yes, resets the module's memory keeping its password (and on a
// ZADA module writes its default extra settings), and says what the module holds afterwards.
// Neither the register nor the window's ZADA settings change.
ResetResult ResetModuleMemory(ModuleContext& ctx);

} // namespace korv
