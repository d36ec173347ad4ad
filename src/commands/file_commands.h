// The File menu: New, Open, Add file, Save and Save as over the register and the window's
// services. The window only forwards its menu clicks here.
#pragma once

#include "commands/app_state.h"
#include "commands/ui_seam.h"
#include "files/card_merge.h"
#include "files/file_bytes.h"

#include <string>

namespace korv {

// Not translated: the open dialog offers the same list in every language.
inline constexpr const char* kOpenDialogFilter =
    "Moduł ZEL (*.zel)|*.zel|Pliki tekstowe (*.txt)|*.txt|Wszystkie pliki (*.*)|*.*";
inline constexpr const char* kSaveDefaultExtension = "txt";
inline constexpr const char* kNewFileTitle = "ZEL v7.2";
inline constexpr const char* kFileTitlePrefix = "ZEL - ";

// New and Open first ask before they throw away work nowhere else (AskBeforeDiscarding).
void Nowy1Click(AppState& state, Ui& ui);
void Otwrz1Click(AppState& state, Ui& ui);
void Dopisz_plikClick(AppState& state, Ui& ui);
void Zapisz1Click(AppState& state, Ui& ui);
void Zapiszjako1Click(AppState& state, Ui& ui);

// The bodies of Open and Add file for a chosen name.
void OpenCardFile(AppState& state, Ui& ui, const std::string& name);
void AddCardFile(AppState& state, Ui& ui, const std::string& name);

// Writes the register to Sciezka; a successful write switches Add file on, a failed one
// reports the error and leaves the old file as it was.
bool WriteCurrentFile(AppState& state, Ui& ui, const WriteFault& fault = {});

// The four-line text shown when an appended card is already registered.
std::string ConflictMessageText(const MergeConflict& conflict, int language);

} // namespace korv
