// Plays C/SIDE for the host-detection tests: one visible top-level window of
// a given class and caption, in a process of its own.
//
//   cside_window --class NAME --caption TEXT [--no-icons] [--hung]
//                [--dialog CAPTION]
//
// --no-icons   neither the window nor its class has an icon
// --hung       the thread never reads its messages after creating the window
// --dialog     also opens an owned window of class "C/SIDE Dialog"
//
// The program ends when its main window is closed.
#include <windows.h>

#include <cwchar>
#include <string>

#include "cside_protocol.h"
#include "solid_icon.h"

namespace {

using tabwright::test::kAskBigIcon;
using tabwright::test::kAskSmallIcon;
using tabwright::test::kStopAnswering;
using tabwright::test::SolidIcon;

struct Options {
    std::wstring className = L"C/SIDE";
    std::wstring caption;
    std::wstring dialogCaption;
    bool icons = true;
    bool hung = false;
    bool dialog = false;
};

HICON g_small;
HICON g_big;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kAskSmallIcon: return reinterpret_cast<LRESULT>(g_small);
    case kAskBigIcon: return reinterpret_cast<LRESULT>(g_big);
    case kStopAnswering:
        for (;;) Sleep(INFINITE);
    case WM_DESTROY:
        if (!GetWindow(window, GW_OWNER)) PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Register(const wchar_t* className) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

bool Parse(int argc, wchar_t** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == L"--class" && hasValue) options.className = argv[++i];
        else if (arg == L"--caption" && hasValue) options.caption = argv[++i];
        else if (arg == L"--dialog" && hasValue) {
            options.dialog = true;
            options.dialogCaption = argv[++i];
        } else if (arg == L"--no-icons") options.icons = false;
        else if (arg == L"--hung") options.hung = true;
        else return false;
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fwprintf(stderr, L"cside_window: bad arguments\n");
        return 2;
    }
    if (!Register(options.className.c_str())) return 1;
    if (options.dialog && !Register(tabwright::test::kDialogClass)) return 1;

    HWND main = CreateWindowExW(0, options.className.c_str(), options.caption.c_str(),
                                WS_OVERLAPPEDWINDOW, 40, 40, 320, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!main) return 1;
    if (options.icons) {
        g_small = SolidIcon(RGB(0, 160, 0), GetSystemMetrics(SM_CXSMICON));
        g_big = SolidIcon(RGB(0, 0, 160), GetSystemMetrics(SM_CXICON));
        SendMessageW(main, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_small));
        SendMessageW(main, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_big));
    }
    // The main window is shown last: once it is visible, all is in place.
    if (options.dialog) {
        HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, tabwright::test::kDialogClass,
                                      options.dialogCaption.c_str(), WS_POPUP | WS_CAPTION, 80,
                                      80, 200, 120, main, nullptr, GetModuleHandleW(nullptr),
                                      nullptr);
        if (!dialog) return 1;
        ShowWindow(dialog, SW_SHOWNOACTIVATE);
    }
    ShowWindow(main, SW_SHOWNOACTIVATE);

    if (options.hung)
        for (;;) Sleep(INFINITE);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
