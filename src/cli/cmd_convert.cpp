// korv-cli convert IN OUT [--zone N]: any card file in, the current format out, byte for byte
// what the window's Save writes. Card lines the reader cannot place are named on stderr, and
// the exit code says OUT lacks them.
#include "cli/cmd_files.h"

#include <memory>
#include <ostream>

namespace korv::cli {

int RunConvert(const Args& args, std::ostream&, std::ostream& err) {
    const auto a = ParseFileArgs(args, 2);
    if (!a) {
        err << "usage: korv-cli convert IN OUT [--zone N]   (N: zone 1..4 for an older "
               "one-zone file, default 1)\n";
        return kExitUsage;
    }
    auto tablica = std::make_unique<TTablica>();
    std::size_t leftOut = 0;
    if (const int rc = LoadForCommand(a->paths[0], a->zone, *tablica, err, &leftOut);
        rc != kExitDone)
        return rc;
    if (const int rc = WriteForCommand(*tablica, a->paths[1], err); rc != kExitDone)
        return rc;
    return leftOut ? kExitLinesLeftOut : kExitDone;
}

} // namespace korv::cli
