#include "files/card_file_v9.h"
#include "support/card_files_fixture.h"
#include "files/file_bytes.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

} // namespace
} // namespace korv
