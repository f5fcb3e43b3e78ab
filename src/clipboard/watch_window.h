// What the clipboard watch needs from the main window: the live switches,
// the log box, the host icon and formatting runs on the window's own
// formatter state, away from the window's thread.
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
    // Starts formatting text; the window hands the result, made ready for
    // the clipboard, to the watch's Nesting_Done on its own thread. Never
    // called while a run is under way.
    virtual void StartNesting(std::u16string text) = 0;
};

}  // namespace tabwright
