// The program's small fixed windows, the settings dialog and the About box:
// a window class of their own, a dialog frame without minimize and maximize
// boxes, owned by the main window so that they have no task-bar button, and
// centred on the screen's work area. Places are given in twips.
#pragma once

#include <windows.h>

#include <string>

#include "win32/handles.h"
#include "win32/twips.h"

namespace tabwright::win32 {

// The DPI of the monitor a window is on, where the system can tell it;
// otherwise, and for no window, the DPI of the screen.
int WindowDpi(HWND window = nullptr);

// The system's message font for a window at the DPI, scaled by percent,
// bold on request.
UniqueFont MessageFont(int dpi, int scalePercent = 100, bool bold = false);

// The text a window or control holds.
std::u16string WindowText(HWND window);

// Creates the window, hidden, with a client area of the size; self is
// handed to the window procedure in WM_NCCREATE (see ForwardingProc).
HWND CreateFixedWindow(HINSTANCE instance, const wchar_t* className, WNDPROC procedure, HWND owner,
                       int clientWidthTwips, int clientHeightTwips, void* self);

// Shows the window normally and brings it forward, creating it first when
// it does not exist: create makes and fills it, and tells whether it could.
template <typename Create>
void ShowFixedWindow(const UniqueWindow& window, Create create) {
    if (!window && !create()) return;
    ShowWindow(window.get(), SW_SHOWNORMAL);
    SetForegroundWindow(window.get());
}

// A visible child control with the font; extraHeight in pixels lets a
// drop-down list open below its field.
HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                 const TwipRect& place, HFONT font, int extraHeight = 0);

// Window procedure of a class whose objects answer Route(window, message,
// wParam, lParam); the object given to CreateFixedWindow is found again for
// every message up to WM_NCDESTROY.
template <typename Owner>
LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return self ? self->Route(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tabwright::win32
