// Reading the simulator's configuration file.
#include "sim/sim_config.h"

#include <gtest/gtest.h>

namespace korv::sim {
namespace {

TEST(SimConfig, TheDocumentedKeys) {
    std::string error;
    const auto c = ParseSimConfig("[module]\n"
                                  "kind=M\npassword=0007\nmemory=/tmp/m.bin\n"
                                  "cards=1, 4294967295,3\ntiming=on\ntrace=/tmp/t.txt\n"
                                  "empty_card=short\ncard_delay=300\ndelay=4\nreset_delay=7000\n"
                                  "ruf_extra=-X\nruf_legacy=none\nversion=3.1\n"
                                  "[faults]\nread.12=slow 300 x2\ncount=short 1\nreset=status\n",
                                  error);
    ASSERT_TRUE(c) << error;
    EXPECT_EQ(c->module.kind, "M");
    EXPECT_TRUE(c->cablePresent);
    EXPECT_EQ(c->password, "0007");
    EXPECT_EQ(c->memoryPath, "/tmp/m.bin");
    EXPECT_EQ(c->cards, (std::vector<std::uint32_t>{1, 4294967295u, 3}));
    EXPECT_TRUE(c->timing);
    EXPECT_EQ(c->tracePath, "/tmp/t.txt");
    EXPECT_TRUE(c->module.emptyCardShortReply);
    EXPECT_EQ(c->module.cardDelayMs, 300u);
    EXPECT_EQ(c->module.processingMs, 4u);
    EXPECT_EQ(c->module.resetMs, 7000u);
    EXPECT_EQ(c->module.rufExtra, "-X");
    EXPECT_EQ(c->module.rufLegacy, 0);
    EXPECT_EQ(c->libraryVersion, 0x00030100u);
    ASSERT_EQ(c->faults.size(), 3u);
    EXPECT_EQ(c->faults[0].request, Request::ReadPage);
    EXPECT_EQ(c->faults[0].page, 12);
    EXPECT_EQ(c->faults[0].type, FaultType::Slow);
    EXPECT_EQ(c->faults[0].arg, 300u);
    EXPECT_EQ(c->faults[0].times, 2);
    EXPECT_EQ(c->faults[1].type, FaultType::Short);
    EXPECT_EQ(c->faults[1].arg, 1u);
    EXPECT_EQ(c->faults[1].times, -1);
    EXPECT_EQ(c->faults[2].request, Request::Reset);
}

TEST(SimConfig, DefaultsAndNoCable) {
    std::string error;
    auto c = ParseSimConfig("", error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->module.kind, "F");
    EXPECT_EQ(c->password, "5172");
    EXPECT_FALSE(c->timing);
    EXPECT_TRUE(c->cards.empty());
    c = ParseSimConfig("[module]\nkind=none\n", error);
    ASSERT_TRUE(c);
    EXPECT_FALSE(c->cablePresent);
}

TEST(SimConfig, ValuesItCannotUnderstandAreRefusedWithTheirLine) {
    const char* bad[] = {
        "[module]\nkind=X\n",         "[module]\npassword=51a2\n", "[module]\npassword=517\n",
        "[module]\ncards=1,,2\n",     "[module]\ncards=-5\n",      "[module]\ntiming=yes\n",
        "[module]\nversion=3.x\n",    "[module]\ncolour=red\n",    "[faults]\nread.512=silent\n",
        "[faults]\ncount.3=silent\n", "[faults]\nread=melt\n",     "[faults]\nread=slow soon\n",
        "[faults]\nwrite=silent x0\n"};
    for (const char* text : bad) {
        std::string error;
        EXPECT_FALSE(ParseSimConfig(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

} // namespace
} // namespace korv::sim
