#include "commands/card_file_append.h"

#include "commands/file_commands.h"
#include "commands/ui_seam.h"
#include "files/card_file_kind.h"
#include "files/card_file_v2.h"
#include "files/card_merge.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"

#include <utility>

namespace korv {

namespace {

void Refusals(const MergeResult& r, bool oneZone, int language, AppendOutcome& out) {
    const auto t = [language](int n) { return CatalogueText(language, n); };
    if (r.conflict) {
        // A one-zone file knows no apartments of its own to name; the general text says it.
        if (oneZone)
            out.notices.push_back({true, t(MsgNumberUsed), t(MsgAddingCards), MbWarning});
        else
            out.notices.push_back({true, ConflictMessageText(*r.conflict, language),
                                   t(MsgConflictFailed), MbWarning});
    }
    if (r.overCapacity)
        out.notices.push_back({true, t(MsgTooManyCards), t(MsgAddingCards), MbWarning});
    out.refused = r.Failed();
}

void Finish(MergeResult&& r, bool oneZone, int language, AppendOutcome& out) {
    Refusals(r, oneZone, language, out);
    if (!out.refused)
        out.leftOut = std::move(r.leftOut);
}

} // namespace

std::optional<std::string> WrongFileNotice(CardFileKind kind, std::uint64_t size, int language) {
    switch (kind) {
    case CardFileKind::NotCardFile:
        return CatalogueText(language, MsgWrongFile) + "!";
    case CardFileKind::Version2:
        if (!OldCardFileSizeAccepted(size))
            return CatalogueText(language, MsgWrongFile) + "_v2!";
        break;
    case CardFileKind::Version9:
        break;
    }
    return std::nullopt;
}

AppendOutcome AppendCardFile(const FileBytes& file, TTablica& tablica, int language,
                             const std::function<int()>& askZone) {
    AppendOutcome out;
    const CardFileKind kind = RecogniseCardFile(file.size, file.bytes);
    if (auto wrong = WrongFileNotice(kind, file.size, language)) {
        out.notices.push_back({false, std::move(*wrong), {}, 0});
        return out;
    }
    switch (kind) {
    case CardFileKind::Version9:
        out.cardFile = true;
        out.merged = true;
        Finish(MergeCardFile(file.bytes, tablica), false, language, out);
        break;
    case CardFileKind::Version2: {
        out.cardFile = true;
        const int zone = askZone();
        if (zone < 1 || zone > ZoneCount) {
            out.zoneCancelled = true;
            break;
        }
        out.merged = true;
        Finish(MergeOldCardFile(file.bytes, tablica, zone), true, language, out);
        break;
    }
    case CardFileKind::NotCardFile:
        break;
    }
    return out;
}

} // namespace korv
