#include "core/ini_document.h"
#include "i18n/settings_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

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

TEST_F(SettingsFile, TheLanguageInForceWritesNothing) {
    for (const std::string& text :
         {std::string("[Mine]\r\nx=y\r\n[zel v7]\r\n jezyk = 0 \r\nVersionServer=http://h/\r\n"),
          std::string("\xEF\xBB\xBF[ZEL v7]\r\nJezyk=0\r\n"), std::string("[ZEL v7]\rJezyk=0\r")}) {
        Write(text);
        const auto before = fs::last_write_time(path) - std::chrono::hours(1);
        fs::last_write_time(path, before);
        EXPECT_EQ(LoadLanguageSetting(path, "").path, path);
        EXPECT_EQ(ReadLanguage(path), 0) << text;
        EXPECT_TRUE(WriteLanguage(path, 0)); // the same language chosen from the menu
        EXPECT_EQ(Read(path), text);
        EXPECT_EQ(fs::last_write_time(path), before) << text;
    }
}

TEST_F(SettingsFile, AChangeKeepsEveryOtherByteAndTheFilesLineEnds) {
    for (const std::string eol : {"\r\n", "\n", "\r"})
        for (const std::string bom : {"", "\xEF\xBB\xBF"}) {
            const auto file = [&](std::string lines) {
                for (size_t at; (at = lines.find('|')) != std::string::npos;)
                    lines.replace(at, 1, eol);
                return bom + lines;
            };
            Write(file("; mine|[zel v7]| jezyk = 0 |VersionServer=http://h/||[Tail]|t=1"));
            ASSERT_TRUE(WriteLanguage(path, 1));
            EXPECT_EQ(Read(path),
                      file("; mine|[zel v7]| jezyk = 1 |VersionServer=http://h/||[Tail]|t=1"));
            EXPECT_EQ(ReadLanguage(path), 1);
            // what the version panel reads from the same file
            EXPECT_EQ(IniDocument::Parse(Read(path)).Value("ZEL v7", "VersionServer"), "http://h/");

            Write(file("[ZEL v7]|VersionServer=v||[Tail]|"));
            EXPECT_EQ(LoadLanguageSetting(path, "").language, 1);
            EXPECT_EQ(Read(path), file("[ZEL v7]|VersionServer=v|Jezyk=1||[Tail]|"));

            Write(file("[Tail]|t=1"));
            LoadLanguageSetting(path, "");
            EXPECT_EQ(Read(path), file("[Tail]|t=1|[ZEL v7]|Jezyk=1|"));
        }
}

TEST_F(SettingsFile, AnotherKeyIsWrittenTheSameMinimalWay) {
    const std::string head = "; mine\r\n[zel v7]\r\nJezyk=0\r\n", tail = "\r\n[Tail]\r\nt=1";
    Write(head + tail);
    ASSERT_TRUE(WriteSetting(path, "OstatniFolder", "C:\\Karty\\Blok A"));
    EXPECT_EQ(Read(path), head + "OstatniFolder=C:\\Karty\\Blok A\r\n" + tail);
    ASSERT_TRUE(WriteSetting(path, "OstatniFolder", "/home/ewa/a=b"));
    EXPECT_EQ(Read(path), head + "OstatniFolder=/home/ewa/a=b\r\n" + tail);
    EXPECT_EQ(ReadSetting(path, "ostatnifolder"), "/home/ewa/a=b");
    EXPECT_EQ(ReadLanguage(path), 0);

    // The value in force is not written; one the reading would not give back whole is refused.
    const auto before = fs::last_write_time(path) - std::chrono::hours(1);
    fs::last_write_time(path, before);
    EXPECT_TRUE(WriteSetting(path, "OstatniFolder", "/home/ewa/a=b"));
    for (const std::string bad : {"/a\nJezyk=1", "/a\r", " /a", "/a "})
        EXPECT_FALSE(WriteSetting(path, "OstatniFolder", bad)) << bad;
    EXPECT_EQ(fs::last_write_time(path), before);
}

TEST_F(SettingsFile, ALargeFileIsReadWholeAndOneBeyondReadingIsLeftAlone) {
    std::string text;
    while (text.size() < (2u << 20))
        text += std::string(100, ';') + "\r\n";
    text += "[ZEL v7]\r\nVersionServer=http://h/\r\nJezyk=0\r\n";
    Write(text);
    EXPECT_EQ(LoadLanguageSetting(path, "").language, 0);
    EXPECT_EQ(ReadSetting(path, "VersionServer"), "http://h/");
    ASSERT_TRUE(WriteLanguage(path, 1));
    text[text.size() - 3] = '1';
    EXPECT_TRUE(Read(path) == text);

    // Too large to hold, or UTF-16, which a line of ours would spoil: the user file takes over.
    const std::string user = (dir / "user.ini").string();
    for (const auto& [head, size] :
         {std::pair{std::string("[ZEL v7]\nJezyk=0\n"), kMaxSettingsFileBytes + 1},
          std::pair{std::string("\xFF\xFE[\0Z\0", 6), std::uintmax_t{6}}}) {
        Write(head);
        fs::resize_file(path, size);
        const auto before = fs::last_write_time(path) - std::chrono::hours(1);
        fs::last_write_time(path, before);
        EXPECT_EQ(LoadLanguageSetting(path, user).path, user);
        EXPECT_FALSE(WriteLanguage(path, 0));
        EXPECT_EQ(fs::file_size(path), size);
        EXPECT_EQ(fs::last_write_time(path), before);
    }
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
