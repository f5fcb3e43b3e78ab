// Pictures of icons that belong to other programs, such as the small icon of
// a C/SIDE window shown on the main window. A picture draws from a private
// copy: the other program may destroy or change its icon at any time, and
// dropping the picture never touches the original.
#pragma once

#include <windows.h>

#include "win32/handles.h"

namespace tabwright {

class Picture {
public:
    Picture() = default;  // no picture

    explicit operator bool() const { return static_cast<bool>(icon_); }

    // The copy, owned by the picture; for controls that show an icon without
    // taking it over (STM_SETICON). Valid while the picture lives.
    HICON Icon() const { return icon_.get(); }

    // Draws the icon stretched to the rectangle; false when there is none.
    bool Draw(HDC dc, int x, int y, int width, int height) const;

private:
    friend Picture CreatePicture(HICON icon);

    win32::UniqueIcon icon_;
};

// A picture of the icon, which stays the caller's (or its owner's); an empty
// picture when the icon cannot be read.
Picture CreatePicture(HICON icon);

}  // namespace tabwright
