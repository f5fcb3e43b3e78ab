#include "shell/kestrel.h"

#include <commctrl.h>

#include "settings/autostart.h"
#include "settings/regedit.h"
#include "settings/setting_names.h"
#include "settings/switches.h"
#include "shell/resource.h"
#include "snippets/key_names.h"

namespace tabwright {
namespace {

constexpr int kCheckIds[] = {IDC_CHECK1, IDC_CHECK2, IDC_CHECK3, IDC_CHECK4};
constexpr TwipRect kCheckPlaces[] = {kCheck1, kCheck2, kCheck3, kCheck4};
constexpr const wchar_t* kCheckCaptions[] = {L"&Clipboard", L"C/&SIDE", L"S&ign +-/*", L"Auto Indent"};
constexpr const wchar_t* kCheckTips[] = {
    L"Activ on clipboard",
    L"Clipboard only activ when C/SIDE is running.",
    L"Clipboard only activ when C/SIDE is running.",
    L"Clipboard only activ when C/SIDE is running.",
};

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The DPI of the monitor a window is on, where the system can tell it;
// otherwise the DPI of the screen.
int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

HICON LoadProgramIcon(HINSTANCE instance, int width, int height) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TABWRIGHT), IMAGE_ICON, width, height, 0));
}

// The system's message font, scaled from the screen's DPI to the window's.
HFONT MessageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const int screenDpi = WindowDpi(nullptr);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, screenDpi);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

// The log box holds code: a fixed-pitch font keeps its indentation readable.
HFONT CodeFont(int dpi) {
    return CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN,
                       L"Consolas");
}

}  // namespace

const std::array<SwitchControl, 4>& Kestrel::Switches() {
    static const std::array<SwitchControl, 4> switches{{
        {IDC_CHECK1, IDM_ACTIVATECLIPBOARD, kActive},
        {IDC_CHECK2, IDM_CSIDE, kCSide},
        {IDC_CHECK3, IDM_SIGNS, kSign},
        {IDC_CHECK4, IDM_AUTO_INDENT, kAutoIndent},
    }};
    return switches;
}

Kestrel::Kestrel(HINSTANCE instance) : instance_(instance) {}

Kestrel::~Kestrel() {
    tray_.reset();
    if (hwnd_) DestroyWindow(hwnd_);
    if (owner_) DestroyWindow(owner_);
    if (trayMenus_) DestroyMenu(trayMenus_);
    if (font_) DeleteObject(font_);
    if (logFont_) DeleteObject(logFont_);
    if (icon_) DestroyIcon(icon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

bool Kestrel::Create() {
    const int screenDpi = WindowDpi(nullptr);
    icon_ = LoadProgramIcon(instance_, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    smallIcon_ = LoadProgramIcon(instance_, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = icon_;
    windowClass.hIconSm = smallIcon_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    // An owned window gets a task-bar button only with WS_EX_APPWINDOW, so
    // the button can come and go with that one style bit.
    owner_ = CreateWindowExW(0, L"STATIC", kCaption, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr);
    menuBar_ = LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_MAINMENU));
    trayMenus_ = LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_TRAYMENU));
    trayMenu_ = GetSubMenu(trayMenus_, 0);

    RECT outer{0, 0, TwipsToPixels(kClientArea.width, screenDpi), TwipsToPixels(kClientArea.height, screenDpi)};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, TRUE, 0);
    hwnd_ = CreateWindowExW(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                            outer.right - outer.left, outer.bottom - outer.top, owner_, menuBar_, instance_, this);
    if (!hwnd_) return false;
    CreateControls();
    RegisterCommands();
    Form_Load();
    return true;
}

LRESULT CALLBACK Kestrel::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Kestrel*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Kestrel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->Route(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Kestrel::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // Menu items and the check boxes' clicks; other notifications of the
        // controls need no answer.
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) commands_.Run(LOWORD(wParam));
        return 0;
    case kTrayCallback:
        Form_MouseMove(static_cast<UINT>(LOWORD(lParam)));
        return 0;
    case WM_TIMER:
        if (wParam == kTimer1) Timer1_Timer();
        return 0;
    case WM_SIZE:
        if (hwnd_ && Control(IDC_TEXT1)) Form_Resize(static_cast<WindowState>(wParam <= SIZE_MAXIMIZED ? wParam : 0));
        return 0;
    case WM_SHOWWINDOW:
        // A window that appears is resized as it stands, so the state it
        // shows in becomes the last state seen.
        if (wParam && lParam == 0) Form_Resize(CurrentState());
        break;
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyLayout();
        return 0;
    }
    case WM_CLOSE:
        Form_QueryUnload();
        DestroyWindow(hwnd_);
        return 0;
    case WM_ENDSESSION:
        if (wParam) tray_->Remove();
        return 0;
    case WM_DESTROY:
        Form_Terminate();
        return 0;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcW(hwnd_, message, wParam, lParam);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return result;
    }
    default:
        break;
    }
    if (message == TrayIcon::TaskbarCreatedMessage() && tray_) {
        tray_->Restore();
        return 0;
    }
    if (const auto handler = messages_.find(message); handler != messages_.end())
        return handler->second(wParam, lParam);
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Kestrel::CreateControls() {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    auto make = [this](DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
        return CreateWindowExW(exStyle, cls, text, style, 0, 0, 0, 0, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    };
    for (int i = 0; i < 4; ++i)
        make(0, L"BUTTON", kCheckCaptions[i], child | WS_TABSTOP | BS_AUTOCHECKBOX, kCheckIds[i]);
    make(0, L"STATIC", L"", child | SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, IDC_IMAGE1);
    make(0, L"STATIC", L"", child | SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, IDC_IMAGE2);
    make(0, L"STATIC", L"Log :", WS_CHILD, IDC_LABEL1);
    make(WS_EX_CLIENTEDGE, L"EDIT", L"",
         child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
         IDC_TEXT1);
    make(0, L"COMBOBOX", L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, IDC_COMBO1);

    INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                               0, 0, 0, hwnd_, nullptr, instance_, nullptr);
    for (int i = 0; i < 4; ++i) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd_;
        tool.uId = reinterpret_cast<UINT_PTR>(Control(kCheckIds[i]));
        tool.lpszText = const_cast<wchar_t*>(kCheckTips[i]);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ApplyLayout();
}

int Kestrel::Dpi() const { return WindowDpi(hwnd_); }

void Kestrel::PlaceControl(int id, const TwipRect& place) {
    SetWindowPos(Control(id), nullptr, Px(place.left), Px(place.top), Px(place.width), Px(place.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Kestrel::ApplyLayout() {
    const int dpi = Dpi();
    if (font_) DeleteObject(font_);
    if (logFont_) DeleteObject(logFont_);
    font_ = MessageFont(dpi);
    logFont_ = CodeFont(dpi);
    for (int i = 0; i < 4; ++i) {
        PlaceControl(kCheckIds[i], kCheckPlaces[i]);
        SendMessageW(Control(kCheckIds[i]), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    PlaceControl(IDC_IMAGE1, kImage1);
    PlaceControl(IDC_IMAGE2, kImage2);
    PlaceControl(IDC_LABEL1, kLabel1);
    SendMessageW(Control(IDC_LABEL1), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SendMessageW(Control(IDC_TEXT1), WM_SETFONT, reinterpret_cast<WPARAM>(logFont_), TRUE);
    SendMessageW(Control(IDC_COMBO1), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SetWindowPos(Control(IDC_TEXT1), nullptr, Px(kLogBoxLeft), Px(kLogBoxTop), 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    Form_Resize(CurrentState());
}

WindowState Kestrel::CurrentState() const {
    if (IsIconic(hwnd_)) return WindowState::Minimized;
    return IsZoomed(hwnd_) ? WindowState::Maximized : WindowState::Normal;
}

void Kestrel::RegisterCommands() {
    for (int i = 0; i < 4; ++i) {
        commands_.Add(static_cast<unsigned>(Switches()[static_cast<std::size_t>(i)].checkId), [this, i] { Check_Click(i); });
        commands_.Add(Switches()[static_cast<std::size_t>(i)].trayItemId, [this, i] { TrayItem_Click(i); });
    }
    commands_.Add(IDM_OPENPROGRAM, [this] { OpenProgram_Click(); });
    commands_.Add(IDM_QUITPROGRAM, [this] { QuitProgram_Click(); });
    commands_.Add(IDM_REBOOT, [this] { Reboot_Click(); });
}

void Kestrel::Form_Load() {
    for (int position = 0; position < kKeyCount; ++position) {
        const std::wstring entry = Wide(KeyListEntry(position));
        SendMessageW(Control(IDC_COMBO1), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    lastWindowState_ = WindowState::Minimized;

    tray_ = std::make_unique<TrayIcon>(hwnd_, kTrayIconId, kTrayCallback, smallIcon_, kCaption);
    tray_->Add();
    ShowTaskbarButton(false);
    ShowWindow(hwnd_, SW_HIDE);

    for (int i = 0; i < 4; ++i) {
        // A switch found on is stored as "1" at once; one found off is left.
        const std::u16string_view name = Switches()[static_cast<std::size_t>(i)].valueName;
        if (!SwitchOn(Regedit::GetString(HKEY_CURRENT_USER, kProgramKey, name))) {
            SendMessageW(Control(kCheckIds[i]), BM_SETCHECK, BST_UNCHECKED, 0);
            CheckMenuItem(trayMenu_, Switches()[static_cast<std::size_t>(i)].trayItemId, MF_UNCHECKED);
        } else {
            SetSwitch(i, true);
        }
    }
    CheckMenuItem(menuBar_, IDM_REBOOT, AutostartEnabled() ? MF_CHECKED : MF_UNCHECKED);

    TaskList = std::make_unique<CTaskList>();
    TaskList->HungTimeout(250);
    TaskList->Refresh();
    Clip = std::make_unique<CClipboard>(hostFormat_, hwnd_);
    watch_ = std::make_unique<ClipboardWatch>(*this, *Clip, hostFormat_, *TaskList);

    SetTimer(hwnd_, kTimer1, kTimer1Interval, nullptr);
}

void Kestrel::Form_Resize(WindowState state) {
    if (state != WindowState::Minimized) {
        // A minimized window has no useful size; the log box follows the
        // window again when it is restored.
        const int dpi = Dpi();
        RECT outer{};
        RECT log{};
        GetWindowRect(hwnd_, &outer);
        GetWindowRect(Control(IDC_TEXT1), &log);
        const TwipSize size = LogBoxAfterResize(
            {PixelsToTwips(outer.right - outer.left, dpi), PixelsToTwips(outer.bottom - outer.top, dpi)},
            {PixelsToTwips(log.right - log.left, dpi), PixelsToTwips(log.bottom - log.top, dpi)});
        SetWindowPos(Control(IDC_TEXT1), nullptr, 0, 0, Px(size.width), Px(size.height),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    if (HidesToTray(state, lastWindowState_)) {
        ShowWindow(hwnd_, SW_HIDE);
        ShowTaskbarButton(false);
    }
    lastWindowState_ = state;
}

void Kestrel::Form_MouseMove(UINT code) {
    // A callback that arrives while the pop-up menu is open is dropped.
    if (trayBusy_) return;
    trayBusy_ = true;
    if (code == WM_LBUTTONDBLCLK) {
        ShowWindow(hwnd_, SW_SHOW);
    } else if (code == WM_RBUTTONUP) {
        // Without the foreground the menu would not close when the user
        // clicks elsewhere; the null message lets it close at once.
        SetForegroundWindow(hwnd_);
        POINT cursor{};
        GetCursorPos(&cursor);
        TrackPopupMenuEx(trayMenu_, TPM_RIGHTBUTTON, cursor.x, cursor.y, hwnd_, nullptr);
        PostMessageW(hwnd_, WM_NULL, 0, 0);
    }
    trayBusy_ = false;
}

void Kestrel::Form_QueryUnload() {
    if (tray_) tray_->Remove();
}

void Kestrel::Form_Terminate() {
    KillTimer(hwnd_, kTimer1);
    watch_.reset();
    Clip.reset();
    PostQuitMessage(0);
}

void Kestrel::ShowTaskbarButton(bool show) {
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    const LONG_PTR wanted = show ? (style | WS_EX_APPWINDOW) : (style & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW));
    if (wanted == style) return;
    // The task bar looks at the style only when a window appears.
    const bool visible = IsWindowVisible(hwnd_);
    if (visible) ShowWindow(hwnd_, SW_HIDE);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, wanted);
    if (visible) ShowWindow(hwnd_, SW_SHOWNA);
}

bool Kestrel::Checked(int index) const {
    return SendMessageW(Control(kCheckIds[index]), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Kestrel::Check_Click(int index) {
    const SwitchControl& control = Switches()[static_cast<std::size_t>(index)];
    const bool on = Checked(index);
    Regedit::SaveString(HKEY_CURRENT_USER, kProgramKey, control.valueName, SwitchText(on));
    CheckMenuItem(trayMenu_, control.trayItemId, on ? MF_CHECKED : MF_UNCHECKED);
    if (onSwitch_) onSwitch_(index, on);
}

void Kestrel::TrayItem_Click(int index) { SetSwitch(index, !Checked(index)); }

void Kestrel::SetSwitch(int index, bool on) {
    SendMessageW(Control(kCheckIds[index]), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    Check_Click(index);
}

void Kestrel::OpenProgram_Click() {
    ShowTaskbarButton(true);
    ShowWindow(hwnd_, SW_SHOW);
}

void Kestrel::QuitProgram_Click() {
    tray_->Remove();
    PostQuitMessage(0);
}

void Kestrel::Reboot_Click() {
    const bool checked = GetMenuState(menuBar_, IDM_REBOOT, MF_BYCOMMAND) & MF_CHECKED;
    SetAutostart(!checked);
    CheckMenuItem(menuBar_, IDM_REBOOT, checked ? MF_UNCHECKED : MF_CHECKED);
}

void Kestrel::Timer1_Timer() {
    tray_->RetryIfMissing();
    if (watch_) watch_->Timer1_Timer();
}

bool Kestrel::Checked(WatchSwitch which) const {
    switch (which) {
    case WatchSwitch::Active: return Checked(0);
    case WatchSwitch::CSide: return Checked(1);
    case WatchSwitch::AutoIndent: return Checked(3);
    }
    return false;
}

void Kestrel::ShowHostIcon(HICON icon) {
    // The same window's icon tick after tick: the picture already shows it.
    if (icon == image1Source_ && image1Picture_) return;
    image1Picture_ = CreatePicture(icon);
    image1Source_ = icon;
    SendMessageW(Control(IDC_IMAGE1), STM_SETICON, reinterpret_cast<WPARAM>(image1Picture_.Icon()), 0);
}

void Kestrel::ClearHostIcon() {
    // Image2 never holds a picture; showing its picture clears Image1.
    const LRESULT blank = SendMessageW(Control(IDC_IMAGE2), STM_GETICON, 0, 0);
    SendMessageW(Control(IDC_IMAGE1), STM_SETICON, static_cast<WPARAM>(blank), 0);
    image1Picture_ = Picture();
    image1Source_ = nullptr;
}

void Kestrel::ClearTrace() { SendMessageW(Control(IDC_COMBO1), CB_RESETCONTENT, 0, 0); }

void Kestrel::AddTrace(std::u16string_view label) {
    const std::wstring text = Wide(label);
    SendMessageW(Control(IDC_COMBO1), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Kestrel::ShowLog(std::u16string_view text) { SetWindowTextW(Control(IDC_TEXT1), Wide(text).c_str()); }

std::u16string Kestrel::LogText() const {
    HWND log = Control(IDC_TEXT1);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(log)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(log, text.data(), static_cast<int>(text.size()))));
    return std::u16string(text.begin(), text.end());
}

}  // namespace tabwright
