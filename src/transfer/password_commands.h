// The installer password and the memory reset: the panel's outcome, the password write, and the
// reset that keeps the password.
#pragma once

#include "transfer/module_context.h"

#include <string>
#include <string_view>

namespace korv {

// The panel's entry padded on the left with zeros to four digits, as the module stores it.
std::string PadPassword(std::string_view entry);

// Opens the password panel (monitor stopped meanwhile). A confirmed entry becomes Edit_haslo;
// in change mode it is then written into the module, in entry mode the next tick tries it.
void ShowPasswordPanel(ModuleContext& ctx, bool change);
// Button_zmien_haslo ("Change"): the panel in change mode.
void Button_zmien_hasloClick(ModuleContext& ctx);
// Button_zapisz: writes Edit_haslo into the module's page 0 and says whether that worked.
// Edit_haslo keeps the new password also when the write failed, so the next tick asks again.
void Button_zapiszClick(ModuleContext& ctx);
// Button_reset_pamieci: after a Yes, resets the module's memory keeping its password (and on a
// ZADA module writes its default extra settings). Neither the register nor the window's ZADA
// settings change. Returns true when the module was reset.
bool Button_reset_pamieciClick(ModuleContext& ctx);

} // namespace korv
