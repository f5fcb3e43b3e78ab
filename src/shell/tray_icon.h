// The program's icon in the notification area. The shell may not be ready
// when the program starts and forgets every icon when it restarts, so the
// icon knows whether the shell holds it and can be added again.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace tabwright {

class TrayIcon {
public:
    // callbackMessage reaches owner with the mouse message in lParam.
    TrayIcon(HWND owner, UINT id, UINT callbackMessage, HICON icon, std::wstring tip);
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Hands the icon to the shell; false when the shell did not take it.
    bool Add();
    // Takes the icon away; it is not added again after this.
    void Remove();

    bool Shown() const { return shown_; }

    // Adds the icon again unless it was removed on purpose: after the shell
    // announced a new task bar, or while an earlier add failed.
    void Restore();
    void RetryIfMissing() {
        if (!shown_ && !removed_) Add();
    }

    // The message the shell broadcasts when it has created a new task bar.
    static UINT TaskbarCreatedMessage();

private:
    NOTIFYICONDATAW Record(UINT flags) const;

    HWND owner_;
    UINT id_;
    UINT callbackMessage_;
    HICON icon_;
    std::wstring tip_;
    bool shown_ = false;
    bool removed_ = false;
};

}  // namespace tabwright
