#include "cli/cli_command.h"
#include "cli/cmd_files.h"
#include "cli/module_session.h"
#include "cli/text_escape.h"
#include "files/card_file_v9.h"
#include "files/file_bytes.h"
#include "support/card_files_fixture.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace korv::cli {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

struct Outcome {
    int rc;
    std::string out, err;
};

Outcome Call(int (*command)(const Args&, std::ostream&, std::ostream&), const Args& args) {
    std::ostringstream out, err;
    const int rc = command(args, out, err);
    return {rc, out.str(), err.str()};
}

class FileTools : public ::testing::Test {
protected:
    std::string Add(const std::string& name, const std::string& bytes) {
        WriteBytes(dir.File(name), bytes);
        return dir.File(name);
    }
    TempFolder dir;
};

TEST_F(FileTools, ConvertWritesWhatSaveWrites) {
    // The worked example with LF line ends, odd blanks and a section order of its own.
    const std::string in = Add("in.txt", "RUF-KARTYv9\r\n[karty]\n 1;5;1234567;0;Garage=\n"
                                         "1;5;7654321;0;=\n3;12;42;1;Door A =\n"
                                         "[STREFA2]\n0 = 9\n[STREFA1]\n5=105\n");
    const std::string out = dir.File("out.zel");
    const Outcome r = Call(RunConvert, {in, out});
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(ReadBytes(out), test::kWorkedExampleFile);

    const std::string old = Add("old.zel", test::Version2File({"", "0042;7"}, 3328));
    EXPECT_EQ(Call(RunConvert, {"--zone", "3", old, out}).rc, 0);
    EXPECT_NE(ReadBytes(out).find("[KARTY]\r\n3;1;42;0;=\r\n3;1;7;0;=\r\n"), std::string::npos);
}

TEST_F(FileTools, ExitCodesForUsageWrongFilesAndErrors) {
    const std::string good = Add("good.zel", test::kWorkedExampleFile);
    for (const Args& bad : std::vector<Args>{{},
                                             {good},
                                             {good, "a", "b"},
                                             {good, "o", "--zone", "5"},
                                             {good, "o", "--zone"},
                                             {good, "o", "--zone=1", "--zone=2"},
                                             {good, "o", "-x"}})
        EXPECT_EQ(Call(RunConvert, bad).rc, kExitUsage);

    Outcome r = Call(RunConvert, {Add("text.txt", "hello\r\n"), dir.File("o")});
    EXPECT_EQ(r.rc, kExitWrongFile);
    EXPECT_NE(r.err.find("Wrong file!"), std::string::npos);
    r = Call(RunList, {Add("old.zel", test::Version2File({"1"}, 3327))});
    EXPECT_EQ(r.rc, kExitWrongFile);
    EXPECT_NE(r.err.find("Wrong file_v2!"), std::string::npos);
    r = Call(RunCheck, {Add("empty.zel", "")});
    EXPECT_EQ(r.rc, kExitWrongFile);

    r = Call(RunList, {dir.File("missing.zel")});
    EXPECT_EQ(r.rc, kExitFileError);
    EXPECT_NE(r.err.find(MissingFileText()), std::string::npos);
    r = Call(RunConvert, {good, dir.File("no/folder/out.zel")});
    EXPECT_EQ(r.rc, kExitFileError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o")));
}

TEST_F(FileTools, MergeRefusesAConflictAndLeavesOutAlone) {
    const std::string base = Add("base.zel", test::kWorkedExampleFile);
    const std::string add =
        Add("add.zel", test::Version9File({"4;1;99;0;=", "2;9;1234567;0;=", "4;2;42;0;="}));
    const std::string out = Add("out.zel", "previous");
    const Outcome r = Call(RunMerge, {base, add, out});
    EXPECT_EQ(r.rc, kExitMergeRefused);
    EXPECT_EQ(r.err, "Adding cards from file operation failed!\n"
                     "Card: 1234567 exists:\n"
                     "- loc. 9 in added file\n"
                     "- loc. 5 in the system (destination file)\n"
                     "Remov card from one of these two locations\n");
    EXPECT_EQ(ReadBytes(out), "previous");
}

TEST_F(FileTools, MergeAppendsCardsButNotNumbersToDial) {
    const std::string base = Add("base.zel", test::kWorkedExampleFile);
    const std::string add =
        Add("add.zel", "RUF-KARTYv9\r\n[STREFA4]\r\n1=41\r\n[KARTY]\r\n4;1;99;0;new=\r\n");
    const std::string out = dir.File("out.zel");
    EXPECT_EQ(Call(RunMerge, {base, add, out}).rc, 0);
    const Outcome list = Call(RunList, {out});
    EXPECT_EQ(list.out, "1\t5\t105\n2\t0\t9\n1\t5\t1234567\t0\tGarage\n1\t5\t7654321\t0\t\n"
                        "3\t12\t42\t1\tDoor A\n4\t1\t99\t0\tnew\n");

    const std::string old = Add("old.zel", test::Version2File({"", "", "77"}, 3328));
    EXPECT_EQ(Call(RunMerge, {out, old, out, "--zone=2"}).rc, 0);
    EXPECT_NE(Call(RunList, {out}).out.find("2\t2\t77\t0\t\n"), std::string::npos);
    const Outcome again = Call(RunMerge, {out, old, out, "--zone=3"});
    EXPECT_EQ(again.rc, kExitMergeRefused);
    EXPECT_EQ(again.err,
              "Adding cards from file: There is a card in the file that has a number already "
              "used!\n");
}

TEST_F(FileTools, MergeRefusesMoreThanAModuleHolds) {
    // 3 cards in the base and 6142 new ones in the file: one too many.
    const std::string base = Add("base.zel", test::kWorkedExampleFile);
    TTablica t;
    test::FillRegister(t, 6142);
    std::vector<std::string> lines;
    t.ForEachCard([&](int z, int a, int, const TKarta& k) {
        lines.push_back(std::to_string(z) + ";" + std::to_string(a) + ";" + k.numer + ";0;=");
    });
    const Outcome r =
        Call(RunMerge, {base, Add("add.zel", test::Version9File(lines)), dir.File("o")});
    EXPECT_EQ(r.rc, kExitMergeRefused);
    EXPECT_EQ(r.err,
              "Adding cards from file: There can't be more then 6144 cards in the module!\n");
    lines.pop_back();
    EXPECT_EQ(Call(RunMerge, {base, Add("add.zel", test::Version9File(lines)), dir.File("o")}).rc,
              0);
}

TEST_F(FileTools, LeftOutLinesAreNamedAndConvertAndMergeExitSix) {
    const std::string in =
        Add("in.zel", test::Version9File({"1;1;1;0;=", "5;1;2;0;=", "1;300;3;0;="}));
    // Names are printed escaped: a Windows path's backslashes come out doubled.
    const std::string inLines =
        EscapeText(in) + ": line 5: card line ignored (needs zone 1..4 and apartment 0..255)\n" +
        EscapeText(in) + ": line 6: card line ignored (needs zone 1..4 and apartment 0..255)\n";
    const std::string out = dir.File("out.zel");
    Outcome r = Call(RunConvert, {in, out});
    EXPECT_EQ(r.rc, kExitLinesLeftOut);
    EXPECT_EQ(r.err, inLines);
    EXPECT_EQ(Call(RunList, {out}).out, "1\t1\t1\t0\t\n");

    // Both files' lines, the one-zone file's past apartment 255.
    const std::string old =
        Add("old.zel", test::Version2File({"9"}, 0) + "7\r\n" + std::string(2900, ' '));
    r = Call(RunMerge, {in, old, out});
    EXPECT_EQ(r.rc, kExitLinesLeftOut);
    EXPECT_EQ(r.err, inLines + EscapeText(old) +
                         ": line 258: cards ignored (a one-zone file ends with apartment 255 on "
                         "line 257)\n");
    EXPECT_EQ(Call(RunList, {out}).out, "1\t0\t9\t0\t\n1\t1\t1\t0\t\n");

    // A refused merge adds nothing, so no line of ADD is left out of anything.
    r = Call(RunMerge, {out, old, dir.File("o")});
    EXPECT_EQ(r.rc, kExitMergeRefused);
    EXPECT_EQ(r.err.find("line 258"), std::string::npos);
    // Other commands name the lines and keep their exit codes; check lists them once, on stdout.
    r = Call(RunList, {in});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.err, inLines);
    r = Call(RunCheck, {in});
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("line 6: card line ignored"), std::string::npos);
}

TEST_F(FileTools, NoCommandWritesACardFileItCouldNotReadBack) {
    // Two halves of a register each make a readable file; together they pass the limit.
    TTablica halves[2];
    int k = 0;
    test::OverSizeRegister().ForEachCard(
        [&](int z, int a, int, const TKarta& c) { halves[k++ % 2].AddCard(z, a, c); });
    const std::string first = dir.File("first.zel"), second = dir.File("second.zel");
    ASSERT_TRUE(WriteCardFile(halves[0], first).ok);
    ASSERT_TRUE(WriteCardFile(halves[1], second).ok);
    const std::string out = Add("out.zel", "kept");
    const Outcome r = Call(RunMerge, {first, second, out});
    EXPECT_EQ(r.rc, kExitFileError);
    EXPECT_NE(r.err.find("at most 1,000,000 bytes"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(out), "kept");
}

TEST_F(FileTools, CheckListsWhatAnInstallerMustFix) {
    const std::string clean = Add("clean.zel", test::kWorkedExampleFile);
    Outcome r = Call(RunCheck, {clean});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.out, "format: RUF-KARTYv9\ncards: 3\n");

    const std::string bad = Add("bad.zel", test::Version9File({
                                               "1;1;123;0;a=b=",    // line 4
                                               "1;1;124;0;tail  =", // line 5
                                               "0;1;125;0;=",       // line 6
                                               "2;2;123;0;=",       // line 7
                                               "1;3;0126;0;=",      // line 8
                                               "1;3;12a;0;=",       // line 9
                                               "1;3;;0;=",          // line 10
                                               "1;3;268435456;0;=", // line 11
                                               "1;3;268435455;0;=", // line 12
                                               "1;3;0;0;=",         // line 13
                                           }));
    r = Call(RunCheck, {bad});
    EXPECT_EQ(r.rc, kExitProblemsFound);
    EXPECT_EQ(r.out, "format: RUF-KARTYv9\n"
                     "cards: 9\n"
                     "line 4: description of card \"123\" holds \"=\"; the text after it is lost\n"
                     "line 5: description of card \"124\" ends in blanks; they are lost\n"
                     "line 6: card line ignored (needs zone 1..4 and apartment 0..255)\n"
                     "card \"0126\" (zone 1 apartment 3): leading zeros; a module gives it back "
                     "without them\n"
                     "card \"12a\" (zone 1 apartment 3): a module holds only plain decimal "
                     "digits\n"
                     "card \"\" (zone 1 apartment 3): a module holds only plain decimal digits\n"
                     "card \"268435456\" (zone 1 apartment 3): a module holds numbers below "
                     "268435456 only\n"
                     "duplicate number \"123\": zone 1 apartment 1 and zone 2 apartment 2\n");

    r = Call(RunCheck, {Add("old.zel", test::Version2File({"9;0;;-5;abc", "1;2;3;4;5;6;7"}, 3328)),
                        "--zone", "2"});
    EXPECT_EQ(r.rc, kExitProblemsFound);
    EXPECT_EQ(r.out, "format: RUF-KARTYv2 (one zone, read into zone 2)\n"
                     "cards: 6\n"
                     "line 2: \"-5\" is not a card number and is ignored\n"
                     "line 2: \"abc\" is not a card number and is ignored\n"
                     "line 3: more than six numbers; only the first five are read\n");

    std::vector<std::string> many;
    for (int k = 1; k <= 6145; ++k)
        many.push_back("1;1;" + std::to_string(k) + ";0;=");
    const std::string manyFile = Add("many.zel", test::Version9File(many));
    r = Call(RunCheck, {manyFile});
    EXPECT_EQ(r.rc, kExitProblemsFound);
    EXPECT_NE(r.out.find("6145 cards: a module holds at most 6144\n"), std::string::npos);

    // A module write refuses the same file before the cable is opened, in the window's words.
    AppState state;
    ModuleOptions write;
    write.path = manyFile;
    std::ostringstream err;
    EXPECT_EQ(PrepareTransfer("write", write, state, err), kExitNotForModule);
    EXPECT_EQ(err.str(), "korv-cli module: " + EscapeText(manyFile) +
                             " holds 6145 cards; There can't be more then 6144 cards in the "
                             "module!\n");
}

} // namespace
} // namespace korv::cli
