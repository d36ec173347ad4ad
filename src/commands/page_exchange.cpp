#include "commands/page_exchange.h"

namespace korv {

bool ReadModulePage(ModuleContext& ctx, int pageno) {
    return TriedLikeAPage(
        [&] { return ctx.port.ReadPage(pageno, ctx.state.ModuleKind, ctx.state.zada); });
}

bool WriteModulePage(ModuleContext& ctx, int pageno) {
    // The request buffer keeps the page's data between tries; only the frame around it is
    // rebuilt.
    return TriedLikeAPage([&] { return ctx.port.WritePage(pageno); });
}

int ReadModuleCount(ModuleContext& ctx) {
    int count = -1;
    TriedLikeAPage([&] { return (count = ctx.port.LiczbaKart()) >= 0; });
    return count;
}

} // namespace korv
