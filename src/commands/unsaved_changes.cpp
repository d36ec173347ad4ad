#include "commands/unsaved_changes.h"

#include "commands/file_commands.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"

namespace korv {

void MarkRegisterSaved(AppState& state) {
    state.savedFingerprint = FingerprintOf(state.tablica);
}

bool CardsUnsavedToFile(const AppState& state) {
    return FingerprintOf(state.tablica).cards != state.savedFingerprint.cards;
}

bool DialNumbersUnsavedToFile(const AppState& state) {
    return FingerprintOf(state.tablica).dialNumbers != state.savedFingerprint.dialNumbers;
}

bool WorkWouldBeLost(const AppState& state, Discards discards) {
    const RegisterFingerprint now = FingerprintOf(state.tablica);
    return (state.NeedSave && now.cards != state.savedFingerprint.cards) ||
           (discards == Discards::Register &&
            now.dialNumbers != state.savedFingerprint.dialNumbers);
}

bool AskBeforeDiscarding(const EditContext& ctx, Discards discards) {
    auto& [state, ui, view] = ctx;
    if (!WorkWouldBeLost(state, discards))
        return true;
    const int language = LanguageIndex();
    switch (ui.MessageBox(OwnText(OwnTextName::UnsavedChangesQuestion, language),
                          OwnText(OwnTextName::UnsavedChangesCaption, language), MbYesNoCancel)) {
    case IdYes:
        if (state.Sciezka.empty())
            SaveCardFileAs(ctx);
        else
            SaveCardFile(ctx);
        return !WorkWouldBeLost(state, discards); // declined or failed: still only here
    case IdNo:
        return true;
    default:
        return false;
    }
}

} // namespace korv
