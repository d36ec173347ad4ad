// The File menu: New, Open, Add file, Save and Save as over the register and the window's
// services. The window only forwards its menu clicks here.
#pragma once

#include "commands/app_state.h"
#include "commands/edit_context.h"
#include "commands/ui_seam.h"
#include "files/card_merge.h"
#include "files/file_bytes.h"

#include <optional>
#include <string>

namespace korv {

inline constexpr const char* kNewFileTitle = "ZEL v7.2";
inline constexpr const char* kFileTitlePrefix = "ZEL - ";
// The settings file's key for the folder the file dialogs start in.
inline constexpr const char* kLastFolderKey = "OstatniFolder";

// The open dialog's filters, "caption|pattern|...": the captions in the language, the patterns
// the same in every language.
std::string OpenDialogFilter(int language);
// Save as's filter: message 190, or the English one where the language's slot holds no pattern
// (a placeholder), so the dialog always offers card files.
std::string SaveDialogFilter(int language);
// The extension of a filter's first pattern ("...|*.zel|..." -> "zel"); empty when it has none.
std::string FilterExtension(const std::string& filter);
// The name Save as writes: a name whose last part has no extension gets this one; a name with
// one keeps it.
std::string WithDefaultExtension(const std::string& name, const std::string& extension);

// Where Open, Add file and Save as start: the folder of the last name chosen in any of them. It
// goes into the settings file (kLastFolderKey in the program's section) so the next run starts
// there too; when that file cannot be written it is kept for this run only, and nothing else
// notices. settingsPath is where the program's settings go, empty for nowhere.
class FileFolder {
public:
    // The folder the next dialog starts in; empty (the dialog's own choice) when none was kept
    // or the one kept is gone.
    std::string Start(const std::string& settingsPath) const;
    // A name chosen in a dialog: its folder, when it is one, is where the next dialog starts.
    void Keep(const std::string& settingsPath, const std::string& chosenName);

private:
    std::optional<std::string> kept_;
};

// New and Open first ask before they throw away work nowhere else (AskBeforeDiscarding).
// The save dialog with filter, the filter's extension added to a name without one, then a
// question under caption before writing over a file that is there. Nothing when the person
// cancelled either.
std::optional<std::string> AskFileToWrite(Ui& ui, const std::string& filter,
                                          const std::string& caption);

void NewRegister(const EditContext& ctx);
void OpenCardFile(const EditContext& ctx);
void AddCardFile(const EditContext& ctx);
void SaveCardFile(const EditContext& ctx);
void SaveCardFileAs(const EditContext& ctx);

// The bodies of Open and Add file for a chosen name.
void OpenCardFile(const EditContext& ctx, const std::string& name);
void AddCardFile(const EditContext& ctx, const std::string& name);

// Writes the register to Sciezka; a successful write switches Add file on, a failed one
// reports the error and leaves the old file as it was.
bool WriteCurrentFile(const EditContext& ctx, const WriteFault& fault = {});

// The four-line text shown when an appended card is already registered.
std::string ConflictMessageText(const MergeConflict& conflict, int language);

} // namespace korv
