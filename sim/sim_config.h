// The simulator's configuration file: an INI file whose [module] section says what sits on
// the cable and whose [faults] section says what goes wrong.
//
// [module]
//   kind=F | M | RUF | J | j | I | i | silent | none     (none: no cable, open fails)
//   password=5172        four digits for a new memory image, or "erased" for FF FF there
//   image_cards=Z/A/N,...   cards a new memory image holds: zone 1-4, apartment 0-255, number
//                        below 2^28; packed in register order with their count
//   memory=PATH          32768-byte image, loaded at open, made when missing, saved on change
//   cards=1,2,3          the reader's answers to card requests, in order
//   empty_card=silent | short   what an empty card queue answers ('G' 00 48 for short)
//   card_delay=MS        the card is held to the reader this long after the request
//   timing=off | on      on: 9600-baud wire model on the real clock
//   delay=MS             the module's processing time per request (wire model only)
//   reset_delay=MS       the memory reset's own time (wire model only)
//   trace=PATH           one line per frame
//   ruf_extra=TEXT       a RUF device's further identify bytes (up to 8)
//   ruf_legacy=C         a RUF device's legacy identify answer, or "none"
//   version=3.1          the library version FT_GetLibraryVersion reports
// [faults]
//   REQUEST[.PAGE]=FAULT [MS|BYTES] [xN]
//   REQUEST: identify legacy read write count reset card; PAGE for read and write only
//   FAULT: silent | short | badcheck | status | slow
#pragma once

#include "sim/module_sim.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv::sim {

// The password setting of a module whose page 0 holds no password (FF FF).
inline constexpr char kErasedPassword[] = "erased";

// A card as a new memory image holds it.
struct StoredCard {
    int zone = 1;
    int apartment = 0;
    std::uint32_t number = 0;
};

struct SimConfig {
    ModuleSetup module;
    std::vector<StoredCard> imageCards;
    bool cablePresent = true;
    std::string password = "5172";
    std::string memoryPath;
    std::vector<std::uint32_t> cards;
    bool timing = false;
    std::string tracePath;
    std::vector<Fault> faults;
    std::uint32_t libraryVersion = 0x00030200; // 3.2.0
};

// Empty with the reason in error when a value cannot be understood.
std::optional<SimConfig> ParseSimConfig(std::string_view text, std::string& error);

// A fresh image: the cards as 5-byte records packed from page 0 in register order (zone,
// apartment, given order), all other bytes FF, the card count, and the four-digit password as
// two packed-BCD bytes. A ZADA module leaves the factory with its extra settings on page 1:
// ELOCK time 4 s, electric lock, sounds on.
Memory NewMemoryImage(const std::string& password, std::vector<StoredCard> cards = {},
                      bool zada = false);
// The fresh image the configuration describes.
Memory NewMemoryImage(const SimConfig& config);
// Loads the image, or saves fresh as the image when the file is missing. False with the
// reason in error when the file is not a 32768-byte image or cannot be read or written.
bool LoadMemoryImage(const std::string& path, const Memory& fresh, Memory& memory,
                     std::string& error);
bool SaveMemoryImage(const std::string& path, const Memory& memory);

} // namespace korv::sim
