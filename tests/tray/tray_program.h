// The real Tabwright.exe on the Wine desktop, driven from outside as a user
// would, and ended through its "&Quit" command when the object goes.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "desktop.h"
#include "shell/kestrel.h"

namespace tabwright::test {

class TrayProgram {
public:
    // Starts the program with the settings stored so far, on plain text: code
    // an earlier test left on the clipboard would be formatted at its start.
    // Started once its start-up has run and it waits for input.
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
    // A menu command, handled to its end.
    void Command(unsigned id) const { SendMessageTimeoutW(window_, WM_COMMAND, id, 0, SMTO_NORMAL, 30000, nullptr); }
    // Opens the window by a posted command: once it shows, the program has
    // handled every message posted to it before, the clipboard's reports
    // among them. Once per start, as the window stays open.
    bool CaughtUp() const {
        PostMessageW(window_, WM_COMMAND, IDM_OPENPROGRAM, 0);
        return WaitFor([this] { return Visible(); });
    }
    // A tick of the watch's timer, after the messages posted before it.
    void Tick() const { PostMessageW(window_, WM_TIMER, Kestrel::kTimer1, 0); }
    void Tray(UINT mouseMessage) const { PostMessageW(window_, WM_TABWRIGHT_TRAY, 1, mouseMessage); }
    bool Checked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::u16string Log() const { return TextOf(Control(IDC_TEXT1)); }
    bool Visible() const { return IsWindowVisible(window_); }
    bool TaskbarButton() const { return GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_APPWINDOW; }
    bool Answers() const { return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr); }
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
    bool plain_ = Copy("", nullptr);  // before the program starts
    Program program_;
    HWND window_;
};

}  // namespace tabwright::test
