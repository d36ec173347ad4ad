#include "cli/cli_command.h"
#include "cli/cmd_files.h"
#include "cli/text_escape.h"
#include "support/card_files_fixture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace korv::cli {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

struct Outcome {
    int rc;
    std::string err;
};

class CsvCommand : public ::testing::Test {
protected:
    Outcome Csv(const Args& args) {
        std::ostringstream out, err;
        const int rc = RunCsv(args, out, err);
        EXPECT_EQ(out.str(), "");
        return {rc, err.str()};
    }
    std::string Add(const std::string& name, const std::string& bytes) {
        WriteBytes(dir.File(name), bytes);
        return dir.File(name);
    }
    TempFolder dir;
};

TEST_F(CsvCommand, ExportThenImportGivesTheCardFileBack) {
    const std::string in = Add("in.zel", test::kWorkedExampleFile);
    const std::string csv = dir.File("out.csv"), back = dir.File("back.zel");
    Outcome r = Csv({"export", in, csv});
    EXPECT_EQ(r.rc, kExitDone) << r.err;
    EXPECT_EQ(ReadBytes(csv), "\xEF\xBB\xBFzone;apartment;card;b1;description;number to dial\r\n"
                              "1;5;1234567;0;Garage;105\r\n1;5;7654321;0;;105\r\n"
                              "2;0;;;;9\r\n3;12;42;1;Door A;\r\n");
    r = Csv({"import", csv, back});
    EXPECT_EQ(r.rc, kExitDone) << r.err;
    EXPECT_EQ(ReadBytes(back), test::kWorkedExampleFile);

    // A one-zone file goes to the zone asked for.
    const std::string old = Add("old.zel", test::Version2File({"", "0042;7"}, 3328));
    EXPECT_EQ(Csv({"export", "--zone", "3", old, csv}).rc, kExitDone);
    EXPECT_NE(ReadBytes(csv).find("\r\n3;1;42;0;;\r\n3;1;7;0;;\r\n"), std::string::npos);
}

TEST_F(CsvCommand, ImportNamesEveryRefusedLineAndWritesNothing) {
    const std::string bad = Add("bad.csv", "zone,apartment,card,b1,description\n"
                                           "1,5,1,0,ok\n9,5,2,0,\n1,5,3,0,\"a=b\"\n1,5,1,0,x\n");
    const std::string out = dir.File("out.zel");
    Outcome r = Csv({"import", bad, out});
    EXPECT_EQ(r.rc, kExitMergeRefused);
    // Paths are printed escaped (a Windows path's backslashes come out doubled).
    const std::string shown = cli::EscapeText(bad);
    EXPECT_EQ(r.err, shown + ": line 3: the zone \"9\" is not a number 1 to 4\n" + shown +
                         ": line 4: The description cannot contain these characters, as a card "
                         "file cannot hold them: =\n" +
                         shown + ": line 5: card 1 is on line 2 already\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    std::string many;
    for (int k = 0; k <= MaxCards; ++k)
        many += "2;" + std::to_string(k % 256) + ";" + std::to_string(k + 1) + ";0;\r\n";
    r = Csv({"import", Add("many.csv", many), out});
    EXPECT_EQ(r.rc, kExitMergeRefused);
    EXPECT_NE(r.err.find(": line 6145: from this card on the register would hold more cards"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    r = Csv({"import", dir.File("missing.csv"), out});
    EXPECT_EQ(r.rc, kExitFileError);
    EXPECT_NE(r.err.find(MissingFileText()), std::string::npos);
    r = Csv({"export", Add("text.txt", "hello\r\n"), out});
    EXPECT_EQ(r.rc, kExitWrongFile);
}

TEST_F(CsvCommand, UsageErrors) {
    const std::string a = Add("a.csv", "1;1;1;0;\n");
    for (const Args& bad : std::vector<Args>{{},
                                             {"export"},
                                             {"export", a},
                                             {"import", a},
                                             {"import", a, "b", "c"},
                                             {"import", a, "b", "--zone", "2"},
                                             {"export", a, "b", "--zone", "5"},
                                             {"sort", a, "b"}}) {
        const Outcome r = Csv(bad);
        EXPECT_EQ(r.rc, kExitUsage);
        EXPECT_EQ(r.err.rfind("usage: korv-cli csv", 0), 0u);
    }
}

} // namespace
} // namespace korv::cli
