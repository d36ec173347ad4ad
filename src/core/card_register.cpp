#include "core/card_register.h"

#include "core/digits.h"

namespace korv {

void TTablica::ClearCards() {
    for (auto& c : cells_) {
        // swap releases the storage, as a fresh list would have none
        std::vector<TKarta>().swap(c.lista);
    }
}

void TTablica::ClearDialNumbers() {
    for (auto& c : cells_)
        c.wybierany.clear();
}

int TTablica::CardCount() const {
    int n = 0;
    for (const auto& c : cells_)
        n += static_cast<int>(c.lista.size());
    return n;
}

int TTablica::ApartmentCardCount(int zone, int apartment) const {
    return static_cast<int>(Cell(zone, apartment).lista.size());
}

std::string_view CardNumberKey(std::string_view numer) {
    if (!AllDigits(numer))
        return numer;
    const size_t first = numer.find_first_not_of('0');
    // All zeros: the value 0, whatever the count.
    return first == std::string_view::npos ? numer.substr(numer.size() - 1) : numer.substr(first);
}

bool TTablica::FindCard(const std::string& numer, int& zone, int& apartment) const {
    return FindOtherCard(numer, CardPosition{0, 0}, -1, zone, apartment);
}

bool TTablica::FindOtherCard(const std::string& numer, CardPosition skip, int skipIndex, int& zone,
                             int& apartment) const {
    const std::string_view key = CardNumberKey(numer);
    for (int z = 1; z <= ZoneCount; ++z)
        for (int a = 0; a < ApartmentCount; ++a) {
            const auto& lista = Cell(z, a).lista;
            for (int k = 0; k < static_cast<int>(lista.size()); ++k) {
                if (z == skip.zone && a == skip.apartment && k == skipIndex)
                    continue;
                if (CardNumberKey(lista[k].numer) == key) {
                    zone = z;
                    apartment = a;
                    return true;
                }
            }
        }
    return false;
}

void TTablica::AddCard(int zone, int apartment, const TKarta& karta) {
    Cell(zone, apartment).lista.push_back(karta);
}

void TTablica::DeleteCard(int zone, int apartment, int index) {
    auto& l = Cell(zone, apartment).lista;
    l.erase(l.begin() + index);
}

void TTablica::ReplaceCard(int zone, int apartment, int index, const TKarta& karta) {
    Cell(zone, apartment).lista[index] = karta;
}

void TTablica::EmptyApartments(int zone, int first, int last) {
    for (int a = first; a <= last; ++a)
        std::vector<TKarta>().swap(Cell(zone, a).lista);
}

} // namespace korv
