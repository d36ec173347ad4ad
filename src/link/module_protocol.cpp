// The module's requests over the port's buffers: fixed-length frames, fixed waits, one check
// byte, no retries. Each says what became of it as a PortResult.
#include "link/ftdi.h"
#include "link/page_image.h"
#include "link/page_layout.h"
#include "link/request_letters.h"

#include <algorithm>

namespace korv::link {

namespace {

constexpr std::uint32_t kPageReadWaitMs = 20;
constexpr std::uint32_t kLowPageWriteWaitMs = 5;
constexpr std::uint32_t kHighPageWriteWaitMs = 10;
constexpr std::uint32_t kCountWaitMs = 50;
constexpr std::uint32_t kCardFirstWaitMs = 20;
constexpr std::uint64_t kCardWaitMs = 6000;

// A module still talking after this many read time-outs is left to the next purge.
constexpr int kMaxDrainReads = 5;

constexpr DWORD kPageReplyLength = kPageSize + 1;
// A card read answers 'G', the number in four bytes and the check byte, or 'G' 00 'H' when no
// card was held to the reader.
constexpr DWORD kCardReplyLength = 6;
constexpr DWORD kNoCardReplyLength = 3;
constexpr std::uint8_t kNoCardEnd = kReadCard + 1;
constexpr DWORD kPageWriteLength = kPageSize + 3;

bool ValidPage(int pageno) {
    return pageno >= 0 && pageno < kPageCount;
}
std::uint8_t Bank(int pageno, char low, char high) {
    return static_cast<std::uint8_t>(pageno < 256 ? low : high);
}

} // namespace

void TBEXFTDI::PutRequest(std::uint8_t command, std::uint8_t argument) {
    buf_in[0] = command;
    buf_in[1] = argument;
    buf_in[2] = SumBufIn(1);
}

PortResult TBEXFTDI::Send(DWORD length) {
    DropLateReplies();
    DWORD written = 0;
    return Write(length, written) && written == length ? PortResult::Ok : PortResult::SendFailed;
}

PortResult TBEXFTDI::Receive(DWORD length) {
    DWORD received = 0;
    const bool read = Read(length, received);
    if (read && received == length)
        return PortResult::Ok;
    DrainLateReply();
    if (!read)
        return PortResult::ReceiveFailed;
    return received == 0 ? PortResult::NoReply : PortResult::ShortReply;
}

PortResult TBEXFTDI::ReceiveChecked(DWORD length, int pos) {
    const PortResult received = Receive(length);
    if (received != PortResult::Ok)
        return received;
    return CheckBufOut(pos) ? PortResult::Ok : PortResult::BadCheck;
}

void TBEXFTDI::DrainLateReply() {
    // The reply that did not come in time may still be on its way; read until the line stays
    // quiet for one read time-out, a bounded number of times, so it cannot be taken for the
    // next request's reply. The failed reply's bytes stay in buf_out for the caller.
    const PortBuffer failed = buf_out;
    for (int i = 0; i < kMaxDrainReads; ++i) {
        DWORD received = 0;
        if (!Read(static_cast<DWORD>(buf_out.size()), received) || received == 0)
            break;
    }
    buf_out = failed;
}

PortResult TBEXFTDI::SendPageRead(int pageno) {
    if (const PortResult ready = Ready(); ready != PortResult::Ok)
        return ready;
    if (!ValidPage(pageno))
        return PortResult::BadArgument;
    PutRequest(Bank(pageno, kReadLowPage, kReadHighPage), static_cast<std::uint8_t>(pageno % 256));
    return Send(3);
}

PortResult TBEXFTDI::ReadPage(int pageno) {
    if (const PortResult sent = SendPageRead(pageno); sent != PortResult::Ok)
        return sent;
    clock_.SleepMs(kPageReadWaitMs);
    ClearBufOut();
    return ReceiveChecked(kPageReplyLength, kPageSize);
}

PortResult TBEXFTDI::ReadPage(int pageno, const ModuleModel& model, ZadaSettings& zada) {
    if (const PortResult sent = SendPageRead(pageno); sent != PortResult::Ok)
        return sent;
    clock_.SleepMs(kPageReadWaitMs);
    ClearBufOut();
    const PortResult result = ReceiveChecked(kPageReplyLength, kPageSize);
    if (model.zadaSettings && pageno == kZadaSettingsPage)
        zada = SettleZadaSettingsOnPage(ReplyPage(buf_out));
    return result;
}

PortResult TBEXFTDI::WritePage(int pageno) {
    if (const PortResult ready = Ready(); ready != PortResult::Ok)
        return ready;
    if (!ValidPage(pageno))
        return PortResult::BadArgument;
    buf_in[0] = Bank(pageno, kWriteLowPage, kWriteHighPage);
    buf_in[1] = static_cast<std::uint8_t>(pageno % 256);
    buf_in[kPageWriteLength - 1] = SumBufIn(static_cast<int>(kPageWriteLength) - 2);
    if (const PortResult sent = Send(kPageWriteLength); sent != PortResult::Ok)
        return sent;
    clock_.SleepMs(pageno < 256 ? kLowPageWriteWaitMs : kHighPageWriteWaitMs);
    ClearBufOut();
    if (const PortResult reply = ReceiveChecked(3, 2); reply != PortResult::Ok)
        return reply;
    return buf_out[1] == 1 ? PortResult::Ok : PortResult::Refused;
}

PortResult TBEXFTDI::LiczbaKart(int& count) {
    if (const PortResult ready = Ready(); ready != PortResult::Ok)
        return ready;
    PutRequest(kControl, kControlCardCount);
    if (const PortResult sent = Send(3); sent != PortResult::Ok)
        return sent;
    clock_.SleepMs(kCountWaitMs);
    ClearBufOut();
    if (const PortResult reply = ReceiveChecked(3, 2); reply != PortResult::Ok)
        return reply;
    count = buf_out[0] * 256 + buf_out[1];
    return PortResult::Ok;
}

PortResult TBEXFTDI::Reset(const ModuleModel& model) {
    if (const PortResult ready = Ready(); ready != PortResult::Ok)
        return ready;
    PutRequest(kControl, kControlReset);
    if (const PortResult sent = Send(3); sent != PortResult::Ok)
        return sent;
    clock_.SleepMs(model.resetWaitMs);
    ClearBufOut();
    if (const PortResult reply = Receive(3); reply != PortResult::Ok)
        return reply;
    const bool confirmed =
        buf_out[0] == kControl && buf_out[1] == kResetDone && buf_out[2] == kResetDoneEnd;
    return confirmed ? PortResult::Ok : PortResult::Refused;
}

PortResult TBEXFTDI::ReadPageZero(std::uint32_t waitMs) {
    PutRequest(kReadLowPage, 0);
    if (const PortResult sent = Send(3); sent != PortResult::Ok)
        return sent;
    if (waitMs)
        clock_.SleepMs(waitMs);
    ClearBufOut();
    return ReceiveChecked(kPageReplyLength, kPageSize);
}

PortResult TBEXFTDI::CheckPass(std::string_view pass) {
    if (const PortResult ready = Ready(); ready != PortResult::Ok)
        return ready;
    if (pass.size() < 4)
        return PortResult::BadArgument;
    if (const PortResult page = ReadPageZero(kPageReadWaitMs); page != PortResult::Ok)
        return page;
    const bool same = PasswordOnPage(ReplyPage(buf_out)) == PackPassword(pass);
    return same ? PortResult::Ok : PortResult::Refused;
}

PortResult TBEXFTDI::SetPass(std::string_view pass) {
    if (const PortResult ready = Ready(); ready != PortResult::Ok)
        return ready;
    if (pass.size() < 4)
        return PortResult::BadArgument;
    if (const PortResult page = ReadPageZero(0); page != PortResult::Ok)
        return page;
    const PageImage page = RequestPage(buf_in);
    std::ranges::copy(ReplyPage(buf_out), page.begin());
    PutPasswordOnPage(page, PackPassword(pass));
    return WritePage(0);
}

PortResult TBEXFTDI::ResetWithPass(const ModuleModel& model) {
    if (const PortResult ready = Ready(); ready != PortResult::Ok)
        return ready;
    if (const PortResult page = ReadPageZero(0); page != PortResult::Ok)
        return page;
    const PasswordBytes kept = PasswordOnPage(ReplyPage(buf_out));
    if (const PortResult reset = Reset(model); reset != PortResult::Ok)
        return reset;
    const PageImage page = RequestPage(buf_in);
    PutEmptyPageZero(page, kept);
    const PortResult pageZero = WritePage(0);
    if (!model.zadaSettings || pageZero != PortResult::Ok)
        return pageZero;
    PutZadaSettingsOnPage(page, ZadaSettings{}); // the factory's
    return WritePage(kZadaSettingsPage);
}

PortResult TBEXFTDI::OdczytajKarte(std::string& numer) {
    if (const PortResult ready = Ready(); ready != PortResult::Ok)
        return ready;
    PutRequest(kReadCard, 0);
    if (const PortResult sent = Send(3); sent != PortResult::Ok)
        return sent;
    clock_.SleepMs(kCardFirstWaitMs);
    const std::uint64_t start = clock_.TickMs();
    // A reply can straddle a poll's read time-out: its bytes are kept across polls until the
    // whole reply has come, instead of being cleared away with the next poll.
    std::array<std::uint8_t, kCardReplyLength> reply{};
    DWORD have = 0;
    // 'G' 00 'H' came: the module's "no card", or the first half of a card's reply whose
    // number starts 00 48. One quiet poll tells them apart.
    bool noCardUnlessMore = false;
    bool noCard = false;
    for (;;) {
        ClearBufOut();
        DWORD received = 0;
        Read(kCardReplyLength - have, received);
        if (have == 0 && received > 0 && buf_out[0] != kReadCard)
            received = 0; // not the start of a card reply
        std::copy_n(buf_out.begin(), received, reply.begin() + have);
        have += received;
        if (have == kCardReplyLength)
            break;
        if (noCardUnlessMore && received == 0) {
            noCard = true;
            break;
        }
        noCardUnlessMore = have == kNoCardReplyLength && reply[1] == 0 && reply[2] == kNoCardEnd;
        if (clock_.TickMs() - start > kCardWaitMs)
            break;
    }
    std::copy(reply.begin(), reply.end(), buf_out.begin());
    if (noCard)
        return PortResult::NoCard;
    if (have != kCardReplyLength)
        return have == 0 ? PortResult::NoReply : PortResult::ShortReply;
    if (!CheckBufOut(kCardReplyLength - 1))
        return PortResult::BadCheck;
    // Unsigned: card numbers with the top bit set are ordinary numbers, not negative ones.
    const std::uint32_t number = (std::uint32_t{buf_out[1]} << 24) |
                                 (std::uint32_t{buf_out[2]} << 16) |
                                 (std::uint32_t{buf_out[3]} << 8) | buf_out[4];
    if (number == 0xFFFFFFFFu)
        return PortResult::NoCard;
    numer = std::to_string(number);
    return PortResult::Ok;
}

IdentifyReply TBEXFTDI::Identify(std::uint32_t waitMs, IdentifyOrder order) {
    PutRequest(kIdentify, 0);
    DropLateReplies();
    DWORD count = 0;
    Write(3, count);
    if (order == IdentifyOrder::WaitThenClear) {
        clock_.SleepMs(waitMs);
        ClearBufOut();
    } else {
        ClearBufOut();
        clock_.SleepMs(waitMs);
    }
    IdentifyReply reply;
    Read(3, reply.received);
    std::copy(buf_out.begin(), buf_out.begin() + 3, reply.bytes.begin());
    return reply;
}

std::uint8_t TBEXFTDI::LegacyIdentify(std::uint32_t waitMs) {
    PutRequest(kLegacyIdentify, 0);
    DropLateReplies();
    DWORD count = 0;
    Write(3, count);
    clock_.SleepMs(waitMs);
    ClearBufOut();
    Read(1, count);
    return buf_out[0];
}

} // namespace korv::link
