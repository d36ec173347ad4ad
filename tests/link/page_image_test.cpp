// The page image's named places: the password bytes of page 0 where a reply and a request
// hold them, what counts as a password set on a module, and what a reset's page 0 and a
// ZADA page 1 leave around them.
#include "link/page_image.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(PageImage, PasswordBytesSitWherePageZeroKeepsThemAndOnlyDecimalPairsArePasswords) {
    link::PortBuffer buf_in;
    buf_in.fill(0xAA);
    const link::PageImage page = link::RequestPage(buf_in);
    link::PutPasswordOnPage(page, link::PackPassword("0429"));
    // Data bytes 62 and 63 follow the request's letter and page number.
    EXPECT_EQ(buf_in[64], 0x04);
    EXPECT_EQ(buf_in[65], 0x29);
    EXPECT_EQ(buf_in[63], 0xAA); // the count's low byte stays
    EXPECT_EQ(buf_in[66], 0xAA);
    EXPECT_EQ(link::PasswordOnPage(page), link::PackPassword("0429"));

    link::PortBuffer buf_out{};
    buf_out[62] = 0x51;
    buf_out[63] = 0x72;
    EXPECT_EQ(link::PasswordOnPage(link::ReplyPage(buf_out)), link::PackPassword("5172"));

    for (const link::PasswordBytes b :
         {link::PasswordBytes{0x00, 0x00}, {0x99, 0x99}, {0x09, 0x90}})
        EXPECT_TRUE(link::IsDecimalPassword(b)) << int{b.digits12} << ' ' << int{b.digits34};
    for (const link::PasswordBytes b :
         {link::PasswordBytes{0xFF, 0xFF}, {0x1A, 0x00}, {0xA1, 0x00}, {0x00, 0x0B}, {0x00, 0xC0}})
        EXPECT_FALSE(link::IsDecimalPassword(b)) << int{b.digits12} << ' ' << int{b.digits34};
    EXPECT_FALSE(link::IsDecimalPassword(link::PackPassword("12AB")));
}

TEST(PageImage, AResetPageZeroKeepsOnlyThePasswordAndZadaSettingsLeaveByte63) {
    link::PortBuffer buf_in{};
    const link::PageImage page = link::RequestPage(buf_in);
    link::PutEmptyPageZero(page, {0x51, 0x72});
    for (int b = 0; b < 60; ++b)
        ASSERT_EQ(page[b], 0xFF) << b;
    EXPECT_EQ(page[60], 0);
    EXPECT_EQ(page[61], 0);
    EXPECT_EQ(link::PasswordOnPage(page), (link::PasswordBytes{0x51, 0x72}));
    EXPECT_EQ(buf_in[1], 0); // the page number's place is the write's own
    link::PutZadaSettingsOnPage(page, {25, 2, false});
    EXPECT_EQ(page[60], 25);
    EXPECT_EQ(page[61], 2);
    EXPECT_EQ(page[62], 1); // sounds off
    EXPECT_EQ(page[63], 0x72);
}

} // namespace
} // namespace korv
