#include "shell/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

namespace tabwright {

TrayIcon::TrayIcon(HWND owner, UINT id, UINT callbackMessage, HICON icon, std::wstring tip)
    : owner_(owner), id_(id), callbackMessage_(callbackMessage), icon_(icon), tip_(std::move(tip)) {}

NOTIFYICONDATAW TrayIcon::Record(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = id_;
    data.uFlags = flags;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    const std::size_t length = std::min(tip_.size(), std::size(data.szTip) - 1);
    std::copy_n(tip_.c_str(), length, data.szTip);
    return data;
}

bool TrayIcon::Add() {
    NOTIFYICONDATAW data = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    // A busy shell may report a time-out for an icon it did take; then the
    // icon is already there and an update of it succeeds.
    shown_ = Shell_NotifyIconW(NIM_ADD, &data) || Shell_NotifyIconW(NIM_MODIFY, &data);
    return shown_;
}

void TrayIcon::Remove() {
    removed_ = true;
    if (!shown_) return;
    NOTIFYICONDATAW data = Record(0);
    Shell_NotifyIconW(NIM_DELETE, &data);
    shown_ = false;
}

void TrayIcon::Restore() {
    if (removed_) return;
    shown_ = false;
    Add();
}

UINT TrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

}  // namespace tabwright
