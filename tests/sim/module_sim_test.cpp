// The simulated module on its own: its replies byte by byte, its memory, its reader and the
// faults it can be told to make.
#include "sim/module_sim.h"

#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace korv::sim {
namespace {

Bytes Framed(Bytes b) {
    b.push_back(CheckByte(b.data(), b.size()));
    return b;
}

// Sends a whole request; returns the reply, or nullopt when the bytes made no request.
std::optional<Bytes> Ask(ModuleSim& m, const Bytes& request) {
    std::optional<Exchange> ex;
    for (auto b : request) {
        EXPECT_FALSE(ex.has_value()) << "request ended early";
        ex = m.Receive(b);
    }
    if (!ex)
        return std::nullopt;
    EXPECT_EQ(ex->frame, request);
    return ex->reply;
}

TEST(ModuleSim, IdentifyRepliesByKind) {
    ModuleSim f;
    EXPECT_EQ(Ask(f, {0x46, 0x00, 0x47}), (Bytes{'F', 0x07, 0x4E}));
    EXPECT_EQ(Ask(f, {0x48, 0x00, 0x49}), Bytes{});

    ModuleSim ruf(Configured([](ModuleSetup& s) {
        s.kind = "RUF";
        s.rufExtra = "ABCDEFGHIJ";
        s.rufLegacy = 'I';
    }));
    EXPECT_EQ(Ask(ruf, {0x46, 0x00, 0x47}),
              (Bytes{'R', 'U', 'F', 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}));
    EXPECT_EQ(Ask(ruf, {0x48, 0x00, 0x49}), Bytes{'I'});

    ModuleSim legacy(Configured([](ModuleSetup& s) { s.kind = "j"; }));
    EXPECT_EQ(Ask(legacy, {0x46, 0x00, 0x47}), Bytes{});
    EXPECT_EQ(Ask(legacy, {0x48, 0x00, 0x49}), Bytes{'j'});
    // Old modules do not know the memory requests.
    EXPECT_EQ(Ask(legacy, {'A', 0, 'B'}), Bytes{});

    ModuleSim silent(Configured([](ModuleSetup& s) { s.kind = "silent"; }));
    EXPECT_EQ(Ask(silent, {0x46, 0x00, 0x47}), Bytes{});
    EXPECT_EQ(Ask(silent, {0x48, 0x00, 0x49}), Bytes{});
}

TEST(ModuleSim, PagesCountAndReset) {
    ModuleSim m;
    int saved = 0;
    m.onMemoryChanged = [&] { ++saved; };
    m.Page(0)[60] = 0x01;
    m.Page(0)[61] = 0x2C;
    EXPECT_EQ(Ask(m, {0x43, 0x13, 0x57}), (Bytes{0x01, 0x2C, 0x2E}));

    Bytes write = {'E', 0x2C};
    for (int i = 0; i < 64; ++i)
        write.push_back(static_cast<std::uint8_t>(i));
    EXPECT_EQ(Ask(m, Framed(write)), Framed({'E', 0x01}));
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(m.Page(300)[63], 63);

    const auto page = Ask(m, {'D', 0x2C, 0x71});
    ASSERT_TRUE(page);
    ASSERT_EQ(page->size(), 65u);
    EXPECT_EQ((*page)[10], 10);
    EXPECT_EQ(page->back(), CheckByte(page->data(), 64));

    EXPECT_EQ(Ask(m, {0x43, 0x14, 0x58}), (Bytes{'C', 0x01, 'E'}));
    EXPECT_EQ(saved, 2);
    for (auto b : m.memory())
        ASSERT_EQ(b, 0xFF);
    EXPECT_EQ(Ask(m, {0x43, 0x13, 0x57}), (Bytes{0xFF, 0xFF, 0xFF}));
}

TEST(ModuleSim, GarbledRequestsGetNoAnswer) {
    ModuleSim m;
    // A wrong check byte: the frame is taken whole and ignored.
    EXPECT_EQ(Ask(m, {'A', 0x00, 0x43}), Bytes{});
    // A byte no request begins with stands alone.
    auto stray = m.Receive('Z');
    ASSERT_TRUE(stray);
    EXPECT_EQ(stray->frame, Bytes{'Z'});
    EXPECT_TRUE(stray->reply.empty());
    // A half request is dropped by a reset of the receiver.
    m.Receive('A');
    m.ResetReceiver();
    EXPECT_EQ(Ask(m, {0x43, 0x13, 0x57}), (Bytes{0x00, 0x00, 0x01}));
}

TEST(ModuleSim, TheReaderAnswersFromItsQueue) {
    ModuleSim m;
    m.QueueCard(12345);
    m.QueueCard(0x80000000u);
    EXPECT_EQ(Ask(m, {0x47, 0x00, 0x48}), (Bytes{'G', 0x00, 0x00, 0x30, 0x39, 0xB1}));
    EXPECT_EQ(Ask(m, {0x47, 0x00, 0x48}), (Bytes{'G', 0x80, 0x00, 0x00, 0x00, 0xC8}));
    EXPECT_EQ(Ask(m, {0x47, 0x00, 0x48}), Bytes{});
    ModuleSim shortReply(Configured([](ModuleSetup& s) { s.emptyCardShortReply = true; }));
    EXPECT_EQ(Ask(shortReply, {0x47, 0x00, 0x48}), (Bytes{'G', 0x00, 0x48}));
}

TEST(ModuleSim, FaultsHitTheirRequestAndPageAndWearOut) {
    ModuleSim m;
    m.AddFault(MakeFault(Request::ReadPage, FaultType::BadCheck, 2, 0));
    m.AddFault(MakeFault(Request::Count, FaultType::Short, -1, 1, 2));
    m.AddFault(MakeFault(Request::WritePage, FaultType::Status, -1, 0));
    m.AddFault(MakeFault(Request::Identify, FaultType::Slow, -1, 250));

    auto page1 = Ask(m, {'A', 1, 'C'});
    EXPECT_EQ(page1->back(), CheckByte(page1->data(), 64));
    auto page2 = Ask(m, {'A', 2, 'D'});
    EXPECT_NE(page2->back(), CheckByte(page2->data(), 64));

    EXPECT_EQ(Ask(m, {0x43, 0x13, 0x57}), Bytes{0x00});
    EXPECT_EQ(Ask(m, {0x43, 0x13, 0x57}), Bytes{0x00});
    EXPECT_EQ(Ask(m, {0x43, 0x13, 0x57}), (Bytes{0x00, 0x00, 0x01}));

    Bytes write = {'B', 7};
    write.insert(write.end(), 64, 0x00);
    EXPECT_EQ(Ask(m, Framed(write)), Framed({'B', 0x00}));
    EXPECT_EQ(m.Page(7)[0], 0xFF);

    std::optional<Exchange> ex;
    for (auto b : Bytes{0x46, 0x00, 0x47})
        ex = m.Receive(b);
    ASSERT_TRUE(ex);
    EXPECT_EQ(ex->extraMs, 250u);
}

} // namespace
} // namespace korv::sim
