#include "commands/spreadsheet_commands.h"

#include "commands/file_commands.h"
#include "commands/spreadsheet_texts.h"
#include "core/utf8_path.h"
#include "files/card_file_kind.h"
#include "files/card_spreadsheet.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"

#include <filesystem>
#include <system_error>

namespace korv {

namespace {

std::string Caption(OwnTextName name) {
    return OwnText(name, LanguageIndex());
}

// Every line is named; the box shows the first and unfolds to all of them.
void SayLinesRefused(Ui& ui, const std::string& name, const CardSpreadsheet& sheet) {
    const int language = LanguageIndex();
    std::string all;
    for (const SpreadsheetRefusal& r : sheet.refused)
        all += (all.empty() ? "" : "\n") + SpreadsheetRefusalText(r, language);
    const std::string text = OwnText(OwnTextName::SpreadsheetLinesRefused, language,
                                     {name, std::to_string(sheet.refused.size())}) +
                             "\n\n" + SpreadsheetRefusalText(sheet.refused.front(), language);
    ui.MessageBoxWithDetails(text, Caption(OwnTextName::SpreadsheetImportCaption), MbWarning, all);
}

} // namespace

void ImportSpreadsheet(const EditContext& ctx) {
    auto& [state, ui, view] = ctx;
    if (const auto name =
            ui.AskOpenFileName(OwnText(OwnTextName::SpreadsheetFilter, LanguageIndex())))
        ImportSpreadsheet(ctx, *name);
}

void ImportSpreadsheet(const EditContext& ctx, const std::string& name) {
    auto& [state, ui, view] = ctx;
    const int language = LanguageIndex();
    const FileBytes f = ReadCardFileBytes(name);
    if (!f.ok) {
        ui.ShowError("Cannot open file \"" + name + "\". " + f.error);
        return;
    }
    if (!CardFileSizeAccepted(f.size) && f.size > 0) {
        ui.ShowMessage(OwnText(OwnTextName::SpreadsheetTooLarge, language, {name}));
        return;
    }
    const CardSpreadsheet sheet = ReadCardSpreadsheet(f.bytes);
    if (!sheet.refused.empty()) {
        SayLinesRefused(ui, name, sheet);
        return;
    }
    if (sheet.rows.empty()) {
        ui.ShowMessage(OwnText(OwnTextName::SpreadsheetEmpty, language, {name}));
        return;
    }
    if (ui.MessageBox(SpreadsheetQuestionText(name, CountSpreadsheet(sheet), language),
                      Caption(OwnTextName::SpreadsheetImportCaption), MbYesNoDefaultNo) != IdYes)
        return;
    if (const auto refused = MergeCardSpreadsheet(sheet, state.tablica)) {
        ui.MessageBox(OwnText(OwnTextName::SpreadsheetMergeRefused, language, {name}) + "\n" +
                          SpreadsheetRefusalText(*refused, language),
                      Caption(OwnTextName::SpreadsheetImportCaption), MbWarning);
        return;
    }
    view.ShowCurrentApartment();
    state.NeedSave = true;
    view.RefreshViews();
}

void ExportSpreadsheet(AppState& state, Ui& ui) {
    const auto name = AskFileToWrite(ui, OwnText(OwnTextName::SpreadsheetFilter, LanguageIndex()),
                                     Caption(OwnTextName::SpreadsheetExportCaption));
    if (name)
        ExportSpreadsheet(state, ui, *name);
}

bool ExportSpreadsheet(const AppState& state, Ui& ui, const std::string& name,
                       const WriteFault& fault) {
    const FileWriteResult r =
        WriteCardSpreadsheet(state.tablica, name, SpreadsheetHeaderFor(LanguageIndex()), fault);
    if (!r.ok)
        ui.ShowError("Cannot create file \"" + name + "\". " + r.error);
    return r.ok;
}

} // namespace korv
