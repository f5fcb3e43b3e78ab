// Hotkey codes as stored in the registry: the key's position in the key-name
// list plus one flag per modifier, written as decimal text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabwright {

inline constexpr int kWinFlag = 256;
inline constexpr int kShiftFlag = 512;
inline constexpr int kCtrlFlag = 1024;
inline constexpr int kAltFlag = 2048;
// Positions 0..98 of the key-name list.
inline constexpr int kKeyPositions = 99;
inline constexpr int kLargestHotkeyCode =
    kAltFlag + kCtrlFlag + kShiftFlag + kWinFlag + kKeyPositions - 1;

struct Hotkey {
    int position = 0;
    bool win = false;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

// The code of a hotkey, or nothing when its position is not in the list.
std::optional<int> EncodeHotkey(const Hotkey& key);

// Takes the flags from the highest down. A code of 0 or less, above the
// largest code, or leaving a position past the list's end sets no hotkey.
std::optional<Hotkey> DecodeHotkey(int code);

// The number a stored text starts with: leading blanks skipped, then an
// optional sign, digits with an optional fraction and exponent, read up to
// the first character that cannot continue it. Nothing when the text does
// not start with a number or the number is out of range.
std::optional<double> LeadingNumber(std::u16string_view text);

// Nearest whole number, halves going to the even neighbour.
double RoundHalfEven(double value);

// A stored hotkey code as the program reads it: the leading number rounded
// half to even and decoded. A text without a number counts as 0, no hotkey.
std::optional<Hotkey> ReadHotkeyCode(std::u16string_view stored);

// The decimal text of a code, as written to the registry.
std::u16string HotkeyCodeText(int code);

}  // namespace tabwright
