// Questions put to windows of other programs. A message is never allowed to
// block us: it gives up at once on a hung thread and otherwise after the
// time-out, so a frozen program cannot freeze ours.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tabwright {

// The window's answer, or nothing when it is hung, too slow or gone.
std::optional<LRESULT> AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT timeoutMs);

// The window's caption as it reports it; nothing when it does not answer.
// An empty caption is an answer.
std::optional<std::u16string> AskCaption(HWND window, UINT timeoutMs);

// The window's icon of the given size (ICON_BIG or ICON_SMALL), falling back
// to its class's icon when the window has none of its own. 0 when the window
// does not answer or no icon can be read.
HICON AskIcon(HWND window, WPARAM size, UINT timeoutMs);

// The class name, or the empty string when it cannot be read.
std::u16string ClassNameOf(HWND window);

}  // namespace tabwright
