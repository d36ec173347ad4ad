#include "link/memory_image.h"

#include "core/module_card_number.h"
#include "link/page_image.h"
#include "link/page_layout.h"

#include <algorithm>

namespace korv {

using namespace link;

namespace {

constexpr int kLastCell = ZoneCount * ApartmentCount + ApartmentCount - 1; // zone 4, apt 255

int RaiseForZada(int last, const ModuleModel& model) {
    return (model.zadaSettings && last == 0) ? 1 : last;
}

} // namespace

int LastPageToRead(int moduleCount, const ModuleModel& model) {
    // C's truncation toward zero is the rule: counts -1..12 all give page 0.
    return std::min(RaiseForZada((moduleCount - 1) / kRecordsPerPage, model), kLastModulePage);
}

int PagesToRead(int moduleCount, const ModuleModel& model) {
    return LastPageToRead(moduleCount, model) + 1;
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

int PagesToWrite(int cardCount, const ModuleModel& model) {
    return LastPageToWrite(cardCount, model) + 1;
}

std::optional<TDKarta> CardOfRecord(const CardRecord& record) {
    if (!ValidZone(record.zoneCode))
        return std::nullopt;
    return TDKarta{static_cast<std::uint8_t>(record.zoneCode),
                   static_cast<std::uint8_t>(record.apartment),
                   TKarta{std::to_string(record.number), record.b1, ""}};
}

std::optional<TDKarta> CardOfRecord(const PortBuffer& buf_out, int r) {
    if (r < 1 || r > kRecordsPerPage)
        return std::nullopt;
    return CardOfRecord(RecordOnPage(ReplyPage(buf_out), r));
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
    if (ExceedsModule(tablica))
        return ModuleRefusal{cards, std::nullopt};
    if (auto card = FirstCardModuleCannotHold(tablica))
        return ModuleRefusal{cards, std::move(card)};
    return std::nullopt;
}

bool AssemblePage(TBEXFTDI& port, int pageno, WriteCursor& cursor, const TTablica& tablica,
                  const PageContext& context) {
    port.ClearBufIn();
    const PageImage page = RequestPage(port.buf_in);
    for (int r = 1; r <= kRecordsPerPage; ++r) {
        if (!NextCardToWrite(tablica, cursor.zone, cursor.apartment, cursor.index)) {
            PutFreeRecordOnPage(page, r);
            continue;
        }
        const TKarta& karta = tablica.Cell(cursor.zone, cursor.apartment).lista[cursor.index];
        const auto number = ModuleCardNumber(karta.numer);
        if (!number)
            return false;
        PutRecordOnPage(page, r, {*number, cursor.zone, karta.B1, cursor.apartment});
    }
    if (pageno == 0) {
        PutCountOnPage(page, tablica.CardCount());
        PutPasswordOnPage(page, PackPassword(context.password));
    } else if (pageno == kZadaSettingsPage && context.model.zadaSettings) {
        PutZadaSettingsOnPage(page, context.zada);
        page[kZadaTrailerEnd] = 0xFF;
    } else {
        std::fill(page.begin() + kTrailer, page.end(), 0xFF);
    }
    return true;
}

} // namespace korv
