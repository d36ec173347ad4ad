// Saving and reading card files through the Windows file API: over an existing file, with a
// failure at every step, into a read-only file, and under names in other scripts.
#include "core/utf8_path.h"
#include "files/card_file_v9.h"
#include "files/file_bytes.h"
#include "support/card_files_fixture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace korv {
namespace {

using test::TempFolder;

TEST(FileBytesWindows, SavesOverAnExistingFileAndFailsWithoutHarmingIt) {
    TempFolder dir;
    const std::string path = PathUtf8(dir.Path() / "cards.zel");
    test::WriteBytes(path, "previous file");
    TTablica t;
    test::FillRegister(t, 500);
    for (const WriteFault& fault :
         {WriteFault{0, false}, WriteFault{100, false}, WriteFault{std::nullopt, true}}) {
        const FileWriteResult r = WriteCardFile(t, path, fault);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
        EXPECT_EQ(test::ReadBytes(path), "previous file");
        EXPECT_EQ(dir.EntryCount(), 1); // no temporary file left behind
    }
    const FileWriteResult r = WriteCardFile(test::WorkedExampleRegister(), path);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(test::ReadBytes(path), test::kWorkedExampleFile);
    EXPECT_EQ(dir.EntryCount(), 1);
    const FileBytes back = ReadCardFileBytes(path);
    EXPECT_TRUE(back.ok);
    EXPECT_EQ(back.bytes, test::kWorkedExampleFile);
}

TEST(FileBytesWindows, RefusesFoldersReadOnlyFilesAndMissingFolders) {
    TempFolder dir;
    EXPECT_FALSE(WriteFileAtomically("", "x").ok);
    EXPECT_FALSE(WriteFileAtomically(PathUtf8(dir.Path() / "no" / "such.zel"), "x").ok);
    EXPECT_EQ(WriteFileAtomically(PathUtf8(dir.Path()), "x").error, "Is a directory");
    const std::string readOnly = PathUtf8(dir.Path() / "ro.zel");
    test::WriteBytes(readOnly, "keep");
    ASSERT_TRUE(SetFileAttributesW(Utf8Path(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WriteFileAtomically(readOnly, "new").ok);
    EXPECT_EQ(test::ReadBytes(readOnly), "keep");
    SetFileAttributesW(Utf8Path(readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(ReadCardFileBytes(PathUtf8(dir.Path() / "missing.zel")).ok);
}

TEST(FileBytesWindows, NamesInOtherScriptsSaveAndOpen) {
    TempFolder dir;
    for (const char* name : {"Łódź – klatka B.zel", "Ελληνικά.zel", "подъезд 2.zel"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path folder = dir.Path() / Utf8Path("Żółć");
        std::filesystem::create_directories(folder);
        const std::string path = PathUtf8(folder / Utf8Path(name));
        const FileWriteResult r = WriteCardFile(test::WorkedExampleRegister(), path);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_TRUE(std::filesystem::exists(Utf8Path(path)));
        const FileBytes back = ReadCardFileBytes(path);
        EXPECT_TRUE(back.ok) << back.error;
        EXPECT_EQ(back.bytes, test::kWorkedExampleFile);
    }
}

} // namespace
} // namespace korv
