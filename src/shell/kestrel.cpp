#include "shell/kestrel.h"

#include <commctrl.h>

#include "settings/autostart.h"
#include "settings/regedit.h"
#include "settings/setting_names.h"
#include "settings/switches.h"
#include "shell/resource.h"
#include "shell/switch_table.h"
#include "snippets/key_names.h"
#include "win32/code_page.h"
#include "win32/fixed_window.h"

namespace tabwright {
namespace {

using win32::Wide;

HICON LoadProgramIcon(HINSTANCE instance, int width, int height) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TABWRIGHT), IMAGE_ICON, width, height, 0));
}

// The log box holds code: a fixed-pitch font keeps its indentation readable.
win32::UniqueFont CodeFont(int dpi) {
    return win32::UniqueFont(CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                         FIXED_PITCH | FF_MODERN, L"Consolas"));
}

}  // namespace

Kestrel::Kestrel(HINSTANCE instance) : instance_(instance) {}

bool Kestrel::Create() {
    const int screenDpi = win32::WindowDpi();
    icon_.reset(LoadProgramIcon(instance_, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    smallIcon_.reset(LoadProgramIcon(instance_, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = icon_.get();
    windowClass.hIconSm = smallIcon_.get();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    // An owned window gets a task-bar button only with WS_EX_APPWINDOW, so
    // the button can come and go with that one style bit.
    owner_.reset(CreateWindowExW(0, L"STATIC", kCaption, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr));
    trayMenus_.reset(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_TRAYMENU)));
    trayMenu_ = GetSubMenu(trayMenus_.get(), 0);
    // The menu bar belongs to the window once it is created; until then it
    // is held here.
    win32::UniqueMenu menuBar(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_MAINMENU)));

    RECT outer{0, 0, TwipsToPixels(kClientArea.width, screenDpi), TwipsToPixels(kClientArea.height, screenDpi)};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, TRUE, 0);
    if (!CreateWindowExW(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         outer.right - outer.left, outer.bottom - outer.top, owner_.get(), menuBar.get(), instance_,
                         this))
        return false;
    menuBar_ = menuBar.release();
    CreateControls();
    RegisterCommands();
    Form_Load();
    return true;
}

LRESULT CALLBACK Kestrel::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Kestrel*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_.reset(window);
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
        if (wParam == kLogFillTimer && logBox_) logBox_->Fill().Run();
        // The log box, which the user sees, fills first.
        if (wParam == kTraceFillTimer && traceList_ && !logBox_->Fill().Filling()) traceList_->Fill().Run();
        return 0;
    case WM_TABWRIGHT_NESTED:
        Nesting_Done();
        return 0;
    case WM_TABWRIGHT_SHOW:
        // The user started the program again to see it.
        OpenProgram_Click();
        return 0;
    case WM_CLIPBOARDUPDATE:
        if (watch_) watch_->Clipboard_Update();
        return 0;
    case WM_SIZE:
        if (window_ && Control(IDC_TEXT1)) Form_Resize(static_cast<WindowState>(wParam <= SIZE_MAXIMIZED ? wParam : 0));
        return 0;
    case WM_SHOWWINDOW:
        // A window that appears is resized as it stands, so the state it
        // shows in becomes the last state seen.
        if (wParam && lParam == 0) Form_Resize(CurrentState());
        if (wParam && logBox_) logBox_->WindowShown();
        break;
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyLayout();
        return 0;
    }
    case WM_CLOSE:
        Form_QueryUnload();
        DestroyWindow(Handle());
        return 0;
    case WM_ENDSESSION:
        if (wParam) tray_->Remove();
        return 0;
    case WM_DESTROY:
        Form_Terminate();
        return 0;
    case WM_NCDESTROY: {
        HWND window = window_.release();
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
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
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

void Kestrel::CreateControls() {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    auto make = [this](DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
        return CreateWindowExW(exStyle, cls, text, style, 0, 0, 0, 0, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    };
    for (const SwitchControl& s : kSwitchControls)
        make(0, L"BUTTON", s.caption, child | WS_TABSTOP | BS_AUTOCHECKBOX, s.checkId);
    make(0, L"STATIC", L"", child | SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, IDC_IMAGE1);
    make(0, L"STATIC", L"", child | SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, IDC_IMAGE2);
    make(0, L"STATIC", L"Log :", WS_CHILD, IDC_LABEL1);
    make(WS_EX_CLIENTEDGE, L"EDIT", L"",
         child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
         IDC_TEXT1);
    make(0, L"COMBOBOX", L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, IDC_COMBO1);
    logBox_ = std::make_unique<LogBoxControl>(Handle(), kLogFillTimer);
    logBox_->Attach(Control(IDC_TEXT1));
    traceList_ = std::make_unique<TraceListControl>(Handle(), kTraceFillTimer);
    traceList_->Attach(Control(IDC_COMBO1));

    INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    // Owned by the window, and destroyed with it.
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   0, 0, 0, 0, Handle(), nullptr, instance_, nullptr);
    for (const SwitchControl& s : kSwitchControls) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Control(s.checkId));
        tool.lpszText = const_cast<wchar_t*>(s.tooltip);
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ApplyLayout();
}

int Kestrel::Dpi() const { return win32::WindowDpi(Handle()); }

void Kestrel::PlaceControl(int id, const TwipRect& place) {
    SetWindowPos(Control(id), nullptr, Px(place.left), Px(place.top), Px(place.width), Px(place.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Kestrel::ApplyLayout() {
    // The controls take the new fonts before the old ones are freed.
    const int dpi = Dpi();
    win32::UniqueFont font = win32::MessageFont(dpi);
    win32::UniqueFont logFont = CodeFont(dpi);
    const auto setFont = [&](int id, const win32::UniqueFont& f) {
        SendMessageW(Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(f.get()), TRUE);
    };
    for (const SwitchControl& s : kSwitchControls) {
        PlaceControl(s.checkId, s.place);
        setFont(s.checkId, font);
    }
    PlaceControl(IDC_IMAGE1, kImage1);
    PlaceControl(IDC_IMAGE2, kImage2);
    PlaceControl(IDC_LABEL1, kLabel1);
    setFont(IDC_LABEL1, font);
    setFont(IDC_TEXT1, logFont);
    setFont(IDC_COMBO1, font);
    font_ = std::move(font);
    logFont_ = std::move(logFont);
    SetWindowPos(Control(IDC_TEXT1), nullptr, Px(kLogBoxLeft), Px(kLogBoxTop), 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    Form_Resize(CurrentState());
}

WindowState Kestrel::CurrentState() const {
    if (IsIconic(Handle())) return WindowState::Minimized;
    return IsZoomed(Handle()) ? WindowState::Maximized : WindowState::Normal;
}

void Kestrel::RegisterCommands() {
    for (const SwitchControl& s : kSwitchControls) {
        commands_.Add(static_cast<unsigned>(s.checkId), [this, which = s.which] { Check_Click(which); });
        commands_.Add(s.trayItemId, [this, which = s.which] { TrayItem_Click(which); });
    }
    commands_.Add(IDM_OPENPROGRAM, [this] { OpenProgram_Click(); });
    commands_.Add(IDM_QUITPROGRAM, [this] { QuitProgram_Click(); });
    commands_.Add(IDM_REBOOT, [this] { Reboot_Click(); });
}

void Kestrel::Form_Load() {
    for (int position = 0; position < kKeyCount; ++position) {
        SendMessageW(Control(IDC_COMBO1), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(KeyListEntry(position))));
    }
    lastWindowState_ = WindowState::Minimized;

    tray_ = std::make_unique<TrayIcon>(Handle(), kTrayIconId, kTrayCallback, smallIcon_.get(), kCaption);
    tray_->Add();
    ShowTaskbarButton(false);
    ShowWindow(Handle(), SW_HIDE);

    for (const SwitchControl& s : kSwitchControls) {
        // A switch found on is stored as "1" at once; one found off is left.
        if (!SwitchOn(Regedit::GetString(HKEY_CURRENT_USER, kProgramKey, s.valueName))) {
            SendMessageW(Control(s.checkId), BM_SETCHECK, BST_UNCHECKED, 0);
            CheckMenuItem(trayMenu_, s.trayItemId, MF_UNCHECKED);
        } else {
            SetSwitch(s.which, true);
        }
    }
    CheckMenuItem(menuBar_, IDM_REBOOT, AutostartEnabled() ? MF_CHECKED : MF_UNCHECKED);

    TaskList = std::make_unique<CTaskList>();
    TaskList->HungTimeout(250);
    TaskList->Refresh();
    Clip = std::make_unique<CClipboard>(hostFormat_, Handle());
    worker_ = std::make_unique<NestingWorker>(Handle(), WM_TABWRIGHT_NESTED);
    watch_ = std::make_unique<ClipboardWatch>(*this, *Clip, hostFormat_, *TaskList);

    // The timer still runs beside the listener: it keeps the host icon and
    // the tray icon current, and catches a change whose report came while
    // the clipboard was held or that the system never reported.
    SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr);
    listener_ = std::make_unique<ClipboardListener>(Handle());
}

void Kestrel::Form_Resize(WindowState state) {
    if (state != WindowState::Minimized) {
        // A minimized window has no useful size; the log box follows the
        // window again when it is restored.
        const int dpi = Dpi();
        RECT outer{};
        RECT log{};
        GetWindowRect(Handle(), &outer);
        GetWindowRect(Control(IDC_TEXT1), &log);
        const TwipSize size = LogBoxAfterResize(
            {PixelsToTwips(outer.right - outer.left, dpi), PixelsToTwips(outer.bottom - outer.top, dpi)},
            {PixelsToTwips(log.right - log.left, dpi), PixelsToTwips(log.bottom - log.top, dpi)});
        SetWindowPos(Control(IDC_TEXT1), nullptr, 0, 0, Px(size.width), Px(size.height),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    if (HidesToTray(state, lastWindowState_)) {
        ShowWindow(Handle(), SW_HIDE);
        ShowTaskbarButton(false);
    }
    lastWindowState_ = state;
}

void Kestrel::Form_MouseMove(UINT code) {
    // A callback that arrives while the pop-up menu is open is dropped.
    if (trayBusy_) return;
    trayBusy_ = true;
    if (code == WM_LBUTTONDBLCLK) {
        ShowInFront(false);
    } else if (code == WM_RBUTTONUP) {
        // Without the foreground the menu would not close when the user
        // clicks elsewhere; the null message lets it close at once.
        SetForegroundWindow(Handle());
        POINT cursor{};
        GetCursorPos(&cursor);
        TrackPopupMenuEx(trayMenu_, TPM_RIGHTBUTTON, cursor.x, cursor.y, Handle(), nullptr);
        PostMessageW(Handle(), WM_NULL, 0, 0);
    }
    trayBusy_ = false;
}

void Kestrel::Form_QueryUnload() {
    if (tray_) tray_->Remove();
}

void Kestrel::Form_Terminate() {
    KillTimer(Handle(), kTimer1);
    listener_.reset();
    watch_.reset();
    Clip.reset();
    PostQuitMessage(0);
}

void Kestrel::ShowTaskbarButton(bool show) {
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    const LONG_PTR wanted = show ? (style | WS_EX_APPWINDOW) : (style & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW));
    if (wanted == style) return;
    // The task bar looks at the style only when a window appears.
    const bool visible = IsWindowVisible(Handle());
    if (visible) ShowWindow(Handle(), SW_HIDE);
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, wanted);
    if (visible) ShowWindow(Handle(), SW_SHOWNA);
}

bool Kestrel::Checked(Switch which) const {
    return SendMessageW(Control(ControlOf(which).checkId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Kestrel::Check_Click(Switch which) {
    const SwitchControl& control = ControlOf(which);
    const bool on = Checked(which);
    Regedit::SaveString(HKEY_CURRENT_USER, kProgramKey, control.valueName, SwitchText(on));
    CheckMenuItem(trayMenu_, control.trayItemId, on ? MF_CHECKED : MF_UNCHECKED);
    if (watch_) watch_->Switched();
    if (onSwitch_) onSwitch_(which, on);
}

void Kestrel::TrayItem_Click(Switch which) { SetSwitch(which, !Checked(which)); }

void Kestrel::SetSwitch(Switch which, bool on) {
    SendMessageW(Control(ControlOf(which).checkId), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    Check_Click(which);
}

void Kestrel::OpenProgram_Click() { ShowInFront(true); }

void Kestrel::ShowInFront(bool taskbarButton) {
    // A window that minimizing hid is still minimized: shown as it stands it
    // would stay out of sight.
    if (taskbarButton) ShowTaskbarButton(true);
    ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Handle());
}

// A thread's start routine has the system's calling convention, which a
// lambda's conversion does not give on 32-bit Windows.
static DWORD WINAPI RemoveTrayIcon(void* tray) {
    static_cast<TrayIcon*>(tray)->Remove();
    return 0;
}

void Kestrel::QuitProgram_Click() {
    // Ends at once, leaving the windows to the system, which takes them down
    // with the process. Wine without a window manager waits two seconds for
    // one whenever a shown window is destroyed, and its tray as long in the
    // call that takes its last icon: that call gets a moment on a thread of
    // its own, by which the shell has the request and finishes it alone.
    const HANDLE removal = CreateThread(nullptr, 0, RemoveTrayIcon, tray_.get(), 0, nullptr);
    if (removal)
        WaitForSingleObject(removal, kQuitWaitMs);
    else
        tray_->Remove();
    ExitProcess(0);
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

void Kestrel::StartNesting(std::u16string text) { worker_->Start(std::move(text), Checked(Switch::Sign)); }

void Kestrel::Nesting_Done() {
    NestingWorker::Result result = worker_->Take();
    traceList_->Show(std::move(result.labels));
    if (watch_ && result.text) watch_->Nesting_Done(std::move(*result.text), result.notes);
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

void Kestrel::ShowLog(std::u16string_view text) { logBox_->Show(text); }

std::u16string Kestrel::LogText() const { return logBox_->Text(); }

}  // namespace tabwright
