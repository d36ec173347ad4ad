// What korv-cli prints must reach its reader whole and harmless: a failed write is a failure,
// and text from a card file can neither add a column nor drive the terminal.
#include "cli/cli_command.h"
#include "cli/text_escape.h"
#include "support/card_files_fixture.h"
#include "support/cli_process.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace korv::cli {
namespace {

using test::ProcessOptions;
using test::RunProcess;
using test::TempFolder;

TEST(CliOutput, AnOutputThatCannotBeWrittenIsAFailure) {
    TempFolder dir;
    const std::string file = dir.File("a.zel");
    test::WriteBytes(file, test::kWorkedExampleFile);
    ProcessOptions options;
    options.outPath = "/dev/full";
    options.errPath = dir.File("err.txt");
    for (const Args& args : std::vector<Args>{{"list", file}, {"check", file}, {"messages"}}) {
        const auto r = RunProcess(KORV_CLI, args, options);
        EXPECT_EQ(r.rc, 5) << args[0];
        EXPECT_NE(r.err.find("writing the output failed: No space left on device"),
                  std::string::npos)
            << args[0] << ": " << r.err;
    }
    // The same commands into a writable file succeed: the check is not a blanket failure.
    options.outPath = dir.File("out.txt");
    EXPECT_EQ(RunProcess(KORV_CLI, {"list", file}, options).rc, 0);
    EXPECT_EQ(RunProcess(KORV_CLI, {"messages"}, options).rc, 0);
}

TEST(CliOutput, ListAndCheckEscapeWhatWouldBreakALineOrReachTheTerminal) {
    TempFolder dir;
    const std::string file = dir.File("a.zel");
    // Card descriptions are Windows-1250; 0x81 has no character there.
    test::WriteBytes(file, std::string("RUF-KARTYv9\r\n[STREFA1]\r\n0=12\r\n[KARTY]\r\n"
                                       "1;0;77;0;a\tb\\c\x1B[2J\x81\xB9\x7F\r\n"));
    std::ostringstream out, err;
    ASSERT_EQ(RunList({file}, out, err), 0) << err.str();
    // 0xB9 is a Polish letter and stays one.
    EXPECT_EQ(out.str(), "1\t0\t12\n1\t0\t77\t0\ta\\tb\\\\c\\x1B[2J\\xC2\\x81\xC4\x85\\x7F\n");

    // check names bad card numbers; they are escaped there too.
    test::WriteBytes(file, "RUF-KARTYv9\r\n[KARTY]\r\n1;0;7\x1B[0m;0;=\r\n");
    out.str("");
    EXPECT_EQ(RunCheck({file}, out, err), 1);
    EXPECT_NE(out.str().find("card \"7\\x1B[0m\" (zone 1 apartment 0): a module holds only"),
              std::string::npos)
        << out.str();
}

TEST(CliOutput, FileNamesAndFileTextsInMessagesCannotDriveTheTerminal) {
    TempFolder dir;
    const std::string name = dir.File("x\x1B]0;t\x07.zel");
    std::ostringstream out, err;
    RunList({name}, out, err); // Cannot open file
    test::WriteBytes(name, "hello");
    RunList({name}, out, err); // Wrong file!
    const std::string good = dir.File("good.zel");
    test::WriteBytes(good, test::Version9File({"1;1;7\x1B[2J;0;=", "0;1;8;0;="}));
    RunConvert({good, name + "/out.zel"}, out, err);     // left out line, Cannot create file
    RunMerge({good, good, dir.File("o.zel")}, out, err); // conflict quoting the number
    const std::string text = err.str();
    EXPECT_EQ(std::count_if(text.begin(), text.end(),
                            [](char c) { return c != '\n' && static_cast<unsigned char>(c) < 32; }),
              0)
        << text;
    EXPECT_NE(text.find("Cannot open file \"" + EscapeText(name) + "\". "), std::string::npos);
    EXPECT_NE(text.find("Card: 7\\x1B[2J exists"), std::string::npos) << text;
    EXPECT_NE(text.find(EscapeText(name) + ": Wrong file!"), std::string::npos);
    EXPECT_NE(text.find("Cannot create file \"" + EscapeText(name) + "/out.zel\""),
              std::string::npos);
}

TEST(TextEscape, ControlsAndBrokenUtf8BecomeVisibleEverythingElseStays) {
    EXPECT_EQ(EscapeText("Brama \xC5\xBC\xC3\xB3\xC5\x82ta \xE2\x82\xAC \xF0\x9F\x94\x91"),
              "Brama \xC5\xBC\xC3\xB3\xC5\x82ta \xE2\x82\xAC \xF0\x9F\x94\x91");
    EXPECT_EQ(EscapeText(std::string("\t\r\n\\\0\x1F", 6)), "\\t\\r\\n\\\\\\x00\\x1F");
    // C1 controls, a lone continuation byte, a cut sequence, an overlong form, a surrogate.
    EXPECT_EQ(EscapeText("\xC2\x9B"
                         "1m"),
              "\\xC2\\x9B1m");
    EXPECT_EQ(EscapeText("\x80"
                         "a\xE2\x82"
                         "b\xC0\xAF\xED\xA0\x80"),
              "\\x80a\\xE2\\x82b\\xC0\\xAF\\xED\\xA0\\x80");
    EXPECT_EQ(EscapeText("\xC2\xA0"), "\xC2\xA0"); // no-break space is text
}

} // namespace
} // namespace korv::cli
