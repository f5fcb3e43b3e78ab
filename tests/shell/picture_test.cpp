// A picture shows an icon that belongs to someone else: it must draw it, and
// neither dropping the picture nor losing the original may harm the other.
#include <gtest/gtest.h>

#include <utility>

#include "host/task_list.h"
#include "shell/picture.h"
#include "solid_icon.h"
#include "test_window.h"

namespace tabwright {
namespace {

using test::DrawnColour;
using test::SolidIcon;

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The colour at the centre of what the picture draws on a white background.
COLORREF PixelDrawnBy(const Picture& picture, bool* drew = nullptr) {
    return test::DrawnOnWhite([&](HDC dc, int size) {
        const bool ok = picture.Draw(dc, 0, 0, size, size);
        if (drew) *drew = ok;
    });
}

bool IconIsValid(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

TEST(PictureTest, NoIconGivesNoPicture) {
    Picture none = CreatePicture(nullptr);
    EXPECT_FALSE(none);
    bool drew = true;
    EXPECT_EQ(PixelDrawnBy(none, &drew), kWhite);
    EXPECT_FALSE(drew);
}

TEST(PictureTest, DrawsTheIconAndLeavesTheOriginalAlone) {
    HICON original = SolidIcon(kGreen, 16);
    ASSERT_NE(original, nullptr);
    {
        Picture picture = CreatePicture(original);
        ASSERT_TRUE(picture);
        EXPECT_NE(picture.Icon(), original) << "draws from a copy of its own";
        bool drew = false;
        EXPECT_EQ(PixelDrawnBy(picture, &drew), kGreen);
        EXPECT_TRUE(drew);
        Picture moved = std::move(picture);
        EXPECT_EQ(PixelDrawnBy(moved), kGreen);
    }
    EXPECT_TRUE(IconIsValid(original)) << "dropping the picture destroyed the original";
    EXPECT_EQ(DrawnColour(original), kGreen);
    DestroyIcon(original);
}

TEST(PictureTest, OutlivesTheOriginalIcon) {
    HICON original = SolidIcon(kGreen, 16);
    Picture picture = CreatePicture(original);
    DestroyIcon(original);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(IconIsValid(picture.Icon()));
    EXPECT_EQ(PixelDrawnBy(picture), kGreen);
}

TEST(PictureTest, SharedSystemIconSurvivesThePicture) {
    HICON logo = LoadIconA(nullptr, IDI_WINLOGO);
    { EXPECT_TRUE(CreatePicture(logo)); }
    EXPECT_TRUE(IconIsValid(logo));
    EXPECT_EQ(LoadIconA(nullptr, IDI_WINLOGO), logo);
}

// The way the main window uses it: the small icon of a listed C/SIDE window.
TEST(PictureTest, WindowKeepsItsIconAfterThePictureOfItIsGone) {
    HICON small = SolidIcon(kGreen, 16);
    test::WindowOptions options;
    options.caption = L"Navision Attain";
    test::TestWindow window(options);
    ASSERT_NE(window.Handle(), nullptr);
    SendMessageW(window.Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    CTaskList list;
    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    ASSERT_EQ(list.hIconSm(1), small);

    { EXPECT_EQ(PixelDrawnBy(CreatePicture(list.hIconSm(1))), kGreen); }
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window.Handle(), WM_GETICON, ICON_SMALL, 0)), small);
    EXPECT_TRUE(IconIsValid(small));
    EXPECT_EQ(DrawnColour(small), kGreen);

    window.Destroy();
    DestroyIcon(small);
}

}  // namespace
}  // namespace tabwright
