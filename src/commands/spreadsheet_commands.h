// File > Import from spreadsheet and Export to spreadsheet: the register to and from the
// spreadsheet the building's administrator keeps (files/card_spreadsheet.h). The window only
// forwards its menu clicks here.
#pragma once

#include "commands/app_state.h"
#include "commands/edit_context.h"
#include "commands/ui_seam.h"
#include "files/file_bytes.h"

#include <string>

namespace korv {

// Asks for a spreadsheet and imports it (ImportSpreadsheet).
void ImportSpreadsheet(const EditContext& ctx);
// Reads the spreadsheet; names every line that cannot be taken, or says what it holds and asks
// to add it; a Yes merges it all or nothing (MergeCardSpreadsheet), names the row that refuses
// the merge, or sets NeedSave and shows the register again.
void ImportSpreadsheet(const EditContext& ctx, const std::string& name);

// Asks for a name (".csv" added when it has no extension; replacing a file is asked first) and
// exports the whole register with the current language's header (ExportSpreadsheet).
void ExportSpreadsheet(AppState& state, Ui& ui);
// A failed write is reported and leaves the old file as it was.
bool ExportSpreadsheet(const AppState& state, Ui& ui, const std::string& name,
                       const WriteFault& fault = {});

} // namespace korv
