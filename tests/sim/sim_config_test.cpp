// Reading the simulator's configuration file.
#include "sim/sim_config.h"
#include "sim/small_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(SimConfig, ANewImageHoldsTheGivenCardsInRegisterOrder) {
    std::string error;
    const auto c = ParseSimConfig(
        "[module]\nimage_cards=2/0/7, 1/255/268435455, 1/3/1000, 1/3/1001, 4/9/5, 4/9/6, "
        "4/9/7, 4/9/8, 4/9/9, 4/9/10, 4/9/11, 4/9/12, 4/9/13\n",
        error);
    ASSERT_TRUE(c) << error;
    const Memory m = NewMemoryImage("5172", c->imageCards);
    auto record = [&](int i) { return m.data() + (i / 12) * 64 + (i % 12) * 5; };
    // 1/3/1000 first: 1000 = 0x0003E8, zone 1, apartment 3.
    EXPECT_EQ(record(0)[0], 0xE8);
    EXPECT_EQ(record(0)[1], 0x03);
    EXPECT_EQ(record(0)[2], 0x00);
    EXPECT_EQ(record(0)[3], 0x01);
    EXPECT_EQ(record(0)[4], 3);
    EXPECT_EQ(record(1)[0], 0xE9);
    // The largest number keeps its top four bits in the high nibble of byte 3.
    EXPECT_EQ(record(2)[3], 0xF1);
    EXPECT_EQ(record(2)[4], 255);
    EXPECT_EQ(record(3)[3], 0x02);
    // The thirteenth card opens page 1; the page's trailer and free slots stay FF.
    EXPECT_EQ(record(12)[0], 13);
    EXPECT_EQ(record(12)[3], 0x04);
    EXPECT_EQ(m[64 + 60], 0xFF);
    EXPECT_EQ(record(13)[0], 0xFF);
    EXPECT_EQ(m[60], 0x00);
    EXPECT_EQ(m[61], 13);
    EXPECT_EQ(m[62], 0x51);
    EXPECT_EQ(m[63], 0x72);

    for (const char* bad : {"[module]\nimage_cards=5/1/1\n", "[module]\nimage_cards=1/256/1\n",
                            "[module]\nimage_cards=1/1/268435456\n", "[module]\nimage_cards=1/1\n"})
        EXPECT_FALSE(ParseSimConfig(bad, error)) << bad;
}

TEST(SimConfig, AZadaModuleLeavesTheFactoryWithItsExtraSettings) {
    std::string error;
    auto c = ParseSimConfig("[module]\nkind=M\nimage_cards=1/1/1\n", error);
    ASSERT_TRUE(c) << error;
    Memory m = NewMemoryImage(*c);
    // Page 1: ELOCK 4 s, electric lock, sounds on; its card slots stay free.
    EXPECT_EQ(m[64 + 60], 4);
    EXPECT_EQ(m[64 + 61], 0);
    EXPECT_EQ(m[64 + 62], 0);
    EXPECT_EQ(m[64 + 63], 0xFF);
    EXPECT_EQ(m[64], 0xFF);
    EXPECT_EQ(m[61], 1);
    // A full module has no settings there.
    c = ParseSimConfig("[module]\nkind=F\n", error);
    m = NewMemoryImage(*c);
    for (int i = 60; i < 64; ++i)
        EXPECT_EQ(m[64 + i], 0xFF) << i;
}

TEST(SmallFile, OnlyASmallRegularFileIsRead) {
    test::TempFolder dir;
    std::string error;
    test::WriteBytes(dir.File("a.ini"), "[module]\n");
    EXPECT_EQ(ReadSmallRegularFile(dir.File("a.ini"), error), "[module]\n");

    // Each of these threw, read forever or blocked before.
    EXPECT_FALSE(ReadSmallRegularFile(dir.Path().string(), error));
    EXPECT_EQ(error, "is a folder, not a file");
#ifndef _WIN32
    EXPECT_FALSE(ReadSmallRegularFile("/dev/zero", error));
    EXPECT_EQ(error, "is not a regular file");
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(ReadSmallRegularFile(dir.File("fifo"), error));
    EXPECT_EQ(error, "is not a regular file");
#endif

    test::WriteBytes(dir.File("big"), std::string(kSmallFileLimit + 1, 'x'));
    EXPECT_FALSE(ReadSmallRegularFile(dir.File("big"), error));
    EXPECT_EQ(error, "is larger than 1048576 bytes");
    EXPECT_FALSE(ReadSmallRegularFile(dir.File("missing"), error));
#ifndef _WIN32
    EXPECT_EQ(error, "No such file or directory");
#endif
}

} // namespace
} // namespace korv::sim
