#include "commands/module_journal.h"

#include "commands/forwarding_ui.h"
#include "core/local_time.h"
#include "files/journal_file.h"
#include "files/user_data_folder.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"

#include <ctime>

namespace korv {

namespace {

bool IsQuestion(int flags) {
    const int buttons = flags & 0x0F;
    return buttons == 3 || buttons == 4; // Yes/No/Cancel, Yes/No
}

// Passes everything on to the person and keeps the last thing the command reported; a
// question answered with anything but Yes counts only when nothing is reported after it.
class ReportWatch : public ForwardingUi {
public:
    using ForwardingUi::ForwardingUi;

    int MessageBox(const std::string& text, const std::string& caption, int flags) override {
        return Note(text, flags, ForwardingUi::MessageBox(text, caption, flags));
    }
    int MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                              const std::string& details) override {
        return Note(text, flags,
                    ForwardingUi::MessageBoxWithDetails(text, caption, flags, details));
    }
    void ShowMessage(const std::string& text) override {
        report = text;
        declined = false;
        ForwardingUi::ShowMessage(text);
    }
    void ShowError(const std::string& text) override {
        report = text;
        declined = false;
        ForwardingUi::ShowError(text);
    }
    std::optional<std::string> AskPassword(bool change) override {
        auto entry = ForwardingUi::AskPassword(change);
        if (!entry)
            declined = true;
        return entry;
    }

    std::string report;
    bool declined = false;

private:
    int Note(const std::string& text, int flags, int answer) {
        if (!IsQuestion(flags)) {
            report = text;
            declined = false;
        } else if (answer != IdYes) {
            declined = true;
        }
        return answer;
    }
};

const char* CommandWord(JobKind kind) {
    switch (kind) {
    case JobKind::Read:
        return "read";
    case JobKind::Write:
        return "write";
    case JobKind::Verify:
        return "verify";
    case JobKind::Password:
        return "password";
    case JobKind::Reset:
        return "reset";
    default:
        return "other";
    }
}

std::string ModuleKindWord(const AppState& state) {
    if (!state.connection.model)
        return state.connection.ModuleKind;
    return std::string(state.connection.model->kindWord);
}

} // namespace

std::string LocalIsoTime() {
    const std::tm local = LocalTimeNow();
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

ModuleJournal::ModuleJournal(std::optional<std::string> path)
    : now(&LocalIsoTime), path_(std::move(path)) {}

std::optional<std::string> ModuleJournal::DefaultPath() {
    if (const auto folder = UserDataFolder())
        return PathIn(*folder, "journal.csv");
    return std::nullopt;
}

void ModuleJournal::Run(JobKind kind, ModuleContext& ctx, const std::string& file,
                        const Body& body) {
    ReportWatch watch(ctx.ui);
    ModuleContext watched{ctx.state, watch, ctx.port, ctx.cancel};
    const Facts facts = body(watched);
    if (offTold_)
        return;
    const int language = LanguageIndex();
    JournalEntry e;
    e.when = now();
    e.command = CommandWord(kind);
    e.moduleKind = ModuleKindWord(ctx.state);
    e.moduleName = ctx.state.connection.ModuleName;
    e.cards = facts.cards >= 0 ? std::to_string(facts.cards) : std::string();
    e.file = file;
    // A command that did all it was asked is done, whatever it asked on the way: a write whose
    // backup question was answered No still wrote.
    e.result = !watch.report.empty() ? watch.report
               : facts.done          ? OwnText(OwnTextName::JournalDone, language)
               : watch.declined      ? OwnText(OwnTextName::JournalDeclined, language)
                                     : OwnText(OwnTextName::JournalNoReport, language);
    std::string error = "no user data folder";
    if (path_ && AppendJournalLine(*path_, JournalLine(e), error))
        return;
    // Said once, after the command's own report; the command's outcome stands.
    offTold_ = true;
    ctx.ui.ShowError(OwnText(OwnTextName::JournalOff, language,
                             {path_.value_or(std::string("journal.csv")), error}));
}

} // namespace korv
