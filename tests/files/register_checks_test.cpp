#include "files/register_checks.h"

#include "support/card_files_fixture.h"

#include <gtest/gtest.h>
#include <memory>

namespace korv {
namespace {

TEST(RegisterChecks, CardNumbersAModuleCannotHoldOrGivesBackChanged) {
    using F = CardNumberFault;
    const std::pair<const char*, F> cases[] = {
        {"268435455", F::None},
        {"268435456", F::TooLarge},
        {"0268435455", F::LeadingZeros},
        {"00000000268435456", F::TooLarge},
        {"99999999999999999999", F::TooLarge}, // too long for any integer type
        {"0", F::None},
        {"00", F::LeadingZeros},
        {"", F::NotPlainDigits},
        {"+5", F::NotPlainDigits},
        {"1 2", F::NotPlainDigits},
        {"\xD9\xA3", F::NotPlainDigits}, // Arabic-Indic 3
    };
    for (const auto& [numer, fault] : cases)
        EXPECT_EQ(CheckCardNumber(numer), fault) << numer;
}

TEST(RegisterChecks, EveryRepeatOfANumberPointsAtItsFirstPlace) {
    auto t = std::make_unique<TTablica>();
    t->AddCard(3, 7, {"55", false, ""});
    t->AddCard(1, 2, {"055", false, ""});
    t->AddCard(4, 0, {"55", true, "x"});
    t->AddCard(4, 0, {"55", false, ""});
    const std::vector<CardCheck> found = CheckCards(*t);
    ASSERT_EQ(found.size(), 4u);
    // Register order: zone 1 first. "055" is the card "55" is, as the module and Add see it:
    // the first place, with its own fault, and every "55" repeats it.
    EXPECT_EQ(found[0].numer, "055");
    EXPECT_EQ(found[0].fault, CardNumberFault::LeadingZeros);
    EXPECT_FALSE(found[0].duplicateOf);
    for (int i : {1, 2, 3}) {
        EXPECT_EQ(found[i].where.zone, i == 1 ? 3 : 4);
        ASSERT_TRUE(found[i].duplicateOf);
        EXPECT_EQ(found[i].duplicateOf->zone, 1);
        EXPECT_EQ(found[i].duplicateOf->apartment, 2);
    }
    EXPECT_FALSE(ExceedsModule(*t));
    test::FillRegister(*t, MaxCards + 1);
    EXPECT_TRUE(ExceedsModule(*t));
}

TEST(RegisterChecks, LinesTheReaderDropsOrShortens) {
    // Any whole number is a number to dial; these three are not, and vanish on reading.
    const auto v9 = CheckVersion9Lines("RUF-KARTYv9\r\n[STREFA2]\r\n256=1\r\n7=\r\n8=12x\r\n"
                                       "9=-3\r\n[KARTY]\r\n5;1;6;0;=\r\n1;1;7;0;x \t=\r\n");
    const std::vector<int> lines = {3, 4, 5, 8, 9};
    ASSERT_EQ(v9.size(), lines.size());
    for (size_t i = 0; i < v9.size(); ++i)
        EXPECT_EQ(v9[i].line, lines[i]) << i;
    EXPECT_EQ(v9[4].fault, LineFault::DescriptionEndsInBlanks);
    EXPECT_EQ(v9[4].subject, "7");

    // Windows-1250 text of a bad field comes back as UTF-8.
    const auto v2 = CheckVersion2Lines(test::Version2File({"", "", "1;\xB9;0;;"}, 3328));
    ASSERT_EQ(v2.size(), 1u);
    EXPECT_EQ(v2[0].line, 4);
    EXPECT_EQ(v2[0].subject, "\xC4\x85");
    // Cards below line 257 are never read.
    const auto past = CheckVersion2Lines(test::Version2File({}, 0) + "\r\n12\r\n");
    ASSERT_EQ(past.size(), 1u);
    EXPECT_EQ(past[0].line, 259);
    EXPECT_EQ(past[0].fault, LineFault::CardsPastApartment255);
}

} // namespace
} // namespace korv
