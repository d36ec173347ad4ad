#include "core/card_register.h"

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

bool TTablica::FindCard(const std::string& numer, int& zone, int& apartment) const {
    for (int z = 1; z <= ZoneCount; ++z)
        for (int a = 0; a < ApartmentCount; ++a)
            for (const auto& k : Cell(z, a).lista)
                if (k.numer == numer) {
                    zone = z;
                    apartment = a;
                    return true;
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
