#include "clipboard_access.h"

#include <algorithm>

namespace tabwright::test {

HWND ClipboardWindow() {
    static const HWND window = CreateWindowExW(0, L"STATIC", L"clipboard test", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                               nullptr, GetModuleHandleW(nullptr), nullptr);
    return window;
}

bool OpenClipboardPatiently() {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (OpenClipboard(ClipboardWindow())) return true;
        Sleep(10);
    }
    return false;
}

bool PutBytes(UINT format, std::string_view bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    if (!block) return false;
    char* data = static_cast<char*>(GlobalLock(block));
    std::copy(bytes.begin(), bytes.end(), data);
    data[bytes.size()] = '\0';
    GlobalUnlock(block);
    if (SetClipboardData(format, block)) return true;
    GlobalFree(block);
    return false;
}

bool PutCode(std::string_view code, UINT hostFormat) {
    if (!EmptyClipboard() || !PutBytes(CF_TEXT, code)) return false;
    return hostFormat == 0 || PutBytes(hostFormat, code);
}

std::u16string ClipboardText() {
    if (!OpenClipboardPatiently()) return u"(clipboard held)";
    std::u16string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            text = units;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace tabwright::test
