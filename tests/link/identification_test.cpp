#include "link/identification.h"

#include <gtest/gtest.h>

namespace korv::link {
namespace {

IdentifyReply Reply(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, DWORD received = 3) {
    IdentifyReply r;
    r.bytes = {b0, b1, b2};
    r.received = received;
    return r;
}

TEST(Identification, EveryRowOfTheTable) {
    struct Row {
        IdentifyReply reply;
        std::string further;
        std::uint8_t legacy;
        IdentifyOutcome outcome;
        std::optional<std::string> name;
    };
    const IdentifyReply silent = Reply(0, 0, 0, 0);
    const IdentifyReply ruf = Reply('R', 'U', 'F');
    const std::vector<Row> rows = {
        {Reply('F', 7, 'N'), "", 'J', IdentifyOutcome::CurrentModule, "ZEL v7"},
        {Reply('M', 7, 'U'), "", 0, IdentifyOutcome::CurrentZadaModule, "PEL-ZEL-ZADA"},
        {ruf, "ABC", 'j', IdentifyOutcome::OtherFamily, "RUFABC"},
        {ruf, "123456789", 'J', IdentifyOutcome::OtherFamily, "RUF12345678"},
        // A RUF device that then answers like an old module is not one, yet is named.
        {ruf, "X", 'I', IdentifyOutcome::NothingIdentified, "RUFX"},
        {ruf, "", 0, IdentifyOutcome::NothingIdentified, "RUF"},
        {silent, "", 'J', IdentifyOutcome::LegacyModule, "ZEL v1"},
        {silent, "", 'j', IdentifyOutcome::LegacyModule, "ZEL v1"},
        {silent, "", 'I', IdentifyOutcome::LegacyModule, "PEL-ZEL"},
        {Reply('R', 'U', 0, 2), "", 'i', IdentifyOutcome::LegacyModule, "PEL-ZEL"},
        {silent, "", 0, IdentifyOutcome::NothingIdentified, std::nullopt},
        {Reply('Q', 1, 2), "", 'K', IdentifyOutcome::NothingIdentified, std::nullopt},
    };
    for (const Row& row : rows) {
        const Identification id = Identify(row.reply, row.further, row.legacy);
        EXPECT_EQ(id.outcome, row.outcome) << ModuleKindOf(row.reply) << " / " << row.legacy;
        EXPECT_EQ(id.moduleName, row.name) << ModuleKindOf(row.reply) << " / " << row.legacy;
        const bool current = row.outcome == IdentifyOutcome::CurrentModule ||
                             row.outcome == IdentifyOutcome::CurrentZadaModule;
        EXPECT_EQ(id.model != nullptr, current) << ModuleKindOf(row.reply);
        EXPECT_EQ(id.model, ModelOf(row.reply)) << ModuleKindOf(row.reply);
    }
    // The letter alone picks the model, whatever else the reply holds.
    EXPECT_EQ(ModelOf(Reply('F', 0, 0, 1)), &kFullModule);
    EXPECT_EQ(ModelOf(Reply('M', 0xFF, 0)), &kZadaModule);
    EXPECT_EQ(ModelOf(Reply('f', 7, 'm')), nullptr);
    EXPECT_FALSE(NeedsLegacyIdentify(Reply('F', 0, 0, 1)));
    EXPECT_FALSE(NeedsLegacyIdentify(Reply('M', 7, 0)));
    EXPECT_TRUE(NeedsLegacyIdentify(ruf));
    EXPECT_TRUE(NeedsLegacyIdentify(silent));
}

TEST(Identification, ShapeOfACurrentModuleReply) {
    EXPECT_EQ(ShapeOfCurrentModuleReply(Reply('F', 7, 'N')), ReplyShape::Whole);
    EXPECT_EQ(ShapeOfCurrentModuleReply(Reply('M', 0xFF, 'M')), ReplyShape::Whole); // wraps
    EXPECT_EQ(ShapeOfCurrentModuleReply(Reply('F', 7, 'O')), ReplyShape::BadCheck);
    EXPECT_EQ(ShapeOfCurrentModuleReply(Reply('F', 7, 0, 2)), ReplyShape::Short);
    EXPECT_EQ(ShapeOfCurrentModuleReply(Reply('F', 0, 0, 1)), ReplyShape::Short);
    EXPECT_EQ(ShapeOfCurrentModuleReply(Reply(0, 0, 0, 0)), ReplyShape::Silent);
}

} // namespace
} // namespace korv::link
