// Makes a window a clipboard format listener while the object lives: the
// system then sends it WM_CLIPBOARDUPDATE after every change of the
// clipboard. Where the system has no such listeners, or when the environment
// variable TABWRIGHT_NO_CLIPBOARD_LISTENER is set (a diagnostic switch, read
// once at start), nothing is registered and the program's timer alone finds
// the changes.
#pragma once

#include <windows.h>

namespace tabwright {

class ClipboardListener {
public:
    explicit ClipboardListener(HWND window);
    ~ClipboardListener();
    ClipboardListener(const ClipboardListener&) = delete;
    ClipboardListener& operator=(const ClipboardListener&) = delete;

    bool Listening() const { return listening_; }

private:
    HWND window_;
    bool listening_ = false;
};

}  // namespace tabwright
