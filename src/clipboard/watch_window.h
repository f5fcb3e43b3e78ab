// What the clipboard watch needs from the main window: the live switches,
// the log box, the host icon and a formatting run on the window's own
// formatter state.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tabwright {

enum class WatchSwitch {
    Active,      // Check1: the watch runs at all
    CSide,       // Check2: only while a C/SIDE window exists
    AutoIndent,  // Check4: new code is formatted, not only logged
};

class WatchWindow {
public:
    virtual ~WatchWindow() = default;
    virtual bool Checked(WatchSwitch which) const = 0;
    virtual void ShowLog(std::u16string_view text) = 0;
    // Image1: the small icon of the C/SIDE window; the icon stays its owner's.
    virtual void ShowHostIcon(HICON icon) = 0;
    virtual void ClearHostIcon() = 0;
    virtual std::u16string Nesting(std::u16string_view text) = 0;
};

}  // namespace tabwright
