// The list of running C/SIDE windows: every top-level window whose class name
// begins with "C/SIDE", with its caption, icons and process. The main window
// refreshes it on every timer tick; C/SIDE counts as running while the list
// is not empty.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tabwright {

struct TaskEntry {
    HWND hWnd = nullptr;  // nullptr marks a window that has gone
    HICON hIcon = nullptr;
    HICON hIconSm = nullptr;
    DWORD ProcessID = 0;
    std::u16string Caption;  // never empty for a listed window
};

// Indices count from 1; an index outside 1..Count() gives 0, false or an
// empty string and changes nothing. The list never destroys an icon.
class CTaskList {
public:
    CTaskList();

    // Milliseconds every message to a listed window may take; values below 1
    // are ignored.
    void HungTimeout(int milliseconds);
    int HungTimeout() const { return hungTimeout_; }

    // 0 or 1: which windows Valid accepts and which icon stands in for a
    // missing one. Other values are ignored.
    void Mode(int mode);
    int Mode() const { return mode_; }

    int Count() const { return static_cast<int>(entries_.size()); }
    std::u16string Caption(int index) const;
    HWND hWnd(int index) const;
    // The entry's icons, or the system's default icon for the mode.
    HICON hIcon(int index) const;
    HICON hIconSm(int index) const;
    DWORD ProcessID(int index) const;

    // 1 when the entry's window does not answer within the time-out.
    int Status(int index) const;

    // Whether the entry's window (given by index, or by handle when one is
    // given) passes IsTask; an entry that does not is dropped at once.
    bool Valid(int index, HWND window = nullptr);

    int GetIndex(HWND window) const { return FindIndex(window); }
    int FindIndex(HWND window) const;

    // Drops the entries of destroyed windows, renews the others and appends
    // newly found C/SIDE windows in Z-order.
    void Refresh();

    // Whether the window is one a task switcher would show, by the rule of
    // the current mode.
    bool IsTask(HWND window) const;
    static bool IsToolWindow(HWND window);

private:
    void AddOrUpdate(HWND window);
    void Compact();
    const TaskEntry* At(int index) const;
    UINT Timeout() const { return static_cast<UINT>(hungTimeout_); }

    std::vector<TaskEntry> entries_;
    HICON defaultIcon_;     // Mode 0
    HICON applicationIcon_; // Mode 1
    int mode_ = 0;
    int hungTimeout_ = 500;
};

}  // namespace tabwright
