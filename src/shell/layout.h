// Where the main window's controls stand, in twips, and how the log box
// follows the window's size. No Windows headers: the window converts these
// figures to pixels for its DPI.
#pragma once

#include "win32/twips.h"

namespace tabwright {

// The designed client area of the main window.
inline constexpr TwipSize kClientArea{7065, 3450};

// One row of switches along the top edge, the host icon among them, and the
// log box below.
inline constexpr TwipRect kCheck1{120, 120, 1095, 255};
inline constexpr TwipRect kCheck2{1320, 120, 915, 255};
inline constexpr TwipRect kImage1{2280, 60, 375, 375};
inline constexpr TwipRect kCheck3{2760, 120, 1155, 255};
inline constexpr TwipRect kCheck4{3960, 120, 1335, 255};
inline constexpr TwipRect kLabel1{120, 420, 615, 195};
inline constexpr TwipRect kImage2{6600, 60, 375, 375};
inline constexpr int kLogBoxLeft = 120;
inline constexpr int kLogBoxTop = 600;

// What the window's frame, menu bar and margins take from its outer size.
inline constexpr int kLogBoxWidthAllowance = 330;
inline constexpr int kLogBoxHeightAllowance = 1365;

// The log box's size after the window took the given outer size: each side
// follows the window only while the window is larger than the allowance,
// otherwise it keeps its current length.
constexpr TwipSize LogBoxAfterResize(TwipSize outer, TwipSize current) {
    return {outer.width > kLogBoxWidthAllowance ? outer.width - kLogBoxWidthAllowance : current.width,
            outer.height > kLogBoxHeightAllowance ? outer.height - kLogBoxHeightAllowance : current.height};
}

// Window states as the resize handler sees them.
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// Minimizing hides the window to the tray, but only from the normal state:
// a maximized window minimizes as usual, and a window shown again while
// still minimized stays visible until it has been restored once.
constexpr bool HidesToTray(WindowState now, WindowState last) {
    return now == WindowState::Minimized && last == WindowState::Normal;
}

}  // namespace tabwright
