#include "commands/page_exchange.h"

#include "core/card_register.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"

#include <string>

namespace korv {

bool ReadModulePage(ModuleContext& ctx, int pageno) {
    // Without a model (a page 0 read outside a session) every page reads as on a full module.
    const link::ModuleModel& model =
        ctx.state.connection.model ? *ctx.state.connection.model : link::kFullModule;
    return TriedLikeAPage(
        [&] { return ctx.port.ReadPage(pageno, model, ctx.state.zada) == link::PortResult::Ok; });
}

bool WriteModulePage(ModuleContext& ctx, int pageno) {
    // The request buffer keeps the page's data between tries; only the frame around it is
    // rebuilt.
    return TriedLikeAPage([&] { return ctx.port.WritePage(pageno) == link::PortResult::Ok; });
}

int ReadModuleCount(ModuleContext& ctx) {
    int count = -1;
    TriedLikeAPage([&] { return ctx.port.LiczbaKart(count) == link::PortResult::Ok; });
    return count;
}

bool SayIfCountTooLarge(ModuleContext& ctx, int count) {
    if (count <= MaxCards)
        return false;
    ctx.ui.ShowMessage(
        OwnText(OwnTextName::ModuleCountTooLarge, LanguageIndex(), {std::to_string(count)}));
    return true;
}

} // namespace korv
