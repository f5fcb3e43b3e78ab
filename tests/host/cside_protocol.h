// What the tests and the stand-in C/SIDE program (cside_window.exe) agree on.
#pragma once

#include <windows.h>

namespace tabwright::test {

// Sent to a stand-in window: the handles of the icons it set on itself.
inline constexpr UINT kAskSmallIcon = WM_APP;
inline constexpr UINT kAskBigIcon = WM_APP + 1;
// Posted to a stand-in window: its thread stops answering for good.
inline constexpr UINT kStopAnswering = WM_APP + 2;

inline constexpr wchar_t kDialogClass[] = L"C/SIDE Dialog";

}  // namespace tabwright::test
