// Whether the register holds work that would be lost: changes neither saved to a file nor sent
// to a module. NeedSave says what the module lacks; what the last file held is kept as a
// fingerprint, so that every way the register changes counts without each edit marking it.
#pragma once

#include "commands/app_state.h"
#include "commands/edit_context.h"
#include "commands/ui_seam.h"

namespace korv {

// The register now holds what a file holds (after Open, Save, Save as, New).
void MarkRegisterSaved(AppState& state);
// The cards differ from the last file's, or the numbers to dial do.
bool CardsUnsavedToFile(const AppState& state);
bool DialNumbersUnsavedToFile(const AppState& state);
// What a command throws away: the whole register (New, Open, closing), or only the cards (a
// read keeps the numbers to dial).
enum class Discards { Register, Cards };
// Work nowhere but in the program: cards neither saved nor sent, or numbers to dial not saved.
bool WorkWouldBeLost(const AppState& state, Discards discards = Discards::Register);

// Before New, Open, Read and closing throw the register away: when work would be lost, asks
// whether to save it to a file (Yes: Save, or Save as when no file is named yet), give it up
// (No) or go back (Cancel). True when the command may go on: nothing to lose, given up, or
// saved.
bool AskBeforeDiscarding(const EditContext& ctx, Discards discards = Discards::Register);

} // namespace korv
