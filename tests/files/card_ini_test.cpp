#include "files/card_ini.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

std::vector<std::string> Keys(const CardIni& ini, const char* section) {
    std::vector<std::string> out;
    for (const auto* e : ini.Entries(section))
        out.emplace_back(e->key);
    return out;
}

TEST(CardIni, SectionsByNameAnywhereWithoutCaseAndRepeatsAdded) {
    const CardIni ini = CardIni::Parse("magic=1\r\n"
                                       "[karty]\r\n"
                                       "A=1\r\n"
                                       "[STREFA1]\r\n"
                                       "5=105\r\n"
                                       " [ Karty ] trailing\r\n"
                                       "b=2\r\n");
    EXPECT_EQ(Keys(ini, "KARTY"), (std::vector<std::string>{"A", "b"}));
    EXPECT_EQ(Keys(ini, "strefa1"), (std::vector<std::string>{"5"}));
    EXPECT_TRUE(Keys(ini, "STREFA2").empty());
}

TEST(CardIni, KeysAndValuesTrimmedCaseKeptOrderKept) {
    const CardIni ini = CardIni::Parse("[S]\n"
                                       "  Key One  =  v a l  \n"
                                       "\n"
                                       "\t\n"
                                       "k=a=b\r"
                                       "=empty\r\n"
                                       "no equals here  \r\n"
                                       "[unclosed=3\r\n"
                                       "Key One=again");
    const auto e = ini.Entries("s");
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0]->key, "Key One");
    EXPECT_EQ(e[0]->value, "v a l");
    EXPECT_TRUE(e[0]->keyHadTrailingBlanks);
    EXPECT_EQ(e[0]->line, 2);
    EXPECT_EQ(e[1]->key, "k");
    EXPECT_EQ(e[1]->value, "a=b");
    EXPECT_FALSE(e[1]->keyHadTrailingBlanks);
    EXPECT_EQ(e[1]->line, 5);
    EXPECT_EQ(e[2]->key, "");
    EXPECT_EQ(e[2]->value, "empty");
    EXPECT_EQ(e[3]->key, "no equals here");
    EXPECT_FALSE(e[3]->hasEquals);
    EXPECT_EQ(e[4]->key, "[unclosed");
    EXPECT_EQ(e[5]->key, "Key One");
    EXPECT_EQ(e[5]->value, "again");
    EXPECT_EQ(e[5]->line, 9);
}

TEST(CardIni, NulBytesAndLinesBeforeAnySectionAreHarmless) {
    const std::string text("x=1\r\n[K]\r\na\0b=c\0\r\n", 18);
    const CardIni ini = CardIni::Parse(text);
    const auto e = ini.Entries("K");
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0]->key, std::string("a\0b", 3));
    EXPECT_EQ(ini.SectionNames(), std::vector<std::string>{"K"});
}

} // namespace
} // namespace korv
