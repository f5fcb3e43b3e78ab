// What the main window computes without Windows: pixels from twips, the log
// box after a resize, when minimizing hides to the tray, and the About
// box's version line.
#include <gtest/gtest.h>

#include <string>

#include "shell/about_text.h"
#include "shell/layout.h"

namespace tabwright {
namespace {

TEST(LayoutTest, TwipsAndPixelsRoundToTheNearest) {
    for (auto [twips, dpi, pixels] : {std::tuple{1440, 120, 120}, {7065, 96, 471}, {7, 96, 0}, {8, 96, 1}, {-8, 96, -1}})
        EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
    EXPECT_EQ(PixelsToTwips(91, 96), 1365);
    EXPECT_EQ(PixelsToTwips(-1, 96), -15);
    EXPECT_EQ(PixelsToTwips(1, 0), 0);
    for (int dpi : {96, 120, 144, 192, 288})
        for (int px : {0, 1, 17, 471, 1920}) EXPECT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px) << dpi;
}

TEST(LayoutTest, TheLogBoxFollowsEachSideOnlyBeyondItsAllowance) {
    const TwipSize current{4000, 2000};
    for (auto [width, height, boxWidth, boxHeight] : {std::tuple{5000, 3450, 4670, 2085}, {330, 1365, 4000, 2000},
                                                      {331, 1366, 1, 1}, {300, 3000, 4000, 1635}}) {
        const TwipSize box = LogBoxAfterResize({width, height}, current);
        EXPECT_EQ(box.width, boxWidth) << width;
        EXPECT_EQ(box.height, boxHeight) << height;
    }
    using enum WindowState;
    EXPECT_TRUE(HidesToTray(Minimized, Normal));
    for (auto [now, last] : {std::pair{Minimized, Maximized}, {Minimized, Minimized}, {Normal, Minimized}, {Maximized, Normal}})
        EXPECT_FALSE(HidesToTray(now, last));
}

TEST(AboutTextTest, TheBuildJoinsMajorTheFirstDigitOfMinorAndRevision) {
    for (auto [major, minor, revision, line] : {std::tuple{1, 0, 0, u"Version 1.0    Build : 100"},
                                                {2, 14, 7, u"Version 2.14    Build : 217"},
                                                {10, 3, 125, u"Version 10.3    Build : 103125"}})
        EXPECT_EQ(VersionLine({u"T", u"", u"", u"", major, minor, revision}), line);
}

}  // namespace
}  // namespace tabwright
