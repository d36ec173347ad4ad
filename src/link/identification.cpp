#include "link/identification.h"

#include <algorithm>

namespace korv::link {

bool IsRufReply(const IdentifyReply& reply) {
    return reply.bytes[0] == kRufReply[0] && reply.bytes[1] == kRufReply[1] &&
           reply.bytes[2] == kRufReply[2];
}

bool NeedsLegacyIdentify(const IdentifyReply& reply) {
    return ModelOf(reply) == nullptr;
}

Identification Identify(const IdentifyReply& reply, std::string_view furtherBytes,
                        std::uint8_t legacy) {
    if (const ModuleModel* model = ModelOf(reply))
        return {model->zadaSettings ? IdentifyOutcome::CurrentZadaModule
                                    : IdentifyOutcome::CurrentModule,
                std::string(model->name), model};
    const bool zelV1 = legacy == kLegacyZelV1 || legacy == kLegacyZelV1Lower;
    if (IsRufReply(reply)) {
        // The name changes whatever the legacy reply says.
        std::string name =
            std::string(kRufReply) + std::string(furtherBytes.substr(0, kRufFurtherBytes));
        return {zelV1 ? IdentifyOutcome::OtherFamily : IdentifyOutcome::NothingIdentified,
                std::move(name)};
    }
    if (zelV1)
        return {IdentifyOutcome::LegacyModule, "ZEL v1"};
    if (legacy == kLegacyPelZel || legacy == kLegacyPelZelLower)
        return {IdentifyOutcome::LegacyModule, "PEL-ZEL"};
    return {IdentifyOutcome::NothingIdentified, std::nullopt};
}

ReplyShape ShapeOfCurrentModuleReply(const IdentifyReply& reply) {
    if (reply.received == 0)
        return ReplyShape::Silent;
    if (reply.received < reply.bytes.size())
        return ReplyShape::Short;
    const auto check = static_cast<std::uint8_t>(reply.bytes[0] + reply.bytes[1] + 1);
    return reply.bytes[2] == check ? ReplyShape::Whole : ReplyShape::BadCheck;
}

namespace {
void Run(const std::function<void()>& hook) {
    if (hook)
        hook();
}
} // namespace

DeviceAnswer AskDevice(TBEXFTDI& port, std::uint32_t waitMs, const IdentifyHooks& hooks) {
    DeviceAnswer a;
    a.reply = port.Identify(waitMs);
    if (NeedsLegacyIdentify(a.reply)) {
        Run(hooks.letEventsRun);
        if (IsRufReply(a.reply)) {
            DWORD more = 0;
            port.Read(kRufFurtherBytes, more);
            a.furtherAsked = true;
            a.furtherBytes.assign(port.buf_out.begin(),
                                  port.buf_out.begin() + std::min<DWORD>(more, kRufFurtherBytes));
            Run(hooks.letEventsRun);
        }
        Run(hooks.beforeLegacy);
        a.legacy = port.LegacyIdentify(waitMs);
        a.legacyAsked = true;
    }
    a.id = Identify(a.reply, a.furtherBytes, a.legacy);
    return a;
}

} // namespace korv::link
