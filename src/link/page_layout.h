// Where things sit in a 64-byte page of the module's memory. Data byte k of a page is reply
// byte k of a page read and request byte k + 2 of a page write. The simulator keeps its own
// copy of these numbers on purpose, so a misreading here cannot hide there.
#pragma once

namespace korv::link {

inline constexpr int kRecordsPerPage = 12;
// Page 0 carries the card count and the installer password; a ZADA module keeps its extra
// settings on page 1, which is read even when it holds no cards.
inline constexpr int kZadaSettingsPage = 1;
inline constexpr int kRecordSize = 5;
// Data bytes 0..59 hold the twelve card records, 60..63 the page's trailer.
inline constexpr int kTrailer = 60;

// Card record bytes.
inline constexpr int kRecordFlagsByte = 3; // number bits 27..24 (high nibble), B1 (bit 3), zone
inline constexpr int kRecordApartmentByte = 4;
inline constexpr int kRecordB1Bit = 0x08;
inline constexpr int kRecordZoneMask = 0x07;

// Page 0's trailer: the card count (big-endian) and the installer password (packed BCD).
inline constexpr int kCountHigh = 60;
inline constexpr int kCountLow = 61;
inline constexpr int kPasswordDigits12 = 62;
inline constexpr int kPasswordDigits34 = 63;

// Page 1's trailer on a ZADA module: its extra settings.
inline constexpr int kZadaLockTime = 60;   // seconds, 0..25
inline constexpr int kZadaLockType = 61;   // 0 electric lock, 1 relay, 2 reverse
inline constexpr int kZadaSounds = 62;     // 0 on, 1 off
inline constexpr int kZadaTrailerEnd = 63; // always 0xFF
inline constexpr int kZadaLongestLockTime = 25;
inline constexpr int kZadaLastLockType = 2;

// A write request carries the page's data after the command letter and the page number.
inline constexpr int kWriteDataOffset = 2;

} // namespace korv::link
