// korv-cli module, run as a process with the simulator library on its library path, as a
// service technician runs it.
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace korv::test {
namespace {

struct CliRun {
    int rc = -1;
    std::string out;
};

class ModuleCommandTest : public ::testing::Test {
protected:
    void Configure(const std::string& ini) { std::ofstream(dir + "/sim.ini") << ini; }

    // Runs korv-cli module ARGS; withLibrary false leaves the simulator off the library path.
    CliRun Module(std::vector<std::string> args, bool withLibrary = true) {
        args.insert(args.begin(), {KORV_CLI, "module"});
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::string libraryPath = std::string("LD_LIBRARY_PATH=") + KORV_SIM_DIR;
        std::string config = "KORV_SIM_CONFIG=" + dir + "/sim.ini";
        std::vector<std::string> env = {config};
        if (withLibrary)
            env.push_back(libraryPath);
        for (char** e = environ; *e; ++e) {
            const std::string var = *e;
            if (var.rfind("LD_LIBRARY_PATH=", 0) != 0 && var.rfind("KORV_SIM_CONFIG=", 0) != 0)
                env.push_back(var);
        }
        std::vector<char*> envp;
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);

        const std::string outPath = dir + "/out.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        CliRun run;
        const int spawned =
            posix_spawn(&pid, KORV_CLI, &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(spawned, 0);
        if (spawned != 0)
            return run;
        int status = 0;
        waitpid(pid, &status, 0);
        run.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream in(outPath);
        run.out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return run;
    }

    TempFolder folder;
    const std::string dir = folder.Path().string();
};

TEST_F(ModuleCommandTest, IdentifyPrintsTheReplyAndTheConfiguredKind) {
    Configure("[module]\nkind=M\n");
    CliRun r = Module({"identify"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "reply: 4D 07 55\nkind: M\n");

    Configure("[module]\nkind=i\n");
    r = Module({"identify"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "reply: none\nlegacy reply: 69\nkind: i\n");

    Configure("[module]\nkind=silent\n");
    r = Module({"identify"});
    EXPECT_EQ(r.rc, 1);
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

} // namespace
} // namespace korv::test
