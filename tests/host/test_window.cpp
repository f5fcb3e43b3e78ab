#include "test_window.h"

namespace tabwright::test {

TestWindow::TestWindow(const WindowOptions& options) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = options.proc;
    wc.hInstance = module;
    wc.lpszClassName = options.className.c_str();
    wc.hIcon = options.classIcon;
    wc.hIconSm = options.classIconSm;
    if (!RegisterClassExW(&wc)) return;
    className_ = options.className;
    // Off the screen: Wine then gives the window no X window of its own, and
    // hiding or destroying it need not wait seconds for a window manager
    // that the test display does not have. It is still visible to Windows.
    window_ = CreateWindowExW(options.exStyle, options.className.c_str(), options.caption.c_str(),
                              options.style, -5000, -5000, 200, 120, options.owner, nullptr, module,
                              nullptr);
}

void TestWindow::Destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    if (!className_.empty()) UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
    className_.clear();
}

}  // namespace tabwright::test
