// The card group of the window: Add, automatic read-and-add, Change, Delete, Delete range and
// Find. Each acts on the apartment the window shows (CurrentZone, CurrentApartment); the card
// and range dialogs are asked through the Ui.
#pragma once

#include "commands/edit_context.h"
#include "commands/module_context.h"
#include "core/card_register.h"

#include <optional>
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

// Why a card number may not go into the register, in the current language: no module record
// holds it (above 268435455, or not plain digits), in the words of the write's refusal.
// Nothing for a number a module holds, and for an empty one (no card).
std::optional<std::string> CardNumberRefusalText(const std::string& numer);
// Why a description may not go into the register: the characters a card file cannot carry
// (DescriptionCharactersNotHeld), named. Nothing when it can be stored as it is.
std::optional<std::string> DescriptionRefusalText(const std::string& opis);

// AddNewCard: a new card for the shown apartment, refused when the register is full, the
// number is registered anywhere (compared by value), or the card cannot be stored.
void AddNewCard(const EditContext& ctx);
// SetAutoReadAdd: the automatic read-and-add mode on or off, and the Add caption with it.
void SetAutoReadAdd(const EditContext& ctx, bool checked);
// ChangeSelectedCard: the selected card through the dialog, B1 kept, only the apartment's list
// shown again. A number another card holds is refused as Add refuses it (the card may keep its
// own); a card that changed marks the register as not yet sent (NeedSave).
void ChangeSelectedCard(const EditContext& ctx);
// DeleteSelectedCard: the selected card removed, no question.
void DeleteSelectedCard(const EditContext& ctx);
// DeleteApartmentRange: the cards of a range of the zone's apartments removed; their numbers
// to dial stay.
void DeleteApartmentRange(const EditContext& ctx);
// FindCardAtReader: reads a card at the module and says where it is registered; a job of the
// command runner, like the card dialog's Read (ReadCardAtReader).
void FindCardAtReader(ModuleContext& ctx);

} // namespace korv
