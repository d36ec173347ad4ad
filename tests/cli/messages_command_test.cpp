#include "cli/cli_command.h"
#include "cli/json_string.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace korv::cli;

namespace {
std::vector<std::string> Lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}
} // namespace

TEST(MessagesCommand, PrintsEverySlotAsAJsonString) {
    std::ostringstream out, err;
    ASSERT_EQ(RunMessages({"--lang", "0"}, out, err), 0);
    auto lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 231u);
    EXPECT_EQ(lines[0], "0\t\"Plik\"");
    EXPECT_EQ(lines[7], "7\t\"\"");
    EXPECT_EQ(lines[72], "72\t\"W systemie są \"");
    EXPECT_EQ(lines[230], "230\t\"\"");
    EXPECT_TRUE(err.str().empty());

    std::ostringstream en, err2;
    ASSERT_EQ(RunMessages({}, en, err2), 0);
    EXPECT_EQ(Lines(en.str())[168], "168\t\"   Lack of access - Wrong reader!   \"");
}

TEST(MessagesCommand, BadArgumentsPrintUsageAndExit2) {
    for (const Args& bad : {Args{"--lang"}, Args{"--lang", "6"}, Args{"--lang", "-1"},
                            Args{"--lang", "x"}, Args{"extra"}, Args{"--lang", "01"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(RunMessages(bad, out, err), 2);
        EXPECT_TRUE(out.str().empty());
        EXPECT_NE(err.str().find("usage"), std::string::npos);
    }
}

TEST(JsonString, EscapesWhatJsonRequires) {
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString(std::string("\n\t\x01", 3)), "\"\\n\\t\\u0001\"");
    EXPECT_EQ(JsonString("Súbor"), "\"Súbor\"");
}
