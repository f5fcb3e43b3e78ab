#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_table.h"
#include "shell/layout.h"

namespace tabwright {
namespace {

TEST(TwipsTest, ConvertAtTheCommonDpis) {
    EXPECT_EQ(TwipsToPixels(kClientArea.width, 96), 471);
    EXPECT_EQ(TwipsToPixels(kClientArea.height, 96), 230);
    EXPECT_EQ(TwipsToPixels(1440, 120), 120);
    EXPECT_EQ(TwipsToPixels(1440, 144), 144);
    EXPECT_EQ(TwipsToPixels(kClientArea.width, 192), 942);
    // To the nearest pixel, both ways, also below zero.
    EXPECT_EQ(TwipsToPixels(7, 96), 0);
    EXPECT_EQ(TwipsToPixels(8, 96), 1);
    EXPECT_EQ(TwipsToPixels(-8, 96), -1);
    EXPECT_EQ(PixelsToTwips(22, 96), 330);
    EXPECT_EQ(PixelsToTwips(91, 96), 1365);
    EXPECT_EQ(PixelsToTwips(1, 0), 0);
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        for (int px : {0, 1, 17, 471, 1920}) {
            EXPECT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px) << dpi;
        }
    }
}

TEST(LayoutTest, SwitchesStandInOneRowWithTheHostIcon) {
    const TwipRect row[] = {kCheck1, kCheck2, kImage1, kCheck3, kCheck4};
    const int lefts[] = {120, 1320, 2280, 2760, 3960};
    for (std::size_t i = 0; i < std::size(row); ++i) {
        EXPECT_EQ(row[i].left, lefts[i]);
        if (i + 1 < std::size(row)) {
            EXPECT_LE(row[i].left + row[i].width, row[i + 1].left) << "overlap at " << i;
        }
    }
    for (const TwipRect& check : {kCheck1, kCheck2, kCheck3, kCheck4}) EXPECT_EQ(check.top, 120);
    EXPECT_EQ(kImage1.width, 375);
    EXPECT_EQ(kImage1.height, 375);
    EXPECT_LE(kCheck4.left + kCheck4.width, kClientArea.width);
    EXPECT_EQ(kLogBoxLeft, 120);
    EXPECT_EQ(kLogBoxTop, 600);
}

TEST(LayoutTest, LogBoxFollowsTheWindowOnlyBeyondTheAllowance) {
    const TwipSize current{4000, 2000};
    auto after = [&](int width, int height) { return LogBoxAfterResize({width, height}, current); };
    EXPECT_EQ(after(300, 5000).width, 4000);
    EXPECT_EQ(after(5000, 5000).width, 4670);
    EXPECT_EQ(after(330, 5000).width, 4000);
    EXPECT_EQ(after(331, 5000).width, 1);
    EXPECT_EQ(after(5000, 1365).height, 2000);
    EXPECT_EQ(after(5000, 1366).height, 1);
    EXPECT_EQ(after(5000, 3450).height, 2085);
    // Each side on its own.
    EXPECT_EQ(after(300, 3000).height, 1635);
    EXPECT_EQ(after(6000, 1000).width, 5670);
}

TEST(LayoutTest, OnlyAMinimizeFromTheNormalStateHidesToTheTray) {
    using enum WindowState;
    EXPECT_TRUE(HidesToTray(Minimized, Normal));
    EXPECT_FALSE(HidesToTray(Minimized, Maximized));
    EXPECT_FALSE(HidesToTray(Minimized, Minimized));
    EXPECT_FALSE(HidesToTray(Normal, Minimized));
    EXPECT_FALSE(HidesToTray(Maximized, Normal));
    // The numbers of the states are those the resize message reports.
    EXPECT_EQ(static_cast<int>(Normal), 0);
    EXPECT_EQ(static_cast<int>(Minimized), 1);
    EXPECT_EQ(static_cast<int>(Maximized), 2);
}

TEST(CommandTableTest, RunsTheHandlerOfAnIdentifierAndTellsRangesTheirIndex) {
    CommandTable table;
    std::vector<std::string> ran;
    table.Add(7, [&] { ran.push_back("seven"); });
    table.AddRange(100, 10, [&](int index) { ran.push_back("hotkey " + std::to_string(index)); });
    EXPECT_TRUE(table.Run(7));
    EXPECT_TRUE(table.Run(100));
    EXPECT_TRUE(table.Run(109));
    EXPECT_FALSE(table.Run(110));
    EXPECT_FALSE(table.Run(8));
    EXPECT_EQ(ran, (std::vector<std::string>{"seven", "hotkey 0", "hotkey 9"}));
    // A later feature may take a command over.
    table.Add(7, [&] { ran.push_back("replaced"); });
    table.Run(7);
    EXPECT_EQ(ran.back(), "replaced");
    EXPECT_TRUE(table.Has(105));
    EXPECT_FALSE(table.Has(99));
}

}  // namespace
}  // namespace tabwright
