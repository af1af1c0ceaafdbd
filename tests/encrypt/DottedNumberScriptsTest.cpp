#include "encrypt/DottedNumber.h"

#include <gtest/gtest.h>

namespace {

// Parts typed with a Chinese input method: full-width digits and ideographic spaces.
TEST(DottedNumberScripts, FullWidthDigitsCountWithTheirValues)
{
    EXPECT_EQ(VersionToNumber(u"１.２.３.４"), u"16909060");
    EXPECT_EQ(IpToNumber(u"１.２.３.４"), u"67305985");
    EXPECT_EQ(VersionToNumber(u"\u3000１０.0.\u3000２.１"), u"167772673");
    // A full-width full stop is no separator: the first part ends at it.
    EXPECT_EQ(VersionToNumber(u"１．２.３.４"), u"16974848");
}

} // namespace
