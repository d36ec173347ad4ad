// The module's memory as the register sees it: 512 pages of twelve packed 5-byte card records
// in register order, with the card count and password on page 0 and a ZADA module's extra
// settings on page 1. Conversions both ways and the rule of how many pages a transfer touches.
#pragma once

#include "core/card_register.h"
#include "link/frame_checks.h"
#include "link/ftdi.h"
#include "link/page_image.h"
#include "link/zada_settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korv {

// The module's last page.
inline constexpr int kLastModulePage = link::kPageCount - 1;

// Highest page a read or verify touches for the count the module reports (-1 when the count
// request failed), never past kLastModulePage. A ZADA module always has page 1 read, for its
// extra settings.
int LastPageToRead(int moduleCount, const link::ModuleModel& model);
// The pages 0..LastPageToRead together: what a read's progress and a backup's time count.
int PagesToRead(int moduleCount, const link::ModuleModel& model);

// How the count the module reports lays its cards over the pages: the card at position c
// (from 0) of the packed list is record c mod 12 + 1 of page c div 12. Records
// 1..CardRecordsOnPage(count, n) of page n hold cards, none of a page past the count.
int CardRecordsOnPage(int moduleCount, int pageno);
// The cards on pages 0..pageno together.
int CardsThroughPage(int moduleCount, int pageno);
// Highest page a write touches for the register's card count; -1 for no page at all.
int LastPageToWrite(int cardCount, const link::ModuleModel& model);
// The pages 0..LastPageToWrite together; 0 for none.
int PagesToWrite(int cardCount, const link::ModuleModel& model);

// A record as a card of its zone and apartment; nothing for a record of another zone code (a
// free slot among them).
std::optional<TDKarta> CardOfRecord(const link::CardRecord& record);
// The same for record r (1..12) of the page reply in buf_out; nothing for another r.
std::optional<TDKarta> CardOfRecord(const link::PortBuffer& buf_out, int r);

// Decodes record r (1..12) of the page reply in buf_out and appends its card to its cell.
// Records of another zone code (free slots among them) and other r are dropped. True when a
// card was appended.
bool DecodeCardRecord(const link::PortBuffer& buf_out, int r, TTablica& tablica);

// Walks the register's cards in register order, the state carried between calls and pages.
// Start from zone 1, apartment 0, index -1; true when the state names the next card.
bool NextCardToWrite(const TTablica& tablica, int& zone, int& apartment, int& index);

// Where the next page's records come from; set once before page 0.
struct WriteCursor {
    int zone = 1;
    int apartment = 0;
    int index = -1;
};

// The first card, in register order, whose number a module record cannot hold.
std::optional<TDKarta> FirstCardModuleCannotHold(const TTablica& tablica);

// Why a register cannot go into a module, decided before anything is sent: more cards than a
// module holds (MaxCards), else the first card whose number no record holds.
struct ModuleRefusal {
    int cards = 0;               // the register's card count
    std::optional<TDKarta> card; // set when the count fits but this card's number does not
    bool TooManyCards() const { return !card; }
};
std::optional<ModuleRefusal> WhyModuleCannotTake(const TTablica& tablica);

// What page assembly needs besides the register.
struct PageContext {
    const link::ModuleModel& model;
    std::string_view password; // the installer password box, four digits
    link::ZadaSettings zada;   // the ZADA controls, used on page 1 of a ZADA module
};

// Clears the port's request buffer (the clearing waits 5 ms), then fills request bytes 2..65
// with page pageno's data: twelve records from the cursor (0xFF for free slots) and the page's
// trailer. False when a card's number does not fit a record; callers refuse such registers
// with FirstCardModuleCannotHold before anything is sent.
bool AssemblePage(link::TBEXFTDI& port, int pageno, WriteCursor& cursor, const TTablica& tablica,
                  const PageContext& context);

} // namespace korv
