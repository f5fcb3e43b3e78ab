// Switch values: only the exact text "0" turns a switch off, so a missing
// value, "00" or "off" all leave it on.
#pragma once

#include <string_view>

namespace tabwright {

constexpr bool SwitchOn(std::u16string_view stored) { return stored != u"0"; }

constexpr std::u16string_view SwitchText(bool on) { return on ? u"1" : u"0"; }

}  // namespace tabwright
