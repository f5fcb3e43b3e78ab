// The program's small fixed windows, the settings dialog and the About box:
// a window class of their own, a dialog frame without minimize and maximize
// boxes, owned by the main window so that they have no task-bar button, and
// centred on the screen's work area. Places are given in twips.
#pragma once

#include <windows.h>

namespace tabwright::win32 {

struct TwipBox {
    int left;
    int top;
    int width;
    int height;
};

// Twips to pixels of the screen.
int ScreenPixels(int twips);

// The system's message font, scaled by percent, bold on request.
HFONT MessageFont(int scalePercent = 100, bool bold = false);

// Creates the window, hidden, with a client area of the size; self is
// handed to the window procedure in WM_NCCREATE (see ForwardingProc).
HWND CreateFixedWindow(HINSTANCE instance, const wchar_t* className, WNDPROC procedure, HWND owner,
                       int clientWidthTwips, int clientHeightTwips, void* self);

// A visible child control with the font; extraHeight in pixels lets a
// drop-down list open below its field.
HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                 const TwipBox& place, HFONT font, int extraHeight = 0);

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
