// korv-cli list FILE: the numbers to dial, then every card in register order, tab-separated
// UTF-8 for spreadsheets and scripts. Texts from the file are escaped, so a TAB or a line
// end inside a description cannot add a column or a row.
#include "cli/cmd_files.h"
#include "cli/text_escape.h"

#include <memory>
#include <ostream>

namespace korv::cli {

int RunList(const Args& args, std::ostream& out, std::ostream& err) {
    const auto a = ParseFileArgs(args, 1);
    if (!a) {
        err << "usage: korv-cli list FILE [--zone N]\n"
               "  prints zone<TAB>apartment<TAB>number to dial, then\n"
               "  zone<TAB>apartment<TAB>card number<TAB>B1 (0/1)<TAB>description\n"
               "  (TAB, CR, LF, \\ and control characters as \\t \\r \\n \\\\ \\xHH)\n";
        return kExitUsage;
    }
    auto tablica = std::make_unique<TTablica>();
    if (const int rc = LoadForCommand(a->paths[0], a->zone, *tablica, err); rc != kExitDone)
        return rc;
    for (int zone = 1; zone <= ZoneCount; ++zone)
        for (int apartment = 0; apartment < ApartmentCount; ++apartment)
            if (const std::string& w = tablica->Cell(zone, apartment).wybierany; !w.empty())
                out << zone << '\t' << apartment << '\t' << EscapeText(w) << '\n';
    tablica->ForEachCard([&](int zone, int apartment, int, const TKarta& k) {
        out << zone << '\t' << apartment << '\t' << EscapeText(k.numer) << '\t' << (k.B1 ? 1 : 0)
            << '\t' << EscapeText(k.opis) << '\n';
    });
    return kExitDone;
}

} // namespace korv::cli
