// What the clipboard watch needs from the main window: the live switches,
// the log box, the host icon and a formatting run on the window's own
// formatter state.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "settings/switches.h"

namespace tabwright {

class WatchWindow {
public:
    virtual ~WatchWindow() = default;
    // The watch reads Active, CSide and AutoIndent.
    virtual bool Checked(Switch which) const = 0;
    virtual void ShowLog(std::u16string_view text) = 0;
    // Image1: the small icon of the C/SIDE window; the icon stays its owner's.
    virtual void ShowHostIcon(HICON icon) = 0;
    virtual void ClearHostIcon() = 0;
    virtual std::u16string Nesting(std::u16string_view text) = 0;
};

}  // namespace tabwright
