// A page's 64 data bytes as the port's buffers hold them, and what its records and trailers
// mean: the twelve card records of every page, the count and the installer password of page 0,
// and a ZADA module's settings on page 1. Everything that reads or writes those bytes goes
// through here, so the offsets in page_layout.h have one reader.
#pragma once

#include "link/frame_checks.h"
#include "link/ftdi.h"
#include "link/zada_settings.h"

#include <cstdint>
#include <span>

namespace korv::link {

using PageView = std::span<const std::uint8_t, kPageSize>;
using PageImage = std::span<std::uint8_t, kPageSize>;

// A page read's data: the reply from its first byte.
PageView ReplyPage(const PortBuffer& buf_out);
PageImage ReplyPage(PortBuffer& buf_out);
// A page write's data: the request after the command letter and the page number.
PageImage RequestPage(PortBuffer& buf_in);

// One 5-byte card record: 28 bits of the number, the zone code (1..4 for a card; a free slot
// holds another), B1 and the apartment.
struct CardRecord {
    std::uint32_t number = 0; // bits above the 28th are not kept
    int zoneCode = 0;         // 0..7
    bool b1 = false;
    int apartment = 0; // 0..255
    friend bool operator==(const CardRecord&, const CardRecord&) = default;
};
// Record r (1..12) of the page; r outside that range is a caller bug.
CardRecord RecordOnPage(PageView page, int r);
void PutRecordOnPage(PageImage page, int r, const CardRecord& record);
// Record r as a free slot (all bytes 0xFF), as the module keeps slots past its count.
void PutFreeRecordOnPage(PageImage page, int r);

// Page 0's trailer.
void PutCountOnPage(PageImage page, int count);
PasswordBytes PasswordOnPage(PageView page);
void PutPasswordOnPage(PageImage page, PasswordBytes password);
// Whether stored password bytes are four decimal digits, a password someone set. An erased or
// new module holds other bytes (0xFF); no typed password matches them, so they are named apart.
bool IsDecimalPassword(PasswordBytes password);
// Page 0 of a module without cards: twelve free records and the count 0 around the password.
void PutEmptyPageZero(PageImage page, PasswordBytes password);

// Page 1's trailer on a ZADA module: bytes 60..62. Byte 63 is left as it stands; a write of
// the register sets it to 0xFF, a memory reset leaves page 0's password byte in it.
void PutZadaSettingsOnPage(PageImage page, const ZadaSettings& zada);
// The settings a ZADA page 1 holds. A lock time or type out of range falls back to the
// factory's (4 s, electric lock), on the page as well as in what is returned.
ZadaSettings SettleZadaSettingsOnPage(PageImage page);

} // namespace korv::link
