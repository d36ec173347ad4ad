// The one-zone reader and merge on arbitrary bytes: never a crash, no numbers to dial, only
// plain positive numbers, and a refused or failed file leaves the register alone.
#include "files/card_file_v2.h"
#include "register_checks.h"

#include <cstdint>
#include <memory>
#include <string_view>

using namespace korv;
using korv::fuzz::Require;

namespace {
void CheckOldCards(const TTablica& t, int zone) {
    t.ForEachCard([&](int z, int a, int, const TKarta& k) {
        Require(z == zone, "card outside the chosen zone");
        Require(!k.B1 && k.opis.empty(), "old card with flag or description");
        Require(!k.numer.empty() && k.numer[0] != '0' &&
                    k.numer.find_first_not_of("0123456789") == std::string::npos &&
                    k.numer.size() <= 10,
                "old card number not plain positive decimal");
        Require(t.ApartmentCardCount(z, a) <= 6, "more than six cards from one line");
    });
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    auto before = std::make_unique<TTablica>();
    fuzz::Seed(*before);
    auto t = std::make_unique<TTablica>(*before);
    const OldLoadResult r = LoadOldCardFile(bytes, *t);
    fuzz::CheckCells(*t);
    if (r.wrongSize) {
        Require(fuzz::SameRegister(*t, *before), "refused file changed the register");
    } else {
        Require(r.cards == t->CardCount(), "reported card count");
        for (int z = 1; z <= ZoneCount; ++z)
            for (int a = 0; a < ApartmentCount; ++a)
                Require(t->Cell(z, a).wybierany.empty(), "number to dial from an old file");
        CheckOldCards(*t, 1);
    }

    const int zone = size > 0 ? 1 + data[0] % 4 : 3;
    auto merged = std::make_unique<TTablica>(*before);
    const MergeResult m = MergeOldCardFile(bytes, *merged, zone);
    fuzz::CheckCells(*merged);
    Require(merged->CardCount() == before->CardCount() + m.added, "merge count");
    if (m.Failed()) {
        Require(fuzz::SameRegister(*merged, *before), "failed merge changed the register");
    } else {
        for (int z = 1; z <= ZoneCount; ++z)
            for (int a = 0; a < ApartmentCount; ++a)
                if (z != zone)
                    Require(merged->Cell(z, a).lista == before->Cell(z, a).lista,
                            "merge added outside the chosen zone");
    }
    Require(merged->Cell(3, 3).wybierany == "33", "merge touched a number to dial");
    return 0;
}
