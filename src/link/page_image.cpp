#include "link/page_image.h"

#include "link/page_layout.h"

#include <algorithm>
#include <cstddef>

namespace korv::link {

namespace {

std::size_t RecordStart(int r) {
    return static_cast<std::size_t>((r - 1) * kRecordSize);
}

} // namespace

PageView ReplyPage(const PortBuffer& buf_out) {
    return PageView(buf_out.data(), kPageSize);
}

PageImage ReplyPage(PortBuffer& buf_out) {
    return PageImage(buf_out.data(), kPageSize);
}

PageImage RequestPage(PortBuffer& buf_in) {
    return PageImage(buf_in.data() + kWriteDataOffset, kPageSize);
}

CardRecord RecordOnPage(PageView page, int r) {
    const auto b = page.subspan(RecordStart(r), kRecordSize);
    const std::uint8_t flags = b[kRecordFlagsByte];
    return CardRecord{static_cast<std::uint32_t>(b[0] | (b[1] << 8) | (b[2] << 16)) |
                          (static_cast<std::uint32_t>(flags >> 4) << 24),
                      flags & kRecordZoneMask, (flags & kRecordB1Bit) != 0,
                      b[kRecordApartmentByte]};
}

void PutRecordOnPage(PageImage page, int r, const CardRecord& record) {
    const auto b = page.subspan(RecordStart(r), kRecordSize);
    const std::uint32_t n = record.number;
    b[0] = static_cast<std::uint8_t>(n & 0xFF);
    b[1] = static_cast<std::uint8_t>((n >> 8) & 0xFF);
    b[2] = static_cast<std::uint8_t>((n >> 16) & 0xFF);
    b[kRecordFlagsByte] =
        static_cast<std::uint8_t>(((n >> 24) & 0x0F) << 4 | (record.zoneCode & kRecordZoneMask) |
                                  (record.b1 ? kRecordB1Bit : 0));
    b[kRecordApartmentByte] = static_cast<std::uint8_t>(record.apartment);
}

void PutFreeRecordOnPage(PageImage page, int r) {
    const auto b = page.subspan(RecordStart(r), kRecordSize);
    std::fill(b.begin(), b.end(), 0xFF);
}

void PutCountOnPage(PageImage page, int count) {
    page[kCountHigh] = static_cast<std::uint8_t>(count / 256);
    page[kCountLow] = static_cast<std::uint8_t>(count % 256);
}

PasswordBytes PasswordOnPage(PageView page) {
    return {page[kPasswordDigits12], page[kPasswordDigits34]};
}

void PutPasswordOnPage(PageImage page, PasswordBytes password) {
    page[kPasswordDigits12] = password.digits12;
    page[kPasswordDigits34] = password.digits34;
}

bool IsDecimalPassword(PasswordBytes password) {
    const auto digits = [](std::uint8_t pair) { return (pair >> 4) <= 9 && (pair & 0x0F) <= 9; };
    return digits(password.digits12) && digits(password.digits34);
}

void PutEmptyPageZero(PageImage page, PasswordBytes password) {
    for (int r = 1; r <= kRecordsPerPage; ++r)
        PutFreeRecordOnPage(page, r);
    PutCountOnPage(page, 0);
    PutPasswordOnPage(page, password);
}

void PutZadaSettingsOnPage(PageImage page, const ZadaSettings& zada) {
    page[kZadaLockTime] = static_cast<std::uint8_t>(zada.lockTime);
    page[kZadaLockType] = static_cast<std::uint8_t>(zada.lockType);
    page[kZadaSounds] = zada.soundsOn ? 0 : 1;
}

ZadaSettings SettleZadaSettingsOnPage(PageImage page) {
    const ZadaSettings factory;
    if (page[kZadaLockTime] > kZadaLongestLockTime)
        page[kZadaLockTime] = static_cast<std::uint8_t>(factory.lockTime);
    if (page[kZadaLockType] > kZadaLastLockType)
        page[kZadaLockType] = static_cast<std::uint8_t>(factory.lockType);
    return {page[kZadaLockTime], page[kZadaLockType], page[kZadaSounds] == 0};
}

} // namespace korv::link
