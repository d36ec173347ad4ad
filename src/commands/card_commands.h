// The card group of the window: Add, automatic read-and-add, Change, Delete, Delete range and
// Find. Each acts on the apartment the window shows (CurrentZone, CurrentApartment); the card
// and range dialogs are asked through the Ui.
#pragma once

#include "commands/module_context.h"
#include "core/card_register.h"

#include <string>

namespace korv {

// The number a card dialog gives back when no card was given (cancelled, or confirmed with an
// empty number box).
inline constexpr char kNoCard[] = "-1";

// The Add button's caption: message 99 while the automatic read-and-add mode is on, else 79.
int AddButtonMessage(bool autoReadAdd);

// The card at the module's reader, as the card dialog's Read does: the cable opened, one card
// read (up to a little over 6 s), the cable closed. Empty when none was read.
std::string ReadCardAtReader(link::TBEXFTDI& port);

// "This card is already assigned to apartment no. A in zone Z" (without the final mark).
std::string CardAssignedText(int zone, int apartment);

// Button_dodajClick: a new card for the shown apartment, refused when the register is full or
// the number is registered anywhere.
void Button_dodajClick(ModuleContext& ctx);
// CheckBox_autoClick: the automatic read-and-add mode on or off, and the Add caption with it.
void CheckBox_autoClick(ModuleContext& ctx, bool checked);
// Button_zmienClick: the selected card through the dialog; no duplicate test, B1 and NeedSave
// kept, only the apartment's list shown again.
void Button_zmienClick(ModuleContext& ctx);
// Button_Kasuj1Click: the selected card removed, no question.
void Button_Kasuj1Click(ModuleContext& ctx);
// Button_kasujZakresClick: the cards of a range of the zone's apartments removed; their numbers
// to dial stay.
void Button_kasujZakresClick(ModuleContext& ctx);
// Button_ZnajdzClick: reads a card at the module and says where it is registered; a job of the
// command runner, like the card dialog's Read (ReadCardAtReader).
void Button_ZnajdzClick(ModuleContext& ctx);

} // namespace korv
