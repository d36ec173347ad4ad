// korv-cli module, run as a process with the simulator library on its library path, as a
// service technician runs it.
#include "support/cli_process.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace korv::test {
namespace {

using CliRun = ProcessRun;

class ModuleCommandTest : public ::testing::Test {
protected:
    void Configure(const std::string& ini) { std::ofstream(dir + "/sim.ini") << ini; }

    // Runs korv-cli module ARGS; withLibrary false leaves the simulator off the library path.
    CliRun Module(std::vector<std::string> args, bool withLibrary = true) {
        args.insert(args.begin(), "module");
        ProcessOptions options;
        options.outPath = dir + "/out.txt";
        options.errPath = dir + "/err.txt";
        options.env = {"KORV_SIM_CONFIG=" + config};
        if (withLibrary)
            options.env.push_back(std::string("LD_LIBRARY_PATH=") + KORV_SIM_DIR);
        options.dropEnv = {"LD_LIBRARY_PATH=", "KORV_SIM_CONFIG="};
        return RunProcess(KORV_CLI, args, options);
    }

    TempFolder folder;
    const std::string dir = folder.Path().string();
    std::string config = dir + "/sim.ini";
};

TEST_F(ModuleCommandTest, IdentifyPrintsTheReplyAndTheConfiguredKind) {
    Configure("[module]\nkind=M\n");
    CliRun r = Module({"identify"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "reply: 4D 07 55\nkind: M\n");

    Configure("[module]\nkind=i\n");
    r = Module({"identify"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "reply: none\nlegacy reply: 69\nname: PEL-ZEL\nkind: i\n");

    Configure("[module]\nkind=silent\n");
    r = Module({"identify"});
    EXPECT_EQ(r.rc, 1);
}

TEST_F(ModuleCommandTest, IdentifyReportsACutOrGarbledReplyAndEscapesDeviceBytes) {
    Configure("[module]\nkind=F\n[faults]\nidentify=short\n");
    CliRun r = Module({"identify"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.out, "reply: 46 07\n");
    EXPECT_NE(r.err.find("cut short (2 of 3 bytes)"), std::string::npos) << r.err;

    Configure("[module]\nkind=M\n[faults]\nidentify=badcheck\n");
    r = Module({"identify"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find("check byte is wrong"), std::string::npos) << r.err;

    // A device's own bytes never reach the terminal raw.
    Configure("[module]\nkind=RUF\nruf_extra=A\x1B[2J\\\nruf_legacy=j\n");
    r = Module({"identify"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "reply: 52 55 46\nfurther bytes: 41 1B 5B 32 4A 5C\nlegacy reply: 6A\n"
                     "name: RUFA\\x1B[2J\\\\\nkind: RUF\n");

    Configure("[module]\nkind=RUF\nruf_legacy=I\n");
    r = Module({"identify"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.out, "reply: 52 55 46\nfurther bytes: none\nlegacy reply: 49\nname: RUF\n");
}

TEST_F(ModuleCommandTest, InfoAndPasswordGoThroughTheWindowsOwnRules) {
    const std::string image = dir + "/m.bin";
    Configure("[module]\nkind=M\npassword=0042\nmemory=" + image + "\n");
    CliRun r = Module({"info"});
    EXPECT_EQ(r.rc, 1); // the default password 5172 is refused
    EXPECT_EQ(r.out, "outcome: current\nname: PEL-ZEL-ZADA\nkind: M\npassword: refused\n");
    r = Module({"password", "1234"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find("refused the installer password"), std::string::npos) << r.err;
    r = Module({"reset", "--yes"}); // refused before anything is reset
    EXPECT_EQ(r.rc, 1);

    r = Module({"info", "--password", "0042"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "outcome: current\nname: PEL-ZEL-ZADA\nkind: M\npassword: accepted\n"
                     "zada: time 4 type 0 sounds on\n");
    r = Module({"password", "1234", "--password", "0042"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "Password has been saved to the module!\n");
    EXPECT_EQ(Module({"info", "--password", "1234"}).rc, 0);

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"password", "12a4"},
                                                {"password", "12345"},
                                                {"reset"},
                                                {"info", "--password", "99"},
                                                {"info", "extra"}})
        EXPECT_EQ(Module(bad).rc, 2) << bad[0] << " " << bad[1];

    Configure("[module]\nkind=i\n");
    r = Module({"info"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "outcome: legacy\nname: PEL-ZEL\nkind: \\x00\n");
    Configure("[module]\nkind=silent\n");
    EXPECT_EQ(Module({"info"}).rc, 1);
    Configure("[module]\nkind=none\n");
    EXPECT_EQ(Module({"info"}).rc, 3);
}

TEST_F(ModuleCommandTest, PageAndCountShowTheModuleMemory) {
    const std::string trace = dir + "/trace.txt";
    Configure("[module]\nkind=F\npassword=1234\ntrace=" + trace + "\n");
    CliRun r = Module({"page", "255"});
    EXPECT_EQ(r.rc, 0);
    std::ifstream in(trace);
    std::string first;
    std::getline(in, first);
    EXPECT_NE(first.find("> 41 FF 41"), std::string::npos) << first;

    r = Module({"page", "0"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_NE(r.out.find("30: FF FF FF FF FF FF FF FF FF FF FF FF 00 00 12 34\n"),
              std::string::npos)
        << r.out;

    r = Module({"count"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "0\n");

    Configure("[module]\n[faults]\ncount=badcheck\nread.3=short\n");
    EXPECT_EQ(Module({"count"}).rc, 1);
    EXPECT_EQ(Module({"page", "3"}).rc, 1);
}

TEST_F(ModuleCommandTest, CardPrintsTheNumberOrNoCard) {
    Configure("[module]\ncards=3000000000\n");
    CliRun r = Module({"card"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "3000000000\n");
    Configure("[module]\nempty_card=short\n");
    r = Module({"card"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.out, "no card\n");
}

TEST_F(ModuleCommandTest, UsageAndMissingCable) {
    Configure("[module]\n");
    EXPECT_EQ(Module({}).rc, 2);
    EXPECT_EQ(Module({"page"}).rc, 2);
    EXPECT_EQ(Module({"page", "512"}).rc, 2);
    EXPECT_EQ(Module({"page", "-1"}).rc, 2);
    EXPECT_EQ(Module({"page", "1x"}).rc, 2);
    EXPECT_EQ(Module({"count", "extra"}).rc, 2);
    EXPECT_EQ(Module({"reset"}).rc, 2);
    Configure("[module]\nkind=none\n");
    EXPECT_EQ(Module({"count"}).rc, 3);
    // Without the simulator on the library path the serial driver finds no cable either.
    Configure("[module]\n");
    EXPECT_EQ(Module({"count"}, false).rc, 3);
}

TEST_F(ModuleCommandTest, TheSimulatorSaysWhyItsFilesCannotBeUsed) {
    // A folder threw inside the library and /dev/zero never ended; both are no cable now.
    for (const std::string& path : {dir, std::string("/dev/zero")}) {
        config = path;
        const CliRun r = Module({"count"});
        EXPECT_EQ(r.rc, 3) << path;
        EXPECT_NE(r.err.find("cannot read KORV_SIM_CONFIG file " + path + ": is"),
                  std::string::npos)
            << r.err;
    }
    config = dir + "/sim.ini";
    std::ofstream(dir + "/m.bin") << "short";
    Configure("[module]\nmemory=" + dir + "/m.bin\n");
    const CliRun r = Module({"count"});
    EXPECT_EQ(r.rc, 3);
    EXPECT_NE(r.err.find("m.bin: holds 5 bytes, not 32768"), std::string::npos) << r.err;
}

TEST_F(ModuleCommandTest, ReadWriteAndVerifyMoveWholeRegistersOrNothing) {
    const std::string image = dir + "/m.bin", file = dir + "/cards.zel";
    const std::string module = "[module]\nkind=M\nmemory=" + image + "\n";
    Configure(module + "image_cards=1/3/77,2/5/123456,4/255/268435455\n");
    CliRun r = Module({"read", file});
    EXPECT_EQ(r.rc, 0) << r.err;
    const std::string cards = "[KARTY]\r\n1;3;77;0;=\r\n2;5;123456;0;=\r\n4;255;268435455;0;=\r\n";
    std::ifstream in(file, std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(saved.find(cards), std::string::npos) << saved;
    EXPECT_EQ(Module({"verify", file}).rc, 0);

    // Only the time is given the second time: the module's own type and sounds stay.
    r = Module({"write", file, "--zada-time", "5", "--zada-type", "2", "--zada-sounds", "off"});
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(Module({"write", file, "--zada-time", "9"}).rc, 0);
    r = Module({"info"});
    EXPECT_NE(r.out.find("zada: time 9 type 2 sounds off"), std::string::npos) << r.out;

    // One card more in the file: the counts differ; one card other: the record is named.
    std::ofstream(dir + "/other.zel", std::ios::binary)
        << "RUF-KARTYv9\r\n\r\n[STREFA1]\r\n\r\n[STREFA2]\r\n\r\n[STREFA3]\r\n\r\n[STREFA4]"
           "\r\n\r\n[KARTY]\r\n1;3;77;0;=\r\n2;5;123457;0;=\r\n4;255;268435455;0;=\r\n";
    r = Module({"verify", dir + "/other.zel"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.out, "There are differencies for 1 card!\n"
                     "zone 2, apartment 5, card 123456, B1 0: only in the module\n"
                     "zone 2, apartment 5, card 123457, B1 0: only in the program\n");

    // A page that stays unreadable: named, and no file.
    Configure(module + "[faults]\nread.1=silent\n");
    r = Module({"read", dir + "/partial.zel"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find("pages that could not be read: 1\n"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "/partial.zel"));

    // A number no record can hold: refused before the cable is touched.
    Configure("[module]\nkind=none\n");
    std::ofstream(dir + "/big.zel", std::ios::binary)
        << "RUF-KARTYv9\r\n\r\n[STREFA1]\r\n\r\n[STREFA2]\r\n\r\n[STREFA3]\r\n\r\n[STREFA4]"
           "\r\n\r\n[KARTY]\r\n1;3;77;0;=\r\n2;5;268435456;0;=\r\n";
    r = Module({"write", dir + "/big.zel"});
    EXPECT_EQ(r.rc, 4);
    EXPECT_NE(r.err.find("Card 268435456 (zone 2, apartment 5)"), std::string::npos) << r.err;
    EXPECT_EQ(Module({"write", file}).rc, 3);
    EXPECT_EQ(Module({"write", dir + "/missing.zel"}).rc, 5);
    EXPECT_EQ(Module({"write", file, "--zada-time", "26"}).rc, 2);
}

} // namespace
} // namespace korv::test
