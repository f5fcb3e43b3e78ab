// One Tabwright per session: a second start finds the first by a named
// mutex of the session, shows the first one's window and ends.
#pragma once

#include <windows.h>

#include "win32/handles.h"

namespace tabwright {

class SingleInstance {
public:
    // Creates the session's mutex, or opens the one the first start holds.
    SingleInstance();

    // False when another start of the program in this session runs.
    bool First() const { return first_; }

    // Asks the running program to show its window and come to the front.
    // False when its window does not appear within a few seconds (it is
    // still starting, or ending).
    static bool ShowRunning();

private:
    win32::UniqueKernelObject mutex_;
    bool first_ = true;
};

}  // namespace tabwright
