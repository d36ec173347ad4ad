#include "link/memory_image.h"

#include "core/module_card_number.h"
#include "link/page_layout.h"

#include <algorithm>

namespace korv {

using namespace link;

namespace {

constexpr int kLastCell = ZoneCount * ApartmentCount + ApartmentCount - 1; // zone 4, apt 255

int RaiseForZada(int last, const ModuleModel& model) {
    return (model.zadaSettings && last == 0) ? 1 : last;
}

void PutRecord(std::uint8_t* record, std::uint32_t number, int zone, int apartment, bool b1) {
    record[0] = static_cast<std::uint8_t>(number & 0xFF);
    record[1] = static_cast<std::uint8_t>((number >> 8) & 0xFF);
    record[2] = static_cast<std::uint8_t>((number >> 16) & 0xFF);
    record[kRecordFlagsByte] =
        static_cast<std::uint8_t>(((number >> 24) & 0x0F) << 4 | zone | (b1 ? kRecordB1Bit : 0));
    record[kRecordApartmentByte] = static_cast<std::uint8_t>(apartment);
}

} // namespace

int LastPageToRead(int moduleCount, const ModuleModel& model) {
    // C's truncation toward zero is the rule: counts -1..12 all give page 0.
    return std::min(RaiseForZada((moduleCount - 1) / kRecordsPerPage, model), kLastModulePage);
}

int CardRecordsOnPage(int moduleCount, int pageno) {
    return std::clamp(moduleCount - kRecordsPerPage * pageno, 0, kRecordsPerPage);
}

int CardsThroughPage(int moduleCount, int pageno) {
    return std::clamp(moduleCount, 0, kRecordsPerPage * (pageno + 1));
}

int LastPageToWrite(int cardCount, const ModuleModel& model) {
    if (cardCount <= 0)
        return -1;
    return RaiseForZada((cardCount - 1) / kRecordsPerPage, model);
}

std::optional<TDKarta> CardOfRecord(const PortBuffer& buf_out, int r, int* zoneCode) {
    if (r < 1 || r > kRecordsPerPage)
        return std::nullopt;
    const std::uint8_t* b = buf_out.data() + (r - 1) * kRecordSize;
    const std::uint32_t number = b[0] | (b[1] << 8) | (b[2] << 16) |
                                 (static_cast<std::uint32_t>(b[kRecordFlagsByte] >> 4) << 24);
    const int zone = b[kRecordFlagsByte] & kRecordZoneMask;
    if (zoneCode)
        *zoneCode = zone;
    if (!ValidZone(zone))
        return std::nullopt;
    return TDKarta{static_cast<std::uint8_t>(zone), b[kRecordApartmentByte],
                   TKarta{std::to_string(number), (b[kRecordFlagsByte] & kRecordB1Bit) != 0, ""}};
}

bool DecodeCardRecord(const PortBuffer& buf_out, int r, TTablica& tablica) {
    const auto card = CardOfRecord(buf_out, r);
    if (card)
        tablica.AddCard(card->i, card->j, card->karta);
    return card.has_value();
}

bool NextCardToWrite(const TTablica& tablica, int& zone, int& apartment, int& index) {
    if (zone > ZoneCount)
        return false;
    if (zone < 1) {
        zone = 1;
        apartment = 0;
        index = -1;
    }
    if (apartment >= ApartmentCount) {
        if (zone == ZoneCount)
            return false;
        ++zone;
        apartment = 0;
        index = -1;
    }
    if (apartment < 0)
        apartment = 0;
    for (int p = zone * ApartmentCount + apartment; p <= kLastCell; ++p) {
        zone = p / ApartmentCount;
        apartment = p % ApartmentCount;
        const int n = tablica.ApartmentCardCount(zone, apartment);
        if (index >= 0) {
            if (index < n - 1) {
                ++index;
                return true;
            }
            index = -1;
        } else if (n > 0) {
            index = 0;
            return true;
        }
    }
    // Past the last cell the walk stays ended; left at zone 4, apartment 255 with index -1 it
    // would hand out that cell's first card again on the next call, and a page's free slots
    // would fill with copies of it.
    zone = ZoneCount + 1;
    return false;
}

std::optional<TDKarta> FirstCardModuleCannotHold(const TTablica& tablica) {
    std::optional<TDKarta> first;
    tablica.ForEachCard([&](int zone, int apartment, int, const TKarta& karta) {
        if (!first && !ModuleCardNumber(karta.numer))
            first = TDKarta{static_cast<std::uint8_t>(zone), static_cast<std::uint8_t>(apartment),
                            karta};
    });
    return first;
}

std::optional<ModuleRefusal> WhyModuleCannotTake(const TTablica& tablica) {
    const int cards = tablica.CardCount();
    if (cards > MaxCards)
        return ModuleRefusal{cards, std::nullopt};
    if (auto card = FirstCardModuleCannotHold(tablica))
        return ModuleRefusal{cards, std::move(card)};
    return std::nullopt;
}

bool AssemblePage(TBEXFTDI& port, int pageno, WriteCursor& cursor, const TTablica& tablica,
                  const PageContext& context) {
    port.ClearBufIn();
    std::uint8_t* data = port.buf_in.data() + kWriteDataOffset;
    for (int k = 0; k < kRecordsPerPage; ++k) {
        std::uint8_t* record = data + k * kRecordSize;
        if (!NextCardToWrite(tablica, cursor.zone, cursor.apartment, cursor.index)) {
            std::fill(record, record + kRecordSize, 0xFF);
            continue;
        }
        const TKarta& karta = tablica.Cell(cursor.zone, cursor.apartment).lista[cursor.index];
        const auto number = ModuleCardNumber(karta.numer);
        if (!number)
            return false;
        PutRecord(record, *number, cursor.zone, cursor.apartment, karta.B1);
    }
    std::uint8_t* trailer = data + kTrailer;
    if (pageno == 0) {
        const int count = tablica.CardCount();
        trailer[kCountHigh - kTrailer] = static_cast<std::uint8_t>(count / 256);
        trailer[kCountLow - kTrailer] = static_cast<std::uint8_t>(count % 256);
        const PasswordBytes packed = PackPassword(context.password);
        trailer[kPasswordDigits12 - kTrailer] = packed.digits12;
        trailer[kPasswordDigits34 - kTrailer] = packed.digits34;
    } else if (pageno == 1 && context.model.zadaSettings) {
        trailer[kZadaLockTime - kTrailer] = static_cast<std::uint8_t>(context.zada.lockTime);
        trailer[kZadaLockType - kTrailer] = static_cast<std::uint8_t>(context.zada.lockType);
        trailer[kZadaSounds - kTrailer] = context.zada.soundsOn ? 0 : 1;
        trailer[kZadaTrailerEnd - kTrailer] = 0xFF;
    } else {
        std::fill(trailer, trailer + 4, 0xFF);
    }
    return true;
}

} // namespace korv
