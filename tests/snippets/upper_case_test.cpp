#include <gtest/gtest.h>

#include "snippets/upper_case.h"

namespace tabwright {
namespace {

TEST(UpperCaseTest, CapitalisesSmallLettersOfTheAnsiAlphabets) {
    EXPECT_EQ(ToUpperText(u"abc xyz ABC 019 _-."), u"ABC XYZ ABC 019 _-.");
    EXPECT_EQ(ToUpperText(u"\u00E6\u00F8\u00E5\u00E9\u00FC\u00FE\u00FF"), u"\u00C6\u00D8\u00C5\u00C9\u00DC\u00DE\u0178");
    // Division sign, sharp s and micro sign have no capital here.
    EXPECT_EQ(ToUpperText(u"\u00F7\u00DF\u00B5"), u"\u00F7\u00DF\u00B5");
    // Central European, Baltic and Turkish letters.
    EXPECT_EQ(ToUpperText(u"\u0105\u010D\u0142\u0144\u0151\u015F\u0161\u017C\u017E\u0131\u011F"),
              u"\u0104\u010C\u0141\u0143\u0150\u015E\u0160\u017B\u017DI\u011E");
    EXPECT_EQ(ToUpperText(u"\u0104\u0141\u0178\u0138"), u"\u0104\u0141\u0178\u0138");
    // Greek and Cyrillic.
    EXPECT_EQ(ToUpperText(u"\u03B1\u03C9\u03C2\u03AC\u03CE"), u"\u0391\u03A9\u03A3\u0386\u038F");
    EXPECT_EQ(ToUpperText(u"\u0430\u044F\u0451\u045F"), u"\u0410\u042F\u0401\u040F");
    EXPECT_EQ(ToUpperText(u"\u0416\u20AC\u4E2D"), u"\u0416\u20AC\u4E2D");
}

}  // namespace
}  // namespace tabwright
