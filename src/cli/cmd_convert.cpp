// korv-cli convert IN OUT [--zone N]: any card file in, the current format out, byte for byte
// what the window's Save writes.
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
    if (const int rc = LoadForCommand(a->paths[0], a->zone, *tablica, err); rc != kExitDone)
        return rc;
    return WriteForCommand(*tablica, a->paths[1], err);
}

} // namespace korv::cli
