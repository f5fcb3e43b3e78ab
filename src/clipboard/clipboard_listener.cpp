#include "clipboard/clipboard_listener.h"

#include "win32/system_function.h"

namespace tabwright {
namespace {

using ListenerFunction = BOOL(WINAPI*)(HWND);

bool ListenerSwitchedOff() { return GetEnvironmentVariableW(L"TABWRIGHT_NO_CLIPBOARD_LISTENER", nullptr, 0) > 0; }

}  // namespace

ClipboardListener::ClipboardListener(HWND window) : window_(window) {
    if (ListenerSwitchedOff()) return;
    const auto add = win32::SystemFunction<ListenerFunction>(L"user32.dll", "AddClipboardFormatListener");
    listening_ = add && add(window_);
}

ClipboardListener::~ClipboardListener() {
    if (!listening_) return;
    if (const auto remove = win32::SystemFunction<ListenerFunction>(L"user32.dll", "RemoveClipboardFormatListener"))
        remove(window_);
}

}  // namespace tabwright
