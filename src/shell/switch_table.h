// Each switch of the main window in one row: its check box, its tray menu
// item, the registry value that keeps it, its caption, tooltip and place.
#pragma once

#include <array>
#include <string_view>

#include "settings/setting_names.h"
#include "settings/switches.h"
#include "shell/layout.h"
#include "shell/resource.h"

namespace tabwright {

struct SwitchControl {
    Switch which;
    int checkId;
    unsigned trayItemId;
    std::u16string_view valueName;
    const wchar_t* caption;
    const wchar_t* tooltip;
    TwipRect place;
};

inline constexpr std::array<SwitchControl, 4> kSwitchControls{{
    {Switch::Active, IDC_CHECK1, IDM_ACTIVATECLIPBOARD, kActive, L"&Clipboard", L"Activ on clipboard", kCheck1},
    {Switch::CSide, IDC_CHECK2, IDM_CSIDE, kCSide, L"C/&SIDE", L"Clipboard only activ when C/SIDE is running.",
     kCheck2},
    {Switch::Sign, IDC_CHECK3, IDM_SIGNS, kSign, L"Si&gn +-/*", L"Clipboard only activ when C/SIDE is running.",
     kCheck3},
    {Switch::AutoIndent, IDC_CHECK4, IDM_AUTO_INDENT, kAutoIndent, L"A&uto Indent",
     L"Clipboard only activ when C/SIDE is running.", kCheck4},
}};

constexpr const SwitchControl& ControlOf(Switch which) { return kSwitchControls[static_cast<std::size_t>(which)]; }

}  // namespace tabwright
