#include "commands/backup_before_write.h"

#include "commands/page_exchange.h"
#include "commands/transfer_session.h"
#include "core/local_time.h"
#include "files/user_data_folder.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "link/memory_image.h"

#include <algorithm>

namespace korv {

namespace {

// Where Offer's backup goes; empty with the reason in the outcome when there is no folder.
std::string OfferedBackupPath(const link::ModuleModel& model, BackupOutcome& outcome) {
    const std::optional<std::string> folder = BackupFolder();
    if (!folder) {
        outcome.noFolder = true;
        return {};
    }
    std::string error;
    if (!MakeFolders(*folder, error)) {
        outcome.path = *folder;
        outcome.saveError = error;
        return {};
    }
    return FreeBackupPath(*folder, BackupFileName(model, LocalTimeNow()));
}

} // namespace

BackupStep BackUpBeforeWrite(ModuleContext& ctx, const WriteBackup& plan, int writePages) {
    BackupStep step;
    if (plan.mode == WriteBackup::Mode::None)
        return step;
    const int language = LanguageIndex();
    const bool session = TransferSession(ctx, SessionCommand::Read, [&] {
        const link::ModuleModel& model = *ctx.state.connection.model;
        const int count = ReadModuleCount(ctx);
        if (plan.mode == WriteBackup::Mode::Offer && count == 0)
            return; // nothing to lose: no question, no backup
        if (plan.mode == WriteBackup::Mode::Offer && count > 0) {
            step.asked = true;
            const std::string question =
                OwnText(OwnTextName::BackupQuestion, language,
                        {std::to_string(count), std::to_string(BackupSeconds(count, model))});
            switch (ctx.ui.MessageBox(question, OwnText(OwnTextName::BackupCaption, language),
                                      MbYesNoCancel)) {
            case IdYes:
                break;
            case IdNo:
                step.declined = true;
                return;
            default:
                step.cancelled = true;
                return;
            }
        }
        // Offer without a count comes here too: whether the module holds cards is unknown, so
        // the write cannot go on as if it held none.
        step.ran = true;
        step.backup.moduleCount = count;
        if (count < 0)
            return;
        const std::string path = plan.mode == WriteBackup::Mode::ToFile
                                     ? plan.path
                                     : OfferedBackupPath(model, step.backup);
        if (path.empty())
            return;
        step.progressSteps = PagesToRead(count, model);
        const ProgressPart part{0, step.progressSteps + std::max(writePages, 0),
                                OwnText(OwnTextName::BackupProgress, language)};
        step.backup = BackUpModule(ctx, count, path, part);
    });
    if (!session) {
        step.sessionFailed = true;
        return step;
    }
    if (step.ran && !step.backup.taken)
        ctx.ui.ShowMessage(OwnText(OwnTextName::BackupNotTaken, language,
                                   {BackupFailureReason(step.backup, language)}));
    return step;
}

} // namespace korv
