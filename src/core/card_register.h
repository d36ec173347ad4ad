// The PC-side card register: 4 zones x 256 apartments, each a list of cards and a number to
// dial. Every walk goes in register order (zone 1..4, apartment 0..255, list order) so that
// "the first of several equal numbers" means the same thing everywhere.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

// The register keeps the Polish names of the first version, which card files and the module's
// page layout were designed around: karta = card, numer = number, opis = description.
struct TKarta {
    std::string numer; // the card's number as text, kept as typed or read from a file
    bool B1 = false;   // a flag the module stores in the record; no window shows or edits it
    std::string opis;  // the installer's description

    bool operator==(const TKarta&) const = default;
};

// "List with number": one apartment's cards and its wybierany (number to dial).
struct TListaZNumerem {
    std::vector<TKarta> lista;
    std::string wybierany;
};

// A card with its place in the register (i = zone, j = apartment), as the card dialogs pass it.
struct TDKarta {
    std::uint8_t i = 1; // zone 1..4
    std::uint8_t j = 0; // apartment 0..255
    TKarta karta;
};

inline constexpr int MaxCards = 6144;
inline constexpr int ZoneCount = 4;
inline constexpr int ApartmentCount = 256;
inline constexpr int CellCount = ZoneCount * ApartmentCount;

inline constexpr bool ValidZone(int zone) {
    return zone >= 1 && zone <= ZoneCount;
}
inline constexpr bool ValidApartment(int a) {
    return a >= 0 && a < ApartmentCount;
}
inline constexpr int CellIndex(int zone, int apartment) {
    return (zone - 1) * ApartmentCount + apartment;
}

struct CardPosition {
    int zone = 0;
    int apartment = 0;
};

// What makes two card numbers the same card. A module keeps the number's value and gives it
// back without leading zeros, so "0123" and "123" open the same door: a number of decimal
// digits is compared without its leading zeros ("0" and "000" both as "0"). Any other text (a
// card file may bring one) is compared as it stands.
std::string_view CardNumberKey(std::string_view numer);

// tablica = table: the whole register, one TListaZNumerem per zone and apartment.
class TTablica {
public:
    // Callers pass zones 1..4 and apartments 0..255; out-of-range positions are a caller bug.
    TListaZNumerem& Cell(int zone, int apartment) { return cells_[CellIndex(zone, apartment)]; }
    const TListaZNumerem& Cell(int zone, int apartment) const {
        return cells_[CellIndex(zone, apartment)];
    }

    void ClearCards();
    void ClearDialNumbers();
    int CardCount() const;
    int ApartmentCardCount(int zone, int apartment) const;

    // The first card in register order with the same number (CardNumberKey): "0123" finds
    // "123". zone and apartment are set only when one is found.
    bool FindCard(const std::string& numer, int& zone, int& apartment) const;
    // As FindCard, passing over the card at skipIndex of the cell skip: whether a card
    // other than the one being changed holds the number.
    bool FindOtherCard(const std::string& numer, CardPosition skip, int skipIndex, int& zone,
                       int& apartment) const;

    void AddCard(int zone, int apartment, const TKarta& karta);
    void DeleteCard(int zone, int apartment, int index);
    void ReplaceCard(int zone, int apartment, int index, const TKarta& karta);
    // Empties apartments first..last of one zone; nothing when last < first.
    void EmptyApartments(int zone, int first, int last);

    // Visits every card in register order: f(zone, apartment, index, card).
    template <typename F> void ForEachCard(F&& f) const {
        for (int z = 1; z <= ZoneCount; ++z)
            for (int a = 0; a < ApartmentCount; ++a) {
                const auto& l = Cell(z, a).lista;
                for (int k = 0; k < static_cast<int>(l.size()); ++k)
                    f(z, a, k, l[k]);
            }
    }

private:
    std::array<TListaZNumerem, CellCount> cells_;
};

// More cards than a module holds (MaxCards): the write refuses such a register before anything
// is sent, and a card file's check names it.
inline bool ExceedsModule(const TTablica& tablica) {
    return tablica.CardCount() > MaxCards;
}

} // namespace korv
