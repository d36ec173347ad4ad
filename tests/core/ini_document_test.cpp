#include "core/ini_document.h"

#include <gtest/gtest.h>

using namespace korv;

TEST(IniDocument, ReadsSectionsAndKeysWithoutCaseAndTrimsBlanks) {
    auto d = IniDocument::Parse("junk\r\n[zel V7]\r\n  jezyk =  3 \r\nother=1\n[x]\rJezyk=4");
    EXPECT_EQ(d.Value("ZEL v7", "Jezyk"), "3");
    EXPECT_EQ(d.Value("X", "JEZYK"), "4");
    EXPECT_FALSE(d.Value("ZEL v7", "missing"));
    EXPECT_FALSE(d.Value("nosuch", "Jezyk"));
    auto e = d.Entries("zel v7");
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[1].key, "other");
}

TEST(IniDocument, EntriesOfARepeatedSectionComeInFileOrder) {
    auto d = IniDocument::Parse("[A]\na=1\n[B]\nb=2\n[a]\nc=3\nno equals sign\n=empty key\n");
    auto e = d.Entries("A");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].key, "a");
    EXPECT_EQ(e[1].key, "c");
    EXPECT_EQ(e[2].key, "");
    EXPECT_EQ(e[2].value, "empty key");
}

TEST(IniDocument, SetValueRewritesInPlaceAndKeepsTheRest) {
    auto d = IniDocument::Parse("; note\n[Other]\nk=v\n\n[ZEL v7]\nJezyk=9\n");
    d.SetValue("ZEL v7", "Jezyk", "1");
    EXPECT_EQ(d.Serialize("\n"), "; note\n[Other]\nk=v\n\n[ZEL v7]\nJezyk=1\n");

    auto e = IniDocument::Parse("[Other]\nk=v\n\n[ZEL v7]\n\n");
    e.SetValue("ZEL v7", "Jezyk", "0");
    EXPECT_EQ(e.Serialize("\n"), "[Other]\nk=v\n\n[ZEL v7]\nJezyk=0\n\n");
    e.SetValue("Other", "new", "x");
    EXPECT_EQ(e.Serialize("\n"), "[Other]\nk=v\nnew=x\n\n[ZEL v7]\nJezyk=0\n\n");
    EXPECT_EQ(e.Value("ZEL v7", "Jezyk"), "0");

    IniDocument empty;
    empty.SetValue("ZEL v7", "Jezyk", "1");
    EXPECT_EQ(empty.Serialize("\n"), "[ZEL v7]\nJezyk=1\n");
}
