#include "files/code_page_1250.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(CodePage1250, PolishLettersTakeOneByteEach) {
    const std::string utf8 = "Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ €";
    const std::string bytes = EncodeWindows1250(utf8);
    EXPECT_EQ(bytes, "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1 "
                     "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF \x80");
    EXPECT_EQ(DecodeWindows1250(bytes), utf8);
}

TEST(CodePage1250, EveryByteSurvivesDecodeAndEncode) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(EncodeWindows1250(DecodeWindows1250(all)), all);
}

TEST(CodePage1250, WhatTheCodePageCannotHoldBecomesQuestionMark) {
    EXPECT_EQ(EncodeWindows1250("a日b"), "a?b");           // outside the code page
    EXPECT_EQ(EncodeWindows1250("ñ"), "?");                // Latin-1, not Central European
    EXPECT_EQ(EncodeWindows1250("x\xFFy"), "x?y");         // not UTF-8 at all
    EXPECT_EQ(EncodeWindows1250("\xC5"), "?");             // cut short
    EXPECT_EQ(EncodeWindows1250("\xC0\x80"), "??");        // overlong NUL
    EXPECT_EQ(EncodeWindows1250("\xF0\x9F\x98\x80"), "?"); // emoji
    EXPECT_EQ(EncodeWindows1250(std::string("a\0b", 3)), std::string("a\0b", 3));
}

} // namespace
} // namespace korv
