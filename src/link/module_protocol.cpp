// The module's requests over the port's buffers: fixed-length frames, fixed waits, one check
// byte, no retries.
#include "link/ftdi.h"
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

bool TBEXFTDI::Send(DWORD length) {
    DropLateReplies();
    DWORD written = 0;
    return Write(length, written) && written == length;
}

bool TBEXFTDI::Receive(DWORD length) {
    DWORD received = 0;
    if (Read(length, received) && received == length)
        return true;
    DrainLateReply();
    return false;
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

bool TBEXFTDI::SendPageRead(int pageno) {
    PutRequest(Bank(pageno, kReadLowPage, kReadHighPage), static_cast<std::uint8_t>(pageno % 256));
    return Send(3);
}

bool TBEXFTDI::ReadPage(int pageno) {
    if (!F_DriverPresent || !ValidPage(pageno) || !SendPageRead(pageno))
        return false;
    clock_.SleepMs(kPageReadWaitMs);
    ClearBufOut();
    return Receive(kPageReplyLength) && CheckBufOut(kPageSize);
}

bool TBEXFTDI::ReadPage(int pageno, const ModuleModel& model, ZadaSettings& zada) {
    if (!F_DriverPresent || !ValidPage(pageno) || !SendPageRead(pageno))
        return false;
    clock_.SleepMs(kPageReadWaitMs);
    ClearBufOut();
    const bool ok = Receive(kPageReplyLength) && CheckBufOut(kPageSize);
    if (model.zadaSettings && pageno == 1) {
        // Out-of-range settings fall back to the factory's: 4 s, electric lock.
        if (buf_out[kZadaLockTime] > 25)
            buf_out[kZadaLockTime] = 4;
        if (buf_out[kZadaLockType] > 2)
            buf_out[kZadaLockType] = 0;
        zada.lockTime = buf_out[kZadaLockTime];
        zada.lockType = buf_out[kZadaLockType];
        zada.soundsOn = buf_out[kZadaSounds] == 0;
    }
    return ok;
}

bool TBEXFTDI::WritePage(int pageno) {
    if (!F_DriverPresent || !ValidPage(pageno))
        return false;
    buf_in[0] = Bank(pageno, kWriteLowPage, kWriteHighPage);
    buf_in[1] = static_cast<std::uint8_t>(pageno % 256);
    buf_in[kPageWriteLength - 1] = SumBufIn(static_cast<int>(kPageWriteLength) - 2);
    if (!Send(kPageWriteLength))
        return false;
    clock_.SleepMs(pageno < 256 ? kLowPageWriteWaitMs : kHighPageWriteWaitMs);
    ClearBufOut();
    return Receive(3) && CheckBufOut(2) && buf_out[1] == 1;
}

int TBEXFTDI::LiczbaKart() {
    if (!F_DriverPresent)
        return -1;
    PutRequest(kControl, kControlCardCount);
    if (!Send(3))
        return -1;
    clock_.SleepMs(kCountWaitMs);
    ClearBufOut();
    if (!Receive(3) || !CheckBufOut(2))
        return -1;
    return buf_out[0] * 256 + buf_out[1];
}

bool TBEXFTDI::Reset(const ModuleModel& model) {
    if (!F_DriverPresent)
        return false;
    PutRequest(kControl, kControlReset);
    if (!Send(3))
        return false;
    clock_.SleepMs(model.resetWaitMs);
    ClearBufOut();
    return Receive(3) && buf_out[0] == kControl && buf_out[1] == kResetDone &&
           buf_out[2] == kResetDoneEnd;
}

bool TBEXFTDI::ReadPageZero(std::uint32_t waitMs) {
    PutRequest(kReadLowPage, 0);
    if (!Send(3))
        return false;
    if (waitMs)
        clock_.SleepMs(waitMs);
    ClearBufOut();
    return Receive(kPageReplyLength) && CheckBufOut(kPageSize);
}

bool TBEXFTDI::CheckPass(std::string_view pass) {
    if (!F_DriverPresent || pass.size() < 4 || !ReadPageZero(kPageReadWaitMs))
        return false;
    return HexToByte(pass.substr(0, 2)) == buf_out[kPasswordDigits12] &&
           HexToByte(pass.substr(2, 2)) == buf_out[kPasswordDigits34];
}

bool TBEXFTDI::SetPass(std::string_view pass) {
    if (!F_DriverPresent || pass.size() < 4 || !ReadPageZero(0))
        return false;
    std::copy(buf_out.begin(), buf_out.begin() + 62, buf_in.begin() + 2);
    buf_in[64] = HexToByte(pass.substr(0, 2));
    buf_in[65] = HexToByte(pass.substr(2, 2));
    return WritePage(0);
}

bool TBEXFTDI::ResetWithPass(const ModuleModel& model) {
    if (!F_DriverPresent || !ReadPageZero(0))
        return false;
    buf_in[64] = buf_out[62];
    buf_in[65] = buf_out[63];
    if (!Reset(model))
        return false;
    std::fill(buf_in.begin() + 2, buf_in.begin() + 62, 0xFF);
    buf_in[62] = 0;
    buf_in[63] = 0;
    const bool pageZero = WritePage(0);
    if (!model.zadaSettings || !pageZero)
        return pageZero;
    buf_in[62] = 4;
    buf_in[63] = 0;
    buf_in[64] = 0;
    return WritePage(1);
}

std::string TBEXFTDI::OdczytajKarte() {
    if (!F_DriverPresent)
        return {};
    PutRequest(kReadCard, 0);
    if (!Send(3))
        return {};
    clock_.SleepMs(kCardFirstWaitMs);
    const std::uint64_t start = clock_.TickMs();
    // A reply can straddle a poll's read time-out: its bytes are kept across polls until the
    // whole reply has come, instead of being cleared away with the next poll.
    std::array<std::uint8_t, kCardReplyLength> reply{};
    DWORD have = 0;
    // 'G' 00 'H' came: the module's "no card", or the first half of a card's reply whose
    // number starts 00 48. One quiet poll tells them apart.
    bool noCardUnlessMore = false;
    for (;;) {
        ClearBufOut();
        DWORD received = 0;
        Read(kCardReplyLength - have, received);
        if (have == 0 && received > 0 && buf_out[0] != kReadCard)
            received = 0; // not the start of a card reply
        std::copy_n(buf_out.begin(), received, reply.begin() + have);
        have += received;
        if (have == kCardReplyLength || (noCardUnlessMore && received == 0))
            break;
        noCardUnlessMore = have == kNoCardReplyLength && reply[1] == 0 && reply[2] == kNoCardEnd;
        if (clock_.TickMs() - start > kCardWaitMs)
            break;
    }
    std::copy(reply.begin(), reply.end(), buf_out.begin());
    if (have != kCardReplyLength || !CheckBufOut(kCardReplyLength - 1))
        return {};
    // Unsigned: card numbers with the top bit set are ordinary numbers, not negative ones.
    const std::uint32_t number = (std::uint32_t{buf_out[1]} << 24) |
                                 (std::uint32_t{buf_out[2]} << 16) |
                                 (std::uint32_t{buf_out[3]} << 8) | buf_out[4];
    if (number == 0xFFFFFFFFu)
        return {};
    return std::to_string(number);
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
