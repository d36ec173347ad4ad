#include "commands/module_backup.h"

#include "core/card_register.h"
#include "core/utf8_path.h"
#include "files/card_file_v9.h"
#include "files/user_data_folder.h"
#include "i18n/own_texts.h"
#include "link/memory_image.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace korv {

namespace {

// At 9600 baud a page read costs 72 ms and the session's identify and the count 110 ms: a full
// module's backup adds 36.974 s to a write (bench/backup).
constexpr int kBackupMsPerPage = 72;
constexpr int kBackupSessionMs = 110;

} // namespace

std::string BackupFileName(const link::ModuleModel& model, const std::tm& local) {
    const auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return "ZEL-" + std::string(model.kindWord) + "-" + std::to_string(local.tm_year + 1900) + "-" +
           two(local.tm_mon + 1) + "-" + two(local.tm_mday) + "_" + two(local.tm_hour) +
           two(local.tm_min) + two(local.tm_sec) + ".zel";
}

std::string FreeBackupPath(const std::string& folder, const std::string& name) {
    const std::string stem = name.substr(0, name.rfind('.'));
    const std::string extension = name.substr(stem.size());
    std::string path = PathIn(folder, name);
    // A name that cannot be looked at is taken as free: the save then says why it failed.
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(Utf8Path(path), ec); ++n)
        path = PathIn(folder, stem + "-" + std::to_string(n) + extension);
    return path;
}

std::optional<std::string> BackupFolder() {
    const std::optional<std::string> data = UserDataFolder();
    if (!data)
        return std::nullopt;
    return PathIn(*data, "backups");
}

int BackupSeconds(int count, const link::ModuleModel& model) {
    return std::max(1,
                    (PagesToRead(count, model) * kBackupMsPerPage + kBackupSessionMs + 500) / 1000);
}

BackupOutcome BackUpModule(ModuleContext& ctx, int count, const std::string& path,
                           const ProgressPart& part) {
    BackupOutcome outcome;
    outcome.path = path;
    outcome.moduleCount = count;
    if (count < 0)
        return outcome;
    if (count > MaxCards) {
        // An erased or damaged count: a file of its first 6144 records would pass for the
        // module's cards.
        outcome.countTooLarge = true;
        return outcome;
    }
    // Page 1 of a ZADA module brings the module's settings into the state; the write that
    // follows must send the window's.
    const link::ZadaSettings kept = ctx.state.zada;
    TTablica aside;
    outcome.pages = ReadCardPages(ctx, count, aside, outcome.recordsWithoutCard, part);
    ctx.state.zada = kept;
    if (outcome.pages.cancelled || !outcome.pages.failed.empty() ||
        !outcome.recordsWithoutCard.empty())
        return outcome;
    outcome.cards = aside.CardCount();
    const FileWriteResult saved = WriteCardFile(aside, path);
    if (!saved.ok) {
        outcome.saveError = saved.error;
        return outcome;
    }
    outcome.taken = true;
    return outcome;
}

std::string BackupFailureReason(const BackupOutcome& b, int language) {
    if (b.noFolder)
        return OwnText(OwnTextName::BackupNoFolder, language);
    if (b.moduleCount < 0)
        return OwnText(OwnTextName::BackupCountUnreadable, language);
    if (b.countTooLarge)
        return OwnText(OwnTextName::BackupCountTooLarge, language, {std::to_string(b.moduleCount)});
    if (b.pages.cancelled)
        return OwnText(OwnTextName::BackupCancelled, language);
    if (b.pages.Stopped())
        return OwnText(OwnTextName::BackupStoppedAnswering, language,
                       {std::to_string(b.pages.stoppedAt)});
    if (!b.pages.failed.empty()) {
        std::string failed;
        for (int n : b.pages.failed)
            failed += (failed.empty() ? "" : ", ") + std::to_string(n);
        return OwnText(OwnTextName::BackupPagesFailed, language, {failed});
    }
    if (!b.recordsWithoutCard.empty())
        return OwnText(OwnTextName::BackupRecordsHoldNoCard, language,
                       {RecordPlacesText(b.recordsWithoutCard, language)});
    return OwnText(OwnTextName::BackupNotSaved, language, {b.path, b.saveError});
}

} // namespace korv
