// The real Tabwright.exe on the Wine desktop, driven from outside as a user
// would, and ended through its "&Quit" command when the object goes.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "desktop.h"
#include "shell/resource.h"

namespace tabwright::test {

class TrayProgram {
public:
    // Starts the program with the settings stored so far; started once its
    // start-up has run and it waits for input.
    TrayProgram() : program_(L"Tabwright.exe", L""), window_(WindowOf(program_.Id(), L"Kestrel", 30s)) {
        if (window_ && WaitForInputIdle(program_.Handle(), 30000) != 0) window_ = nullptr;
    }
    ~TrayProgram() {
        Command(IDM_QUITPROGRAM);
        Ended();
    }

    bool Started() const { return window_ != nullptr; }
    DWORD Process() const { return program_.Id(); }
    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    // A menu command, handled to its end unless it takes seconds.
    void Command(unsigned id) const { SendMessageTimeoutW(window_, WM_COMMAND, id, 0, SMTO_NORMAL, 5000, nullptr); }
    void Tray(UINT mouseMessage) const { PostMessageW(window_, WM_TABWRIGHT_TRAY, 1, mouseMessage); }
    bool Checked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::u16string Log() const { return TextOf(Control(IDC_TEXT1)); }
    bool Visible() const { return IsWindowVisible(window_); }
    bool TaskbarButton() const { return GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_APPWINDOW; }
    bool Answers(Duration limit = 200ms) const {
        return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(limit.count()), nullptr);
    }
    // The shell changes only an icon it holds.
    bool TrayIcon(DWORD change = NIM_MODIFY) const {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = window_;
        data.uID = 1;
        return Shell_NotifyIconW(change, &data);
    }
    bool Ended() { return program_.Wait(10s) >= 0; }

private:
    Program program_;
    HWND window_;
};

}  // namespace tabwright::test
