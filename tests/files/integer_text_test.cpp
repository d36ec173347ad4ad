#include "files/integer_text.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(IntegerText, AcceptsDecimalHexSignsAndLeadingBlanks) {
    EXPECT_EQ(ParseInteger("0"), 0);
    EXPECT_EQ(ParseInteger("007"), 7);
    EXPECT_EQ(ParseInteger(" 7"), 7);
    EXPECT_EQ(ParseInteger("   +12"), 12);
    EXPECT_EQ(ParseInteger("-5"), -5);
    EXPECT_EQ(ParseInteger("$7"), 7);
    EXPECT_EQ(ParseInteger("$fF"), 255);
    EXPECT_EQ(ParseInteger("x10"), 16);
    EXPECT_EQ(ParseInteger("0x10"), 16);
    EXPECT_EQ(ParseInteger("-$10"), -16);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseInteger("$7FFFFFFF"), 2147483647);
}

TEST(IntegerText, RejectsEverythingElse) {
    for (const char* s : {"",          " ",          "+",           "-",
                          "$",         "0x",         "x",           "7 ",
                          "12a",       "a",          "1.5",         "1e3",
                          "--1",       "2147483648", "-2147483649", "99999999999999999999999",
                          "$80000000", "$G",         " - 1",        "0x-1",
                          "\t7"})
        EXPECT_FALSE(ParseInteger(s).has_value()) << '"' << s << '"';
    EXPECT_FALSE(ParseInteger(std::string_view("1\0", 2)).has_value());
}

} // namespace
} // namespace korv
