// Handles that free themselves: every font, icon, menu, window, registry key,
// kernel object and screen device context the program holds lives in one of
// these, so no class frees a handle by hand.
#pragma once

#include <windows.h>

#include <utility>

namespace tabwright::win32 {

template <typename Handle, auto Free>
class Unique {
public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    ~Unique() { reset(); }
    Unique(Unique&& other) noexcept : handle_(other.release()) {}
    Unique& operator=(Unique&& other) noexcept {
        reset(other.release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // The old handle is still held while it is freed: a window being
    // destroyed still answers its last messages through it. To swap a font
    // safely, hand the controls the new one before the old one is reset.
    void reset(Handle handle = nullptr) {
        if (handle_ && handle_ != handle) Free(handle_);
        handle_ = handle;
    }
    // For a handle that was freed elsewhere (a window the system destroyed).
    Handle release() { return std::exchange(handle_, nullptr); }
    // For the calls that hand out a handle through a pointer.
    Handle* Receive() {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = nullptr;
};

inline void FreeGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void FreeIcon(HICON icon) { DestroyIcon(icon); }
inline void FreeMenu(HMENU menu) { DestroyMenu(menu); }
inline void FreeWindow(HWND window) { DestroyWindow(window); }
inline void FreeKey(HKEY key) { RegCloseKey(key); }
inline void FreeKernelObject(HANDLE object) { CloseHandle(object); }

using UniqueFont = Unique<HFONT, FreeGdiObject>;
using UniqueIcon = Unique<HICON, FreeIcon>;
using UniqueMenu = Unique<HMENU, FreeMenu>;
using UniqueWindow = Unique<HWND, FreeWindow>;
using UniqueKey = Unique<HKEY, FreeKey>;
using UniqueKernelObject = Unique<HANDLE, FreeKernelObject>;

// The screen's device context for as long as the object lives.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace tabwright::win32
