#include "transfer/page_exchange.h"

namespace korv {

bool ReadModulePage(ModuleContext& ctx, int pageno) {
    for (int attempt = 0; attempt < kPageTries; ++attempt)
        if (ctx.port.ReadPage(pageno, ctx.state.ModuleKind, ctx.state.zada))
            return true;
    return false;
}

bool WriteModulePage(ModuleContext& ctx, int pageno) {
    // The request buffer keeps the page's data between tries; only the frame around it is
    // rebuilt.
    for (int attempt = 0; attempt < kPageTries; ++attempt)
        if (ctx.port.WritePage(pageno))
            return true;
    return false;
}

int ReadModuleCount(ModuleContext& ctx) {
    int count = -1;
    for (int attempt = 0; attempt < kPageTries && count < 0; ++attempt)
        count = ctx.port.LiczbaKart();
    return count;
}

} // namespace korv
