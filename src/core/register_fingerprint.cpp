#include "core/register_fingerprint.h"

#include <string_view>

namespace korv {

namespace {

// FNV-1a: stable within a run, which is all a comparison with the last save needs.
class Fnv {
public:
    void Add(std::string_view text) {
        for (unsigned char c : text)
            Byte(c);
        Byte(0xFF); // a separator no UTF-8 text holds, so "ab"+"c" differs from "a"+"bc"
    }
    void Add(int n) { Add(std::string_view(reinterpret_cast<const char*>(&n), sizeof n)); }
    std::uint64_t Value() const { return h_; }

private:
    void Byte(unsigned char c) {
        h_ ^= c;
        h_ *= 1099511628211ULL;
    }
    std::uint64_t h_ = 1469598103934665603ULL;
};

} // namespace

RegisterFingerprint FingerprintOf(const TTablica& tablica) {
    Fnv cards, dial;
    for (int z = 1; z <= ZoneCount; ++z)
        for (int a = 0; a < ApartmentCount; ++a) {
            const TListaZNumerem& cell = tablica.Cell(z, a);
            for (const TKarta& k : cell.lista) {
                cards.Add(z);
                cards.Add(a);
                cards.Add(k.numer);
                cards.Add(k.B1 ? 1 : 0);
                cards.Add(k.opis);
            }
            if (!cell.wybierany.empty()) {
                dial.Add(z);
                dial.Add(a);
                dial.Add(cell.wybierany);
            }
        }
    return {cards.Value(), dial.Value()};
}

} // namespace korv
