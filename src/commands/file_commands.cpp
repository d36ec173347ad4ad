#include "commands/file_commands.h"

#include "commands/unsaved_changes.h"

#include "commands/card_file_append.h"
#include "core/utf8_path.h"
#include "files/card_file_kind.h"
#include "files/card_file_open.h"
#include "files/card_file_v2.h"
#include "files/card_file_v9.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"
#include "i18n/settings_file.h"

#include <filesystem>
#include <system_error>

namespace korv {

namespace {

constexpr int kSaveAsCaption = 4; // "Save as"

// Something Save as would write over: a folder is refused by the write itself, and a link whose
// target is missing replaces nothing.
bool WouldReplace(const std::string& name) {
    std::error_code ec;
    const auto status = std::filesystem::status(Utf8Path(name), ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(Utf8Path(path), ec);
}

} // namespace

std::optional<std::string> AskFileToWrite(Ui& ui, const std::string& filter,
                                          const std::string& caption) {
    const std::string extension = FilterExtension(filter);
    const auto chosen = ui.AskSaveFileName(filter, extension);
    if (!chosen)
        return std::nullopt;
    // The question is asked here, not by the dialog, so that it names the file that will be
    // written (the extension added) and every front end asks it.
    const std::string name = WithDefaultExtension(*chosen, extension);
    if (WouldReplace(name) &&
        ui.MessageBox(OwnText(OwnTextName::ReplaceFileQuestion, LanguageIndex(), {name}), caption,
                      MbYesNoDefaultNo) != IdYes)
        return std::nullopt;
    return name;
}

namespace {

std::string ReadError(const std::string& name, const std::string& reason) {
    return "Cannot open file \"" + name + "\". " + reason;
}

std::string WriteError(const std::string& name, const std::string& reason) {
    return "Cannot create file \"" + name + "\". " + reason;
}

// What every load and merge ends with, also one that added nothing.
void AfterRegisterChange(AppState& state, RegisterView& view) {
    view.ShowCurrentApartment();
    state.NeedSave = true;
    view.RefreshViews();
}

// The end of Open and Add file, whatever happened before.
void EndFileCommand(RegisterView& view) {
    view.SetMenuItemEnabled(MenuItem::Save, true);
    view.SetMenuItemEnabled(MenuItem::Append, true);
    view.SetApartment(0);
}

// The readers drop card lines they cannot place; the person learns how many, once, after the
// command has said everything else.
void SayLinesLeftOut(Ui& ui, std::size_t count) {
    if (count > 0)
        ui.ShowMessage(
            OwnText(OwnTextName::LinesLeftOut, LanguageIndex(), {std::to_string(count)}));
}

// How many lines the merge left out.
std::size_t MergeFile(const EditContext& ctx, const FileBytes& f) {
    auto& [state, ui, view] = ctx;
    const AppendOutcome r =
        AppendCardFile(f, state.tablica, LanguageIndex(), [&ctx] { return ctx.ui.AskZone(); });
    for (const AppendNotice& n : r.notices) {
        if (n.box)
            ui.MessageBox(n.text, n.caption, n.flags);
        else
            ui.ShowMessage(n.text);
    }
    if (r.merged)
        AfterRegisterChange(state, view);
    return r.leftOut.size();
}

} // namespace

std::string ConflictMessageText(const MergeConflict& c, int language) {
    const auto t = [language](int n) { return CatalogueText(language, n); };
    return t(211) + c.numer + t(212) + "\r\n" + t(213) + std::to_string(c.inFile.apartment) +
           t(214) + "\r\n" + t(213) + std::to_string(c.inRegister.apartment) + t(215) + "\r\n" +
           t(216);
}

std::string OpenDialogFilter(int language) {
    return OwnText(OwnTextName::OpenDialogFilter, language);
}

std::string SaveDialogFilter(int language) {
    const std::string filter = CatalogueText(language, MsgSaveFilter);
    return FilterExtension(filter).empty() ? CatalogueText(English, MsgSaveFilter) : filter;
}

std::string FilterExtension(const std::string& filter) {
    const auto bar = filter.find('|');
    if (bar == std::string::npos)
        return {};
    const std::string pattern =
        filter.substr(bar + 1, filter.find_first_of("|;", bar + 1) - bar - 1);
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 ||
        pattern.find_first_of("*?", 2) != std::string::npos)
        return {};
    return pattern.substr(2);
}

std::string WithDefaultExtension(const std::string& name, const std::string& extension) {
    if (extension.empty() || !Utf8Path(name).filename().extension().empty())
        return name;
    return name + "." + extension;
}

std::string FileFolder::Start(const std::string& settingsPath) const {
    const std::string folder =
        kept_ ? *kept_ : ReadSetting(settingsPath, kLastFolderKey).value_or("");
    return IsFolder(folder) ? folder : std::string();
}

void FileFolder::Keep(const std::string& settingsPath, const std::string& chosenName) {
    const std::string folder = PathUtf8(Utf8Path(chosenName).parent_path());
    if (!IsFolder(folder))
        return;
    kept_ = folder;
    // The settings file is a convenience here: one that cannot be written changes nothing.
    if (!settingsPath.empty())
        WriteSetting(settingsPath, kLastFolderKey, folder);
}

void NewRegister(const EditContext& ctx) {
    auto& [state, ui, view] = ctx;
    if (!AskBeforeDiscarding(ctx))
        return;
    state.tablica.ClearCards();
    state.tablica.ClearDialNumbers();
    MarkRegisterSaved(state); // an empty register is nothing to lose
    state.partialRead = false;
    view.RefreshViews();
    view.SetWindowTitle(kNewFileTitle);
    state.Sciezka.clear();
}

void OpenCardFile(const EditContext& ctx) {
    auto& [state, ui, view] = ctx;
    if (!AskBeforeDiscarding(ctx))
        return;
    if (const auto name = ui.AskOpenFileName(OpenDialogFilter(LanguageIndex())))
        OpenCardFile(ctx, *name);
}

void OpenCardFile(const EditContext& ctx, const std::string& name) {
    auto& [state, ui, view] = ctx;
    // The window names the file before it is looked at, and keeps it when it is refused.
    state.Sciezka = name;
    view.SetWindowTitle(kFileTitlePrefix + state.Sciezka);

    const FileBytes f = ReadCardFileBytes(name);
    std::size_t leftOut = 0;
    if (!f.ok) {
        ui.ShowError(ReadError(name, f.error));
    } else {
        const OpenResult r = LoadAnyCardFile(f.size, f.bytes, state.tablica);
        if (const auto wrong = WrongFileNotice(r.kind, f.size, LanguageIndex())) {
            ui.ShowMessage(*wrong);
        } else {
            AfterRegisterChange(state, view);
            leftOut = r.leftOut.size();
            state.partialRead = false;
            if (leftOut == 0)
                MarkRegisterSaved(state); // the register is what the file holds
        }
    }
    EndFileCommand(view);
    SayLinesLeftOut(ui, leftOut);
}

void AddCardFile(const EditContext& ctx) {
    auto& [state, ui, view] = ctx;
    if (const auto name = ui.AskOpenFileName(OpenDialogFilter(LanguageIndex())))
        AddCardFile(ctx, *name);
}

void AddCardFile(const EditContext& ctx, const std::string& name) {
    auto& [state, ui, view] = ctx;
    const FileBytes f = ReadCardFileBytes(name);
    std::size_t leftOut = 0;
    if (!f.ok) {
        ui.ShowError(ReadError(name, f.error));
    } else if (!CardFileSizeAccepted(f.size)) {
        // Not read at all: recognised as no card file.
        ui.ShowMessage(*WrongFileNotice(CardFileKind::NotCardFile, f.size, LanguageIndex()));
    } else if (ui.MessageBox(MessageText(MsgAddQuestion), MessageText(MsgAddCaption),
                             MbYesNoDefaultNo) == IdYes) {
        leftOut = MergeFile(ctx, f);
    }
    EndFileCommand(view);
    SayLinesLeftOut(ui, leftOut);
}

bool WriteCurrentFile(const EditContext& ctx, const WriteFault& fault) {
    auto& [state, ui, view] = ctx;
    const FileWriteResult r = WriteCardFile(state.tablica, state.Sciezka, fault);
    if (!r.ok) {
        ui.ShowError(WriteError(state.Sciezka, r.overSizeLimit
                                                   ? CardFileTooLargeText(r.size, LanguageIndex())
                                                   : r.error));
        return false;
    }
    view.SetMenuItemEnabled(MenuItem::Append, true);
    MarkRegisterSaved(state);
    state.partialRead = false; // the file now holds this very list
    return true;
}

void SaveCardFile(const EditContext& ctx) {
    auto& [state, ui, view] = ctx;
    if (state.partialRead &&
        ui.MessageBox(OwnText(OwnTextName::PartialReadSave, LanguageIndex(), {state.Sciezka}),
                      MessageText(MsgSaveCaption), MbYesNoDefaultNo) != IdYes)
        return;
    if (ui.MessageBox(MessageText(MsgSaveQuestion), MessageText(MsgSaveCaption),
                      MbYesNoDefaultNo) == IdYes)
        WriteCurrentFile(ctx);
}

void SaveCardFileAs(const EditContext& ctx) {
    auto& [state, ui, view] = ctx;
    const auto name =
        AskFileToWrite(ui, SaveDialogFilter(LanguageIndex()), MessageText(kSaveAsCaption));
    if (!name)
        return;
    state.Sciezka = *name;
    view.SetMenuItemEnabled(MenuItem::Save, true);
    view.SetWindowTitle(kFileTitlePrefix + state.Sciezka);
    WriteCurrentFile(ctx);
}

} // namespace korv
