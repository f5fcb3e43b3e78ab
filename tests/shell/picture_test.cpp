// A picture of an icon that belongs to another window draws it, and neither
// dropping the picture nor losing the original harms the other.
#include <gtest/gtest.h>

#include <functional>

#include "shell/picture.h"

namespace tabwright {
namespace {

constexpr COLORREF kGreen = RGB(0, 160, 0);

// A bitmap compatible with the screen, white with a green square of the
// given size in its top left corner.
HBITMAP Canvas(HDC dc, int green) {
    HDC screen = GetDC(nullptr);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, canvas);
    PatBlt(dc, 0, 0, 16, 16, WHITENESS);
    HBRUSH brush = CreateSolidBrush(kGreen);
    const RECT square{0, 0, green, green};
    FillRect(dc, &square, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    return canvas;
}

// The colour at the centre of what draw paints on a white canvas.
COLORREF Drawn(const std::function<void(HDC)>& draw) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP canvas = Canvas(dc, 0);
    HGDIOBJ old = SelectObject(dc, canvas);
    draw(dc);
    const COLORREF colour = GetPixel(dc, 8, 8);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    return colour;
}

TEST(PictureTest, DrawsFromACopyOfItsOwn) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP colour = Canvas(dc, 16);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);  // all black: opaque
    DeleteDC(dc);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON original = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);

    EXPECT_EQ(Drawn([&](HDC on) { CreatePicture(original).Draw(on, 0, 0, 16, 16); }), kGreen);
    EXPECT_EQ(Drawn([&](HDC on) { DrawIconEx(on, 0, 0, original, 16, 16, 0, nullptr, DI_NORMAL); }), kGreen)
        << "dropping the picture destroyed the original";
    const Picture kept = CreatePicture(original);
    DestroyIcon(original);
    EXPECT_EQ(Drawn([&](HDC on) { kept.Draw(on, 0, 0, 16, 16); }), kGreen) << "the picture needs the original";
    EXPECT_FALSE(CreatePicture(nullptr));
}

}  // namespace
}  // namespace tabwright
