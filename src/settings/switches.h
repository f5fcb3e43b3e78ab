// The switches, and their stored values: only the exact text "0" turns a
// switch off, so a missing value, "00" or "off" all leave it on.
#pragma once

#include <string_view>

namespace tabwright {

// The four switches of the main window, Check1 to Check4.
enum class Switch {
    Active,      // the clipboard watch and the hotkeys work at all
    CSide,       // only while a C/SIDE window exists
    Sign,        // blanks around operators
    AutoIndent,  // new code is formatted, not only shown
};

constexpr bool SwitchOn(std::u16string_view stored) { return stored != u"0"; }

constexpr std::u16string_view SwitchText(bool on) { return on ? u"1" : u"0"; }

}  // namespace tabwright
