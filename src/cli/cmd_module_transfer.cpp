// korv-cli module read OUT | write IN | verify IN: the window's Read, Save and Verify over the
// command line. A read that missed anything writes no file; a write refuses, before anything
// is sent, a file a module cannot take.
#include "cli/cmd_files.h"
#include "cli/module_session.h"
#include "cli/text_escape.h"
#include "commands/page_exchange.h"
#include "commands/read_module.h"
#include "commands/transfer_session.h"
#include "commands/verify_module.h"
#include "commands/write_module.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "i18n/own_texts.h"
#include "link/ftdi.h"
#include "link/memory_image.h"

#include <ostream>

namespace korv::cli {

namespace {

int Read(const ModuleOptions& o, ModuleContext& ctx, std::ostream& out, std::ostream& err) {
    // The command's own notices (failed pages, a count that did not come) went to err.
    const ReadOutcome r = ReadModule(ctx);
    // The window asks whether to keep a read that missed pages; here the answer is no, and the
    // pages are named instead.
    if (!r.failedPages.empty() && r.stoppedAt < 0) {
        err << "korv-cli module: pages that could not be read:";
        for (int n : r.failedPages)
            err << ' ' << n;
        err << '\n';
    }
    if (!r.Complete()) {
        err << "korv-cli module: the module could not be read whole; " << EscapeText(o.path)
            << " was not written\n";
        return kExitRefused;
    }
    if (const int rc = WriteForCommand(ctx.state.tablica, o.path, err); rc != kExitDone)
        return rc;
    out << "read " << ctx.state.tablica.CardCount() << " cards into " << EscapeText(o.path) << '\n';
    return kExitDone;
}

// The write sends the ZADA settings in the state, as the window sends those of its controls;
// this is the one place korv-cli fills them. A card file carries none, so on a ZADA module each
// setting is the one given on the command line, else the module's own from its page 1, read
// before the write (not at all when all three were given). False when that read failed.
bool FillZadaForWrite(const ModuleOptions& o, ModuleContext& ctx, std::ostream& err) {
    if (!ctx.state.connection.model->zadaSettings)
        return true;
    if (!(o.zadaTime && o.zadaType && o.zadaSoundsOn)) {
        bool read = false;
        TransferSession(ctx, SessionCommand::Read, [&] { read = ReadModulePage(ctx, 1); });
        if (!read) {
            err << "korv-cli module: page 1 with the module's ZADA settings could not be read; "
                   "give --zada-time, --zada-type and --zada-sounds\n";
            return false;
        }
    }
    link::ZadaSettings& zada = ctx.state.zada;
    zada.lockTime = o.zadaTime.value_or(zada.lockTime);
    zada.lockType = o.zadaType.value_or(zada.lockType);
    zada.soundsOn = o.zadaSoundsOn.value_or(zada.soundsOn);
    return true;
}

int Write(const ModuleOptions& o, ModuleContext& ctx, std::ostream& out, std::ostream& err) {
    if (!FillZadaForWrite(o, ctx, err))
        return kExitRefused;
    const WriteOutcome w =
        WriteModule(ctx, o.backupPath.empty() ? WriteBackup{} : WriteBackup::ToFile(o.backupPath));
    if (w.refused)
        return kExitNotForModule;
    // The command's own notice said why the backup failed.
    if (w.backup.ran && !w.backup.backup.taken)
        return kExitBackupFailed;
    if (w.backup.backup.taken)
        out << "backed up " << w.backup.backup.cards << " cards into "
            << EscapeText(w.backup.backup.path) << '\n';
    if (!w.Complete()) {
        // A reset that ran has said what the module holds; one that was declined has not.
        if (w.resetAsked && w.reset == ResetResult::NotRun)
            err << "korv-cli module: the file holds no cards and the module was not reset "
                   "(--yes resets it)\n";
        err << "korv-cli module: the module did not get the whole register\n";
        return kExitRefused;
    }
    out << "wrote " << ctx.state.tablica.CardCount() << " cards from " << EscapeText(o.path)
        << '\n';
    return kExitDone;
}

int Verify(ModuleContext& ctx, std::ostream& out) {
    // The command's report and its differing records went to out.
    const VerifyOutcome v = VerifyModule(ctx);
    if (v.countsDiffer)
        out << "module: " << v.moduleCount << " cards, file: " << ctx.state.tablica.CardCount()
            << " cards\n";
    return v.Matches() ? kExitDone : kExitRefused;
}

} // namespace

int PrepareTransfer(const std::string& command, const ModuleOptions& o, AppState& state,
                    std::ostream& err) {
    if (command == "read")
        return kExitDone;
    // Exit 3 means no cable here, so a file that is not a card file is a file error.
    if (const int rc = LoadForCommand(o.path, o.zone, state.tablica, err); rc != kExitDone)
        return rc == kExitWrongFile ? kExitFileError : rc;
    if (command != "write")
        return kExitDone;
    // The write refuses these itself; saying so before the cable is opened sends nothing.
    if (const auto refusal = WhyModuleCannotTake(state.tablica)) {
        err << "korv-cli module: ";
        if (refusal->TooManyCards())
            err << EscapeText(o.path) << " holds " << refusal->cards << " cards; ";
        err << EscapeText(ModuleRefusalText(*refusal, English)) << '\n';
        return kExitNotForModule;
    }
    return kExitDone;
}

int RunTransfer(const std::string& command, const ModuleOptions& o, ModuleContext& ctx,
                std::ostream& out, std::ostream& err) {
    if (command == "read")
        return Read(o, ctx, out, err);
    if (command == "write")
        return Write(o, ctx, out, err);
    return Verify(ctx, out);
}

} // namespace korv::cli
