// Places in twips (1440 to the inch), as the program's windows are laid out,
// and their conversion to pixels for a DPI. No Windows headers: the layout
// rules are tested natively.
#pragma once

namespace tabwright {

inline constexpr int kTwipsPerInch = 1440;

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct TwipSize {
    int width;
    int height;
};

// Rounds to the nearest pixel, so that a layout scales evenly with the DPI.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>((scaled >= 0 ? scaled + kTwipsPerInch / 2 : scaled - kTwipsPerInch / 2) / kTwipsPerInch);
}

constexpr int PixelsToTwips(int pixels, int dpi) {
    if (dpi <= 0) return 0;
    const long long scaled = static_cast<long long>(pixels) * kTwipsPerInch;
    return static_cast<int>((scaled >= 0 ? scaled + dpi / 2 : scaled - dpi / 2) / dpi);
}

}  // namespace tabwright
