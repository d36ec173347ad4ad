#include "i18n/settings_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace korv;
namespace fs = std::filesystem;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { path = (dir / "korv.ini").string(); }
    void TearDown() override {
        // A test takes the folder's write permission away; give it back so it can be removed.
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    }
    void Write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    // A settings file as KORV makes it anew, with the system's line ends.
    static std::string Fresh(int language) {
        return std::string("[ZEL v7]") + kSettingsLineEnd + "Jezyk=" + std::to_string(language) +
               kSettingsLineEnd;
    }
    std::string Read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    korv::test::TempFolder folder;
    fs::path dir = folder.Path();
    std::string path;
};

} // namespace

TEST(SettingsFileName, ReplacesAThreeLetterExtensionOrAppends) {
    EXPECT_EQ(SettingsFileName("C:\\Tools\\prog.exe"), "C:\\Tools\\prog.ini");
    EXPECT_EQ(SettingsFileName("/opt/korv/korv.exe"), "/opt/korv/korv.ini");
    EXPECT_EQ(SettingsFileName("/opt/korv/korv"), "/opt/korv/korv.ini");
    EXPECT_EQ(SettingsFileName("/opt/k.d/korv"), "/opt/k.d/korv.ini");
    EXPECT_EQ(SettingsFileName("/opt/korv/korv.bin"), "/opt/korv/korv.ini");
    EXPECT_EQ(SettingsFileName("/opt/korv/korv.x"), "/opt/korv/korv.x.ini");
}

TEST_F(SettingsFile, FirstRunWritesEnglish) {
    auto s = LoadLanguageSetting(path, "");
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.path, path);
    EXPECT_EQ(Read(path), Fresh(1));
}

TEST_F(SettingsFile, BadValuesGiveEnglishAndAreRewritten) {
    for (const std::string& bad :
         {std::string("[ZEL v7]\nJezyk=9\n"), std::string("[ZEL v7]\nJezyk=-1\n"),
          std::string("[ZEL v7]\nJezyk=abc\n"), std::string("[ZEL v7]\nJezyk=\n"),
          std::string("[ZEL v7]\nJezyk=99999999999999\n"), std::string("[Other]\nJezyk=0\n"),
          std::string("\x00\x01\xff[ZEL v7\x00]\nJezyk=0", 18), std::string("garbage")}) {
        Write(bad);
        auto s = LoadLanguageSetting(path, "");
        EXPECT_EQ(s.language, 1) << bad;
        EXPECT_EQ(ReadLanguage(path), 1);
        EXPECT_NE(Read(path).find("Jezyk=1"), std::string::npos) << Read(path);
    }
}

TEST_F(SettingsFile, GoodValuesSurviveAndOtherContentIsKept) {
    Write("[Mine]\r\nx=y\r\n[zel v7]\r\n jezyk = 0 \r\n");
    auto s = LoadLanguageSetting(path, "");
    EXPECT_EQ(s.language, 0);
    // Rewritten whole, with its own CR LF line ends and the other section kept.
    EXPECT_EQ(Read(path), "[Mine]\r\nx=y\r\n[zel v7]\r\nJezyk=0\r\n");
    Write("[ZEL v7]\nJezyk=5\n");
    EXPECT_EQ(LoadLanguageSetting(path, "").language, 5);
    ASSERT_TRUE(WriteLanguage(path, 0));
    EXPECT_EQ(ReadLanguage(path), 0);
}

TEST_F(SettingsFile, HugeFileIsIgnoredAndReplaced) {
    Write(std::string(3 << 20, 'x') + "\n[ZEL v7]\nJezyk=0\n");
    auto s = LoadLanguageSetting(path, "");
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(Read(path), Fresh(1));
}

TEST_F(SettingsFile, UnwritableFolderFallsBackToTheUserFile) {
    // A path under a regular file can never be created, even by root.
    Write("not a folder");
    const std::string blocked = path + "/korv.ini";
    const std::string user = (dir / "user" / "korv" / "korv.ini").string();

    auto s = LoadLanguageSetting(blocked, user);
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.path, user);
    ASSERT_TRUE(WriteLanguage(s.path, 0));
    // the next run still cannot write beside the program and finds the choice in the user file
    auto again = LoadLanguageSetting(blocked, user);
    EXPECT_EQ(again.language, 0);
    EXPECT_EQ(again.path, user);

    auto nowhere = LoadLanguageSetting(blocked, path + "/user.ini");
    EXPECT_EQ(nowhere.language, 1);
    EXPECT_EQ(nowhere.path, "");
}
