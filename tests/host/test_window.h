// Top-level windows of the test program itself, for the rules that need no
// second process: task-window modes, icons and misbehaving captions.
#pragma once

#include <windows.h>

#include <string>

namespace tabwright::test {

struct WindowOptions {
    std::wstring className = L"C/SIDE";
    std::wstring caption = L"Test window";
    DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    DWORD exStyle = 0;
    HWND owner = nullptr;
    WNDPROC proc = DefWindowProcW;
    HICON classIcon = nullptr;
    HICON classIconSm = nullptr;
};

// A window with a class of its own, registered with the window and removed
// with it, so that class icons and window procedures stay within one test.
class TestWindow {
public:
    explicit TestWindow(const WindowOptions& options);
    ~TestWindow() { Destroy(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return window_; }
    void Destroy();

private:
    HWND window_ = nullptr;
    std::wstring className_;
};

}  // namespace tabwright::test
