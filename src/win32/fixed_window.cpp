#include "win32/fixed_window.h"

namespace tabwright::win32 {
namespace {

// Twips to pixels of the screen, where the fixed windows are laid out.
int ScreenPixels(int twips) { return TwipsToPixels(twips, WindowDpi()); }

}  // namespace

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    }
    const ScreenDC screen;
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

UniqueFont MessageFont(int dpi, int scalePercent, bool bold) {
    // The system gives the font for the screen's DPI.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, dpi * scalePercent, WindowDpi() * 100);
    if (bold) metrics.lfMessageFont.lfWeight = FW_BOLD;
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

std::u16string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return std::u16string(text.begin(), text.end());
}

HWND CreateFixedWindow(HINSTANCE instance, const wchar_t* className, WNDPROC procedure, HWND owner,
                       int clientWidthTwips, int clientHeightTwips, void* self) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    constexpr DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT outer{0, 0, ScreenPixels(clientWidthTwips), ScreenPixels(clientHeightTwips)};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return CreateWindowExW(exStyle, className, L"", style, work.left + (work.right - work.left - width) / 2,
                           work.top + (work.bottom - work.top - height) / 2, width, height, owner, nullptr, instance,
                           self);
}

HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                 const TwipRect& place, HFONT font, int extraHeight) {
    HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, ScreenPixels(place.left),
                                   ScreenPixels(place.top), ScreenPixels(place.width),
                                   ScreenPixels(place.height) + extraHeight, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

}  // namespace tabwright::win32
