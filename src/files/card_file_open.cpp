#include "files/card_file_open.h"

#include "files/card_file_v2.h"
#include "files/card_file_v9.h"

#include <utility>

namespace korv {

OpenResult LoadAnyCardFile(std::uint64_t size, std::string_view bytes, TTablica& tablica,
                           int oldFileZone) {
    OpenResult r;
    r.kind = RecogniseCardFile(size, bytes);
    if (r.kind == CardFileKind::Version9) {
        CardLoadResult l = LoadCardFile(bytes, tablica);
        r.loaded = l.loaded;
        r.cards = l.cards;
        r.leftOut = std::move(l.leftOut);
    } else if (r.kind == CardFileKind::Version2) {
        OldLoadResult l = LoadOldCardFile(bytes, tablica, oldFileZone);
        r.wrongOldSize = l.wrongSize;
        r.loaded = !l.wrongSize;
        r.cards = l.cards;
        r.leftOut = std::move(l.leftOut);
    }
    return r;
}

} // namespace korv
