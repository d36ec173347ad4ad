// Runs a program as a child process, as an installer's script would, with its standard output
// going to a given file and a deadline after which the child is killed and the run fails.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace korv::test {

struct ProcessRun {
    int rc = -1; // exit code; -1 when it did not exit on its own in time
    std::string out;
    std::string err;
};

struct ProcessOptions {
    std::string outPath;              // standard output goes here (created, truncated)
    std::string errPath;              // standard error, or /dev/null when empty
    std::vector<std::string> env;     // NAME=VALUE pairs put before the inherited ones
    std::vector<std::string> dropEnv; // inherited NAME= prefixes left out
    std::chrono::milliseconds deadline{20000};
};

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline ProcessRun RunProcess(const std::string& program, std::vector<std::string> args,
                             const ProcessOptions& options) {
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> env = options.env;
    for (char** e = environ; *e; ++e) {
        const std::string var = *e;
        bool dropped = false;
        for (const auto& prefix : options.dropEnv)
            dropped = dropped || var.rfind(prefix, 0) == 0;
        if (!dropped)
            env.push_back(var);
    }
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const std::string errPath = options.errPath.empty() ? "/dev/null" : options.errPath;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, options.outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    ProcessRun run;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << program;
    if (spawned != 0)
        return run;

    const auto end = std::chrono::steady_clock::now() + options.deadline;
    int status = 0;
    pid_t done = 0;
    while ((done = waitpid(pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (done == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        ADD_FAILURE() << program << " did not finish within " << options.deadline.count() << " ms";
        return run;
    }
    run.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (options.outPath != "/dev/full" && options.outPath != "/dev/null")
        run.out = ReadWholeFile(options.outPath);
    if (!options.errPath.empty())
        run.err = ReadWholeFile(options.errPath);
    return run;
}

} // namespace korv::test
