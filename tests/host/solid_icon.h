// Icons of one colour, so that whoever draws one can be checked by a pixel.
#pragma once

#include <windows.h>

#include <functional>

namespace tabwright::test {

// A square, fully opaque icon, owned by the caller.
HICON SolidIcon(COLORREF colour, int size);

// The colour at the centre of what draw paints on a white 16x16 canvas,
// given the canvas and its size; white when it paints nothing.
COLORREF DrawnOnWhite(const std::function<void(HDC dc, int size)>& draw);

// The colour at the centre of what the icon draws on a white background;
// white when it draws nothing.
COLORREF DrawnColour(HICON icon);

}  // namespace tabwright::test
