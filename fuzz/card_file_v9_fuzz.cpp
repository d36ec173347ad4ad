// The current-format reader and merge on arbitrary bytes: never a crash, the register either
// replaced or untouched, and what was loaded survives a save and a reload unchanged.
#include "files/card_file_kind.h"
#include "files/card_file_v9.h"
#include "files/card_merge.h"
#include "files/integer_text.h"
#include "register_checks.h"

#include <cstdint>
#include <memory>
#include <string_view>

using namespace korv;
using korv::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RecogniseCardFile(bytes);

    auto before = std::make_unique<TTablica>();
    fuzz::Seed(*before);
    auto t = std::make_unique<TTablica>(*before);
    const CardLoadResult r = LoadCardFile(bytes, *t);
    fuzz::CheckCells(*t);
    if (!r.loaded) {
        Require(fuzz::SameRegister(*t, *before), "refused file changed the register");
    } else {
        Require(r.cards == t->CardCount(), "reported card count");
        for (int z = 1; z <= ZoneCount; ++z)
            for (int a = 0; a < ApartmentCount; ++a) {
                const std::string& w = t->Cell(z, a).wybierany;
                Require(w.empty() || ParseInteger(w).has_value(), "number to dial not an integer");
            }
        const std::string saved = CardFileText(*t);
        Require(RecogniseCardFile(saved) != CardFileKind::Version2, "saved file looks old");
        auto back = std::make_unique<TTablica>();
        Require(LoadCardFile(saved, *back).loaded, "saved file not loadable");
        Require(fuzz::SameRegister(*t, *back), "save and reload changed the register");
        Require(CardFileText(*back) == saved, "second save differs");
    }

    auto merged = std::make_unique<TTablica>(*before);
    const MergeResult m = MergeCardFile(bytes, *merged);
    fuzz::CheckCells(*merged);
    Require(merged->CardCount() == before->CardCount() + m.added, "merge count");
    Require(m.Failed() ? m.added == 0 : m.added == m.pending, "merge added count");
    if (m.Failed())
        Require(fuzz::SameRegister(*merged, *before), "failed merge changed the register");
    Require(merged->CardCount() <= MaxCards, "merge went past the module's capacity");
    for (int z = 1; z <= ZoneCount; ++z)
        for (int a = 0; a < ApartmentCount; ++a)
            Require(merged->Cell(z, a).wybierany == before->Cell(z, a).wybierany,
                    "merge touched a number to dial");
    return 0;
}
