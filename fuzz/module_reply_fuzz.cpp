// The module commands and the monitor tick on replies from arbitrary bytes. Whatever the module
// says, or fails to say, a command gives the cable and busy mode back, and what it reports must
// agree with the bytes it was given: a complete read holds exactly the cards the module's pages
// carried, a complete write sent every page of the register, a verify that matches saw every
// card, an accepted password is the one page 0 held.
//
// Input: [setup] [register] then reply chunks as reply_chunks.h describes.
//   setup     bits 0..2 what runs (0 monitor tick, 1 read, 2 verify, 3 write, 4 card at the
//             reader, 5 memory reset, 6 password write, 7 two monitor ticks and then the window
//             closed with changes not sent, the question answered Yes); bit 3 the state
//             claims a ZADA module ("M") instead of a full one ("F"); bits 4..5 the password
//             panel's answer; bits 6..7 the line's time per byte
//   register  bits 0..5 its card count (0..63), bits 6..7 what kind of numbers it holds
#include "register_checks.h"
#include "reply_chunks.h"

#include "commands/app_state.h"
#include "commands/card_commands.h"
#include "commands/close_query.h"
#include "commands/command_runner.h"
#include "commands/connection_monitor.h"
#include "commands/module_context.h"
#include "commands/password_commands.h"
#include "commands/read_module.h"
#include "commands/silent_ui.h"
#include "commands/transfer_session.h"
#include "commands/unsaved_changes.h"
#include "commands/verify_module.h"
#include "commands/write_module.h"
#include "core/card_register.h"
#include "core/module_card_number.h"
#include "link/frame_checks.h"
#include "link/ftdi.h"
#include "link/page_layout.h"
#include "link/request_letters.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

using namespace korv;
using korv::fuzz::Bytes;
using korv::fuzz::ReplyChunks;
using korv::fuzz::Require;

namespace {

enum class Command {
    Monitor,
    Read,
    Verify,
    Write,
    CardAtReader,
    Reset,
    PasswordWrite,
    TicksThenClose
};

constexpr int kReplyLength = link::kPageSize + 1;
constexpr std::array<std::uint32_t, 4> kByteGapMs{0, 1, 2, 5};
// What the password panel answers, by setup bits 4..5 (nothing: cancelled).
const std::array<std::optional<std::string>, 4> kPanelAnswers{std::nullopt, "1234", "7", ""};

// Quiet like korv-cli's, but says Yes to the reset question and to sending changes before the
// window closes, answers the password panel, and keeps what the window would be left showing.
class FuzzUi : public SilentUi {
public:
    std::optional<std::string> panelAnswer;
    bool progressShown = false;
    bool waitCursor = false;
    std::string progressLabel;

    int MessageBox(const std::string& text, const std::string& caption, int flags) override {
        if (flags == MbYesNoDefaultNo || flags == MbYesNoCancel)
            return IdYes;
        return SilentUi::MessageBox(text, caption, flags);
    }
    std::optional<std::string> AskPassword(bool) override { return panelAnswer; }
    void ShowProgress(int position, int maximum, const std::string&) override {
        Require(position >= 0 && position <= maximum, "progress outside its bar");
        progressShown = true;
    }
    void HideProgress() override { progressShown = false; }
    void SetWaitCursor(bool waiting) override { waitCursor = waiting; }
    void ShowProgressLabel(const std::string& text) override { progressLabel = text; }
};

// A register of a few dozen cards, so that runs stay short and the fuzzer can answer it.
void BuildRegister(TTablica& t, int cards, int variant) {
    for (int k = 0; k < cards; ++k) {
        int zone = 1 + k % ZoneCount;
        int apartment = (k * 37) % ApartmentCount;
        std::string numer = std::to_string(1000 + 7919 * k);
        bool b1 = k % 3 == 0;
        switch (variant) {
        case 1: // several cards to an apartment, equal numbers, B1 both ways
            zone = 1 + k / 24 % ZoneCount;
            apartment = k / 3;
            numer = std::to_string(500 + k / 2);
            b1 = k % 2 != 0;
            break;
        case 2: // numbers at the edges of what a record holds, and one it gives back changed
            if (k == 0)
                numer = "00123";
            else if (k == 1)
                numer = "268435455";
            else if (k == 2)
                numer = "0";
            break;
        case 3: // the last card is one no record holds
            if (k == cards - 1)
                numer = k % 2 ? "268435456" : "12a";
            break;
        default:
            break;
        }
        t.AddCard(zone, apartment, {numer, b1, "c" + std::to_string(k)});
    }
    t.Cell(1, 0).wybierany = "100";
    t.Cell(4, 255).wybierany = "9";
}

bool SameCards(const TTablica& a, const TTablica& b) {
    return fuzz::SameRegister(a, b);
}

bool CheckByteOk(const Bytes& b, std::size_t pos) {
    unsigned sum = 1;
    for (std::size_t i = 0; i < pos; ++i)
        sum += b[i];
    return pos < b.size() && b[pos] == static_cast<std::uint8_t>(sum);
}

// Every frame the program sent is one the module understands.
void CheckRequests(const test::FakeD2xx& cable) {
    for (const Bytes& f : cable.written) {
        Require(f.size() >= 3 && CheckByteOk(f, f.size() - 1), "a request with a wrong check byte");
        switch (f[0]) {
        case link::kReadLowPage:
        case link::kReadHighPage:
            Require(f.size() == 3, "page read request of the wrong length");
            break;
        case link::kWriteLowPage:
        case link::kWriteHighPage:
            Require(f.size() == 3 + link::kPageSize, "page write request of the wrong length");
            break;
        case link::kControl:
            Require(f.size() == 3 &&
                        (f[1] == link::kControlCardCount || f[1] == link::kControlReset),
                    "unknown control request");
            break;
        case link::kIdentify:
        case link::kReadCard:
        case link::kLegacyIdentify:
            Require(f.size() == 3 && f[1] == 0, "identify or card request with an argument");
            break;
        default:
            Require(false, "a request of no known letter");
        }
    }
}

bool IsPageWrite(const Bytes& f) {
    return f[0] == link::kWriteLowPage || f[0] == link::kWriteHighPage;
}
int PageOf(const Bytes& f) {
    return (f[0] == link::kWriteHighPage || f[0] == link::kReadHighPage ? 256 : 0) + f[1];
}
const std::uint8_t* PageData(const Bytes& f) {
    return f.data() + link::kWriteDataOffset;
}

std::size_t PageWrites(const test::FakeD2xx& cable) {
    return static_cast<std::size_t>(
        std::count_if(cable.written.begin(), cable.written.end(), IsPageWrite));
}

bool Sent(const test::FakeD2xx& cable, std::uint8_t letter, std::uint8_t argument) {
    return std::any_of(cable.written.begin(), cable.written.end(),
                       [&](const Bytes& f) { return f[0] == letter && f[1] == argument; });
}

// The page replies the port accepted, in the order it read them: 65 bytes asked, 65 came, the
// last one checks the others.
std::vector<const Bytes*> AcceptedPages(const test::FakeD2xx& cable, std::size_t fromRead = 0) {
    std::vector<const Bytes*> pages;
    for (std::size_t i = fromRead; i < cable.reads.size(); ++i) {
        const test::FakeD2xx::Read& r = cable.reads[i];
        if (r.asked == kReplyLength && r.got.size() == kReplyLength &&
            CheckByteOk(r.got, link::kPageSize))
            pages.push_back(&r.got);
    }
    return pages;
}

// The two packed-BCD bytes page 0 holds for a four-digit password.
struct PasswordPair {
    std::uint8_t d12;
    std::uint8_t d34;
};
PasswordPair PasswordBytes(std::string_view haslo) {
    return {link::HexToByte(haslo.substr(0, 2)), link::HexToByte(haslo.substr(2, 2))};
}

// A card record read the way the memory layout describes it, apart from the program's decoder.
using Card = std::tuple<int, int, std::string, bool>; // zone, apartment, number, B1
std::optional<Card> RecordCard(const std::uint8_t* r) {
    const int zone = r[3] & 0x07;
    if (zone < 1 || zone > ZoneCount)
        return std::nullopt;
    const std::uint32_t number =
        r[0] | (r[1] << 8) | (r[2] << 16) | (static_cast<std::uint32_t>(r[3] >> 4) << 24);
    return Card{zone, r[4], std::to_string(number), (r[3] & 0x08) != 0};
}

std::vector<Card> RegisterCards(const TTablica& t) {
    std::vector<Card> cards;
    t.ForEachCard([&](int zone, int apartment, int, const TKarta& k) {
        cards.emplace_back(zone, apartment, k.numer, k.B1);
    });
    return cards;
}

int LastReadPage(int count, bool zada) {
    int last = (count - 1) / link::kRecordsPerPage; // C's truncation: -1..12 give page 0
    if (zada && last == 0)
        last = 1;
    return std::min(last, link::kPageCount - 1);
}
int LastWritePage(int count, bool zada) {
    if (count <= 0)
        return -1;
    const int last = (count - 1) / link::kRecordsPerPage;
    return zada && last == 0 ? 1 : last;
}

// The pages a page loop read successfully, in order: those it tried and that did not fail.
std::vector<int> PagesRead(int last, const std::vector<int>& failed, int stoppedAt) {
    if (stoppedAt >= 0)
        last = std::min(last, stoppedAt + kPagesBeforeGivingUp - 1);
    std::vector<int> pages;
    for (int n = 0; n <= last; ++n)
        if (std::find(failed.begin(), failed.end(), n) == failed.end())
            pages.push_back(n);
    return pages;
}

// The module's records within its count on the pages read, each page's reply matched to it.
std::vector<std::optional<Card>> RecordsRead(const test::FakeD2xx& cable, int count, int last,
                                             const std::vector<int>& failed, int stoppedAt) {
    const std::vector<int> pages = PagesRead(last, failed, stoppedAt);
    const std::vector<const Bytes*> replies = AcceptedPages(cable);
    Require(pages.size() == replies.size(), "pages read and page replies accepted differ");
    std::vector<std::optional<Card>> records;
    for (std::size_t i = 0; i < pages.size(); ++i)
        for (int c = pages[i] * link::kRecordsPerPage;
             c < std::min(count, (pages[i] + 1) * link::kRecordsPerPage); ++c)
            records.push_back(
                RecordCard(replies[i]->data() + (c % link::kRecordsPerPage) * link::kRecordSize));
    return records;
}

bool CountReplied(const test::FakeD2xx& cable, int count) {
    return std::any_of(cable.reads.begin(), cable.reads.end(), [&](const test::FakeD2xx::Read& r) {
        return r.asked == 3 && r.got.size() == 3 && CheckByteOk(r.got, 2) &&
               r.got[0] * 256 + r.got[1] == count;
    });
}

void CheckRead(const ReadOutcome& o, const AppState& state, const TTablica& before,
               const test::FakeD2xx& cable, bool zada) {
    Require(!o.registerReplaced ||
                (o.ran && o.moduleCount >= 0 && o.stoppedAt < 0 && o.recordsWithoutCard.empty()),
            "register replaced by a read that says it went wrong");
    Require(!o.Complete() || o.registerReplaced, "complete read left the register");
    if (o.moduleCount >= 0) {
        Require(CountReplied(cable, o.moduleCount), "card count no reply gave");
        Require(o.countTooLarge == (o.moduleCount > MaxCards), "count too large said wrongly");
    }
    if (o.ran && o.moduleCount >= 0 && o.stoppedAt < 0) {
        const int count = std::min(o.moduleCount, MaxCards);
        const auto records =
            RecordsRead(cable, count, LastReadPage(count, zada), o.failedPages, o.stoppedAt);
        Require(std::count(records.begin(), records.end(), std::nullopt) ==
                    static_cast<std::ptrdiff_t>(o.recordsWithoutCard.size()),
                "records without a card miscounted");
    }
    if (!o.registerReplaced) {
        Require(SameCards(state.tablica, before), "read that kept the register changed it");
        return;
    }
    const int count = std::min(o.moduleCount, MaxCards);
    const auto records =
        RecordsRead(cable, count, LastReadPage(count, zada), o.failedPages, o.stoppedAt);
    TTablica expected = before;
    expected.ClearCards();
    for (const auto& r : records)
        if (r)
            expected.AddCard(std::get<0>(*r), std::get<1>(*r),
                             {std::get<2>(*r), std::get<3>(*r), ""});
    Require(SameCards(state.tablica, expected), "read register differs from the module's pages");
    if (o.Complete())
        Require(state.tablica.CardCount() == o.moduleCount,
                "complete read holds another number of cards than the module's count");
}

void CheckVerify(const VerifyOutcome& o, const AppState& state, const test::FakeD2xx& cable,
                 bool zada) {
    const int errors = static_cast<int>(std::count_if(
        o.differences.begin(), o.differences.end(), [](const auto& d) { return d.onlyInModule; }));
    Require(errors == o.errors, "errors and module-side differences disagree");
    if (o.countsDiffer) {
        Require(o.moduleCount != state.tablica.CardCount(), "counts said to differ");
        Require(!Sent(cable, link::kReadLowPage, 0), "pages read although the counts differ");
    }
    if (o.ran && !o.countsDiffer && o.unchecked == 0) {
        // Every record within the count was looked at: the errors are exactly the records no
        // card of the program pairs with, and the program's cards left over are listed.
        const auto records = RecordsRead(cable, o.moduleCount, LastReadPage(o.moduleCount, zada),
                                         o.failedPages, o.stoppedAt);
        std::vector<Card> module;
        for (const auto& r : records)
            if (r)
                module.push_back(*r);
        std::vector<Card> program = RegisterCards(state.tablica);
        std::sort(module.begin(), module.end());
        std::sort(program.begin(), program.end());
        std::vector<Card> common;
        std::set_intersection(module.begin(), module.end(), program.begin(), program.end(),
                              std::back_inserter(common));
        Require(o.errors == static_cast<int>(records.size() - common.size()),
                "verify errors are not the records without a card of the program");
        Require(static_cast<int>(o.differences.size()) - o.errors ==
                    static_cast<int>(program.size() - common.size()),
                "verify lists another number of the program's cards the module lacks");
    }
    if (!o.Matches())
        return;
    Require(o.moduleCount == state.tablica.CardCount(), "matching verify with other counts");
    Require(CountReplied(cable, o.moduleCount), "card count no reply gave");
    Require(o.differences.empty(), "matching verify lists differences");
    auto records = RecordsRead(cable, o.moduleCount, LastReadPage(o.moduleCount, zada),
                               o.failedPages, o.stoppedAt);
    Require(static_cast<int>(records.size()) == o.moduleCount,
            "verify said success without seeing every record");
    std::vector<Card> module;
    for (const auto& r : records) {
        Require(r.has_value(), "verify matched a record that holds no card");
        module.push_back(*r);
    }
    std::vector<Card> program = RegisterCards(state.tablica);
    std::sort(module.begin(), module.end());
    std::sort(program.begin(), program.end());
    Require(module == program, "verify said success but the module holds other cards");
}

void CheckWrite(const WriteOutcome& o, const AppState& state, const test::FakeD2xx& cable,
                bool zada, bool needSaveBefore) {
    Require(state.NeedSave == (needSaveBefore && !o.Complete()), "NeedSave after a write");
    if (o.refused) {
        Require(cable.written.empty(), "refused register but something was sent");
        return;
    }
    const int count = state.tablica.CardCount();
    const int last = LastWritePage(count, zada);
    std::map<int, const Bytes*> lastWrite;
    for (const Bytes& f : cable.written)
        if (IsPageWrite(f))
            lastWrite[PageOf(f)] = &f;
    if (!o.resetAsked)
        for (const auto& [page, frame] : lastWrite)
            Require(page <= last, "write touched a page past the register's");
    if (!o.Complete())
        return;
    const std::vector<Card> cards = RegisterCards(state.tablica);
    const PasswordPair pw = PasswordBytes(state.connection.Edit_haslo);
    for (int p = 0; p <= last; ++p) {
        Require(lastWrite.count(p) == 1, "complete write skipped a page");
        const std::uint8_t* d = PageData(*lastWrite[p]);
        for (int r = 0; r < link::kRecordsPerPage; ++r) {
            const std::uint8_t* rec = d + r * link::kRecordSize;
            const std::size_t c = static_cast<std::size_t>(p * link::kRecordsPerPage + r);
            if (c < cards.size()) {
                const auto card = RecordCard(rec);
                Card want = cards[c];
                std::get<2>(want) = std::to_string(*ModuleCardNumber(std::get<2>(want)));
                Require(card && *card == want, "written record is not the register's card");
            } else {
                Require(std::all_of(rec, rec + link::kRecordSize,
                                    [](std::uint8_t b) { return b == 0xFF; }),
                        "written free record is not free");
            }
        }
        const std::uint8_t* t = d + link::kTrailer;
        if (p == 0) {
            Require(t[0] * 256 + t[1] == count, "written count");
            Require(t[2] == pw.d12 && t[3] == pw.d34, "written password");
        } else if (p == 1 && zada) {
            Require(t[0] == state.zada.lockTime && t[1] == state.zada.lockType &&
                        t[2] == (state.zada.soundsOn ? 0 : 1) && t[3] == 0xFF,
                    "written ZADA settings");
        } else {
            Require(std::all_of(t, t + 4, [](std::uint8_t b) { return b == 0xFF; }),
                    "written trailer");
        }
    }
}

void CheckReset(ResetResult result, const test::FakeD2xx& cable, bool zada) {
    if (result == ResetResult::NotRun) {
        Require(!Sent(cable, link::kControl, link::kControlReset), "reset sent but not run");
        Require(PageWrites(cable) == 0, "pages written by a reset that did not run");
        return;
    }
    if (result == ResetResult::NotDone) {
        Require(PageWrites(cable) == 0, "pages written by a reset that was not done");
        return;
    }
    if (result != ResetResult::Done)
        return;
    Require(Sent(cable, link::kControl, link::kControlReset), "reset done but never asked");
    const std::vector<const Bytes*> pages = AcceptedPages(cable);
    Require(!pages.empty(), "reset done without page 0 read first");
    const Bytes& before = *pages.front();
    const Bytes* page0 = nullptr;
    const Bytes* page1 = nullptr;
    for (const Bytes& f : cable.written)
        if (IsPageWrite(f))
            (PageOf(f) == 0 ? page0 : page1) = &f;
    Require(page0 != nullptr, "reset done without page 0 written");
    const std::uint8_t* d = PageData(*page0);
    Require(std::all_of(d, d + link::kTrailer, [](std::uint8_t b) { return b == 0xFF; }) &&
                d[link::kCountHigh] == 0 && d[link::kCountLow] == 0,
            "reset's page 0 is not empty");
    Require(d[link::kPasswordDigits12] == before[link::kPasswordDigits12] &&
                d[link::kPasswordDigits34] == before[link::kPasswordDigits34],
            "reset did not keep the module's password");
    if (zada) {
        Require(page1 != nullptr && PageOf(*page1) == 1, "ZADA reset without page 1 written");
        const std::uint8_t* s = PageData(*page1);
        Require(std::all_of(s, s + link::kTrailer, [](std::uint8_t b) { return b == 0xFF; }) &&
                    s[link::kZadaLockTime] == 4 && s[link::kZadaLockType] == 0 &&
                    s[link::kZadaSounds] == 0,
                "ZADA reset's page 1");
    }
}

void CheckPasswordWrite(PasswordWriteResult result, const AppState& state,
                        const test::FakeD2xx& cable) {
    const PasswordPair pw = PasswordBytes(state.connection.Edit_haslo);
    const std::vector<const Bytes*> pages = AcceptedPages(cable);
    if (result == PasswordWriteResult::NotRun) {
        Require(PageWrites(cable) == 0, "password written although the write did not run");
        return;
    }
    if (result == PasswordWriteResult::Unknown)
        Require(PageWrites(cable) > 0, "password write unknown but never sent");
    if (result == PasswordWriteResult::NotSaved && PageWrites(cable) > 0)
        Require(pages.size() >= 2 && ((*pages.back())[link::kPasswordDigits12] != pw.d12 ||
                                      (*pages.back())[link::kPasswordDigits34] != pw.d34),
                "password said not saved but page 0 holds it");
    if (result != PasswordWriteResult::Saved)
        return;
    Require(!pages.empty(), "password saved without page 0 read");
    const Bytes& page0 = *pages.front();
    const bool sent = std::any_of(cable.written.begin(), cable.written.end(), [&](const Bytes& f) {
        if (!IsPageWrite(f) || PageOf(f) != 0)
            return false;
        const std::uint8_t* d = PageData(f);
        return std::equal(d, d + link::kPasswordDigits12, page0.begin()) &&
               d[link::kPasswordDigits12] == pw.d12 && d[link::kPasswordDigits34] == pw.d34;
    });
    Require(sent, "password saved but no page 0 with it and the module's other bytes was sent");
}

void CheckMonitor(const AppState& state, const test::FakeD2xx& cable, std::size_t tickReads,
                  const std::string& hasloChecked) {
    const bool noCable = state.connection.view.outcome == LinkOutcome::NoCable;
    Require(!state.connection.view.cableInUse || (noCable && cable.heldElsewhere),
            "cable said to be in use by another program that holds none");
    Require(!noCable || !cable.cablePresent || state.connection.view.cableInUse,
            "cable another program holds said to be missing");
    if (!state.connection.PasswordAccepted())
        return;
    Require(state.connection.passwordCheck == PasswordCheck::Accepted,
            "password accepted without the check accepting it");
    Require(state.connection.view.outcome == LinkOutcome::CurrentModule &&
                state.connection.polaczony(),
            "password accepted with no current module");
    Require(state.connection.model != nullptr &&
                state.connection.ModuleKind == std::string(1, state.connection.model->kindLetter),
            "password accepted from a module of another kind");
    const PasswordPair pw = PasswordBytes(hasloChecked);
    const auto pages = AcceptedPages(cable, tickReads);
    Require(std::any_of(pages.begin(), pages.end(),
                        [&](const Bytes* p) {
                            return (*p)[link::kPasswordDigits12] == pw.d12 &&
                                   (*p)[link::kPasswordDigits34] == pw.d34;
                        }),
            "password accepted but no page 0 held it");
}

// The close query writes only to the module the monitor's last tick found, and only a current
// module takes the write: anything else on the cable is asked who it is and nothing more.
void CheckCloseQuery(const AppState& state, const test::FakeD2xx& cable, std::size_t sentBefore) {
    if (state.connection.view.outcome == LinkOutcome::CurrentModule)
        return;
    for (std::size_t i = sentBefore; i < cable.written.size(); ++i)
        Require(cable.written[i][0] == link::kIdentify,
                "close query sent a module command to a device that is no current module");
}

// A card number the reader gave: decimal without leading zeros, and a whole reply that said it
// somewhere in what the port read.
void CheckCardAtReader(const std::string& number, const test::FakeD2xx& cable) {
    if (number.empty())
        return;
    Require(number.size() <= 10 && number.find_first_not_of("0123456789") == std::string::npos &&
                (number == "0" || number[0] != '0'),
            "card number text");
    const std::uint64_t value = std::stoull(number);
    Require(value < 0xFFFFFFFFull, "card number no card has");
    Bytes reply{link::kReadCard,
                static_cast<std::uint8_t>(value >> 24),
                static_cast<std::uint8_t>(value >> 16),
                static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value),
                0};
    unsigned sum = 1;
    for (int i = 0; i < 5; ++i)
        sum += reply[static_cast<std::size_t>(i)];
    reply[5] = static_cast<std::uint8_t>(sum);
    Bytes stream;
    for (const auto& r : cable.reads)
        stream.insert(stream.end(), r.got.begin(), r.got.end());
    Require(std::search(stream.begin(), stream.end(), reply.begin(), reply.end()) != stream.end(),
            "card number no reply carried");
}

// A click that arrives while a job of the command runner holds the cable starts nothing: no
// question, no request, no change.
void ClickWhileBusy(ModuleContext& ctx, Command command, const test::FakeD2xx& cable) {
    const AppState snapshot = ctx.state;
    CommandRunner runner(ctx.port);
    bool ran = false, secondStarted = true;
    runner.Start(JobKind::MonitorTick, [&](link::TBEXFTDI&, const CancelFlag&) {
        secondStarted = runner.Start(JobKind::Read, [&](link::TBEXFTDI&, const CancelFlag&) {
            ran = true;
            switch (command) {
            case Command::Monitor:
                CheckConnection(ctx);
                break;
            default:
                ReadModule(ctx);
                break;
            }
        });
    });
    Require(!secondStarted && !ran && cable.opens == 0 && cable.written.empty(),
            "a click while busy ran");
    Require(!runner.Busy(), "the runner stayed busy");
    Require(SameCards(ctx.state.tablica, snapshot.tablica) &&
                ctx.state.NeedSave == snapshot.NeedSave &&
                ctx.state.connection.model == snapshot.connection.model &&
                ctx.state.connection.ModuleKind == snapshot.connection.ModuleKind &&
                ctx.state.connection.Edit_haslo == snapshot.connection.Edit_haslo &&
                ctx.state.connection.PasswordAccepted() == snapshot.connection.PasswordAccepted(),
            "a click while busy changed the state");
}

// KORV_FUZZ_TRACE=1 says what each input came to, for checking what a seed reaches.
bool Tracing() {
    static const bool on = std::getenv("KORV_FUZZ_TRACE") != nullptr;
    return on;
}

template <typename... Args> void Trace(const char* format, Args... args) {
    if (Tracing())
        std::fprintf(stderr, format, args...);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const auto command = static_cast<Command>(data[0] & 0x07);
    const bool zada = (data[0] & 0x08) != 0;
    const std::optional<std::string>& panel = kPanelAnswers[(data[0] >> 4) & 0x03];
    const std::uint32_t byteGap = kByteGapMs[(data[0] >> 6) & 0x03];
    const int cards = data[1] & 0x3F;
    const int variant = data[1] >> 6;

    link::VirtualClock clock(1000);
    test::FakeD2xx cable;
    cable.Install(clock);
    cable.byteGapMs = byteGap;
    cable.answer = ReplyChunks(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
    link::TBEXFTDI port(clock, cable.Driver());
    FuzzUi ui;
    ui.panelAnswer = panel;
    auto state = std::make_unique<AppState>();
    BuildRegister(state->tablica, cards, variant);
    state->NeedSave = true;
    state->connection.model = zada ? &link::kZadaModule : &link::kFullModule;
    state->connection.ModuleKind = std::string(1, state->connection.model->kindLetter);
    state->connection.ConnectionMessage = MsgConnectedWithModule;
    state->connection.passwordCheck = PasswordCheck::Accepted;
    if (command == Command::PasswordWrite && panel)
        state->connection.Edit_haslo = PadPassword(*panel);
    const auto before = std::make_unique<TTablica>(state->tablica);
    const link::ZadaSettings zadaBefore = state->zada;
    ModuleContext ctx{*state, ui, port};
    ClickWhileBusy(ctx, command, cable);

    bool registerMayChange = false;
    bool zadaMayChange = false;
    switch (command) {
    case Command::Monitor:
    case Command::TicksThenClose: {
        state->connection.ModuleKind.clear();
        state->connection.model = nullptr;
        state->connection.ConnectionMessage = MsgModuleNotConnected;
        state->connection.passwordCheck = PasswordCheck::NoAnswer;
        const int ticks = command == Command::TicksThenClose ? 2 : 1;
        for (int tick = 0; tick < ticks; ++tick) {
            const std::size_t reads = cable.reads.size();
            const std::string haslo = state->connection.Edit_haslo;
            CheckConnection(ctx);
            Trace("tick: outcome %d kind \"%s\" name \"%s\" check %d accepted %d haslo %s\n",
                  static_cast<int>(state->connection.view.outcome),
                  state->connection.ModuleKind.c_str(), state->connection.ModuleName.c_str(),
                  static_cast<int>(state->connection.passwordCheck),
                  state->connection.PasswordAccepted(), state->connection.Edit_haslo.c_str());
            CheckMonitor(*state, cable, reads, haslo);
        }
        if (command == Command::TicksThenClose) {
            const std::size_t sent = cable.written.size();
            // The cards are in a file: closing asks only what the module's side asks.
            MarkRegisterSaved(*state);
            // As the window's close box: the question, then the write it asked for.
            NoView view;
            const CloseAnswer answer = AskBeforeClosing({*state, ui, view});
            Require(answer != CloseAnswer::Stay, "window kept open after Yes");
            if (answer == CloseAnswer::WriteFirst) {
                WriteModule(ctx, WriteBackup::Offered());
                AfterWriteOnClosing(*state, ui);
            }
            Trace("close query: %zu requests\n", cable.written.size() - sent);
            CheckCloseQuery(*state, cable, sent);
        }
        break;
    }
    case Command::Read: {
        const ReadOutcome o = ReadModule(ctx);
        Trace("read: ran %d count %d failed %zu stopped %d without card %zu replaced %d "
              "complete %d cards %d\n",
              o.ran, o.moduleCount, o.failedPages.size(), o.stoppedAt, o.recordsWithoutCard.size(),
              o.registerReplaced, o.Complete(), state->tablica.CardCount());
        CheckRead(o, *state, *before, cable, zada);
        registerMayChange = true;
        zadaMayChange = true;
        break;
    }
    case Command::Verify: {
        const VerifyOutcome o = VerifyModule(ctx);
        Trace("verify: ran %d count %d differ %d errors %d unchecked %d matches %d\n", o.ran,
              o.moduleCount, o.countsDiffer, o.errors, o.unchecked, o.Matches());
        CheckVerify(o, *state, cable, zada);
        zadaMayChange = true;
        break;
    }
    case Command::Write: {
        const WriteOutcome o = WriteModule(ctx);
        Trace("write: refused %d reset %d/%d ran %d failed %zu stopped %d complete %d\n", o.refused,
              o.resetAsked, static_cast<int>(o.reset), o.ran, o.failedPages.size(), o.stoppedAt,
              o.Complete());
        CheckWrite(o, *state, cable, zada, true);
        if (o.resetAsked)
            CheckReset(o.reset, cable, zada);
        break;
    }
    case Command::CardAtReader: {
        const std::string number = ReadCardAtReader(port);
        Trace("card at reader: \"%s\"\n", number.c_str());
        CheckCardAtReader(number, cable);
        break;
    }
    case Command::Reset: {
        const ResetResult r = ResetModuleMemory(ctx);
        Trace("reset: %d\n", static_cast<int>(r));
        CheckReset(r, cable, zada);
        break;
    }
    case Command::PasswordWrite: {
        const PasswordWriteResult r = WriteInstallerPassword(ctx);
        Trace("password write: %d\n", static_cast<int>(r));
        CheckPasswordWrite(r, *state, cable);
        break;
    }
    }

    Trace("requests %zu, virtual time %llu ms\n", cable.written.size(),
          static_cast<unsigned long long>(clock.TickMs() - 1000));
    CheckRequests(cable);
    Require(!port.Opened() && !cable.open && cable.opens == cable.closes, "cable left open");
    Require(!ui.progressShown, "progress bar left shown");
    Require(!ui.waitCursor && ui.progressLabel.empty(), "wait cursor or reset label left on");
    fuzz::CheckCells(state->tablica);
    Require(state->tablica.CardCount() <= MaxCards, "register holds more than a module");
    Require(state->zada.lockTime >= 0 && state->zada.lockTime <= 25 && state->zada.lockType >= 0 &&
                state->zada.lockType <= 2,
            "ZADA settings outside their lists");
    if (!registerMayChange)
        Require(SameCards(state->tablica, *before),
                "a command that only reads changed the register");
    if (command != Command::Read && command != Command::Write && command != Command::TicksThenClose)
        Require(state->NeedSave, "NeedSave cleared by a command that does not write the register");
    if (command == Command::Read)
        Require(state->NeedSave, "read cleared NeedSave");
    if (!zadaMayChange)
        Require(state->zada == zadaBefore, "ZADA settings changed by a command that reads none");
    return 0;
}
