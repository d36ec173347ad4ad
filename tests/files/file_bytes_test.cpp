#include "files/card_file_v9.h"
#include "files/file_bytes.h"
#include "support/card_files_fixture.h"
#include "support/temp_folder.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(FileBytes, ReadsOnlyFilesOfCardFileSize) {
    TempFolder dir;
    WriteBytes(dir.File("empty"), "");
    WriteBytes(dir.File("big"), std::string(1000001, 'x'));
    WriteBytes(dir.File("max"), std::string(1000000, 'x'));

    FileBytes f = ReadCardFileBytes(dir.File("empty"));
    EXPECT_TRUE(f.ok);
    EXPECT_EQ(f.size, 0u);

    f = ReadCardFileBytes(dir.File("big"));
    EXPECT_TRUE(f.ok);
    EXPECT_EQ(f.size, 1000001u);
    EXPECT_TRUE(f.bytes.empty());

    f = ReadCardFileBytes(dir.File("max"));
    EXPECT_TRUE(f.ok);
    EXPECT_EQ(f.bytes.size(), 1000000u);

    f = ReadCardFileBytes(dir.File("missing"));
    EXPECT_FALSE(f.ok);
    EXPECT_EQ(f.error, "No such file or directory");

    f = ReadCardFileBytes(dir.Path().string()); // a folder: its size may pass, reading fails
    EXPECT_FALSE(f.ok && !f.bytes.empty());

    // A named pipe without a writer must not hang the window.
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    f = ReadCardFileBytes(dir.File("pipe"));
    EXPECT_TRUE(f.ok);
    EXPECT_EQ(f.size, 0u);
}

TEST(FileBytes, AtomicWriteReplacesAndKeepsTheMode) {
    TempFolder dir;
    const std::string path = dir.File("cards.zel");
    WriteBytes(path, "old contents");
    ::chmod(path.c_str(), 0640);
    const FileWriteResult r = WriteCardFile(test::WorkedExampleRegister(), path);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(ReadBytes(path), test::kWorkedExampleFile);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.EntryCount(), 1);
}

TEST(FileBytes, FailedWriteLeavesTheOldFileAndNoLeftovers) {
    TempFolder dir;
    const std::string path = dir.File("cards.zel");
    WriteBytes(path, "previous file");
    TTablica t;
    test::FillRegister(t, 500);

    for (const WriteFault& fault :
         {WriteFault{0, false}, WriteFault{100, false}, WriteFault{std::nullopt, true}}) {
        const FileWriteResult r = WriteCardFile(t, path, fault);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
        EXPECT_EQ(ReadBytes(path), "previous file");
        EXPECT_EQ(dir.EntryCount(), 1);
    }
    const FileWriteResult full = WriteCardFile(t, path, WriteFault{100, false});
    EXPECT_EQ(full.error, "No space left on device");

    // A new file that fails is not created at all.
    EXPECT_FALSE(WriteCardFile(t, dir.File("new.zel"), WriteFault{10, false}).ok);
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.zel")));
}

TEST(FileBytes, WritesThatCannotStart) {
    TempFolder dir;
    EXPECT_FALSE(WriteFileAtomically("", "x").ok);
    EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/folder.zel"), "x").ok);
    EXPECT_FALSE(WriteFileAtomically(dir.Path().string(), "x").ok);
    EXPECT_EQ(dir.EntryCount(), 0);
}

TEST(FileBytes, WritingThroughALinkChangesTheFileItPointsTo) {
    TempFolder dir;
    WriteBytes(dir.File("real.zel"), "old");
    std::filesystem::create_symlink(dir.File("real.zel"), dir.File("link.zel"));
    ASSERT_TRUE(WriteFileAtomically(dir.File("link.zel"), "new").ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.zel")));
    EXPECT_EQ(ReadBytes(dir.File("real.zel")), "new");
}

// Runs f as the unprivileged user "nobody" when the tests run as root (permission bits bind
// only then), in a child that must finish within 10 s; f's result is the child's exit code.
int AsUnprivileged(const std::function<int()>& f) {
    if (::geteuid() != 0)
        return f();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(99);
        ::_exit(f());
    }
    for (int waited = 0; waited < 1000; ++waited) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
        ::usleep(10000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ADD_FAILURE() << "the unprivileged child did not finish";
    return 97;
}

TEST(FileBytes, NoSaveMakesACardFileLargerThanEveryReaderAccepts) {
    TempFolder dir;
    const std::string path = dir.File("cards.zel");
    WriteBytes(path, "previous file");
    const FileWriteResult r = WriteCardFile(test::OverSizeRegister(), path);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.overSizeLimit);
    EXPECT_GT(r.size, 1000000u);
    EXPECT_LT(r.size, 1100000u);
    EXPECT_NE(r.error.find("1,000,000"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), "previous file");
    EXPECT_EQ(dir.EntryCount(), 1);
}

TEST(FileBytes, OnlyAPlainFileIsEverReplaced) {
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir.File("pipe"), dir.File("to-pipe"));
    for (const char* name : {"pipe", "to-pipe"}) {
        const FileWriteResult r = WriteFileAtomically(dir.File(name), "x");
        EXPECT_FALSE(r.ok) << name;
        EXPECT_EQ(r.error, "Not a regular file");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe")));
    if (::geteuid() == 0) { // a device node, made where a wrong answer harms nothing
        ASSERT_EQ(::mknod(dir.File("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        EXPECT_FALSE(WriteFileAtomically(dir.File("null"), "x").ok);
        EXPECT_TRUE(std::filesystem::is_character_file(dir.File("null")));
    }
    EXPECT_EQ(dir.EntryCount(), 2 + (::geteuid() == 0)); // no temporary file left behind

    // A dangling link gets its target created; the link stays a link.
    std::filesystem::create_symlink("made.zel", dir.File("dangling.zel"));
    ASSERT_TRUE(WriteFileAtomically(dir.File("dangling.zel"), "new").ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling.zel")));
    EXPECT_EQ(ReadBytes(dir.File("made.zel")), "new");

    // Names up to the system's limit save: the temporary name is short.
    const std::string longName(255, 'k');
    EXPECT_TRUE(WriteFileAtomically(dir.File(longName), "x").ok);
}

TEST(FileBytes, ASaveKeepsOwnerLinksAndPermissions) {
    TempFolder dir;
    // Hard links keep sharing the file: its own bytes are replaced.
    WriteBytes(dir.File("a.zel"), "old");
    ASSERT_EQ(::link(dir.File("a.zel").c_str(), dir.File("b.zel").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(dir.File("a.zel"), "shared new").ok);
    EXPECT_EQ(ReadBytes(dir.File("b.zel")), "shared new");
    EXPECT_EQ(std::filesystem::hard_link_count(dir.File("a.zel")), 2u);

    if (::geteuid() == 0) { // a file of somebody else keeps its owner
        WriteBytes(dir.File("theirs.zel"), "old");
        ASSERT_EQ(::chown(dir.File("theirs.zel").c_str(), 65534, 65534), 0);
        ASSERT_TRUE(WriteFileAtomically(dir.File("theirs.zel"), "new").ok);
        struct stat st {};
        ASSERT_EQ(::stat(dir.File("theirs.zel").c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(ReadBytes(dir.File("theirs.zel")), "new");
    }

    // Permission bits bind an unprivileged user: a read-only file is refused and untouched;
    // a writable file in a folder that takes no new names is saved where it is.
    ::chmod(dir.Path().c_str(), 0777);
    WriteBytes(dir.File("ro.zel"), "keep");
    ::chmod(dir.File("ro.zel").c_str(), 0444);
    const std::string sub = dir.File("locked");
    std::filesystem::create_directory(sub);
    WriteBytes(sub + "/w.zel", "old");
    ::chmod((sub + "/w.zel").c_str(), 0666);
    ::chmod(sub.c_str(), 0555);
    const int rc = AsUnprivileged([&] {
        const FileWriteResult ro = WriteFileAtomically(dir.File("ro.zel"), "new");
        if (ro.ok || ro.error != "Permission denied")
            return 1;
        return WriteFileAtomically(sub + "/w.zel", "new").ok ? 0 : 2;
    });
    ::chmod(sub.c_str(), 0755);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ReadBytes(dir.File("ro.zel")), "keep");
    EXPECT_EQ(ReadBytes(sub + "/w.zel"), "new");
}

} // namespace
} // namespace korv
