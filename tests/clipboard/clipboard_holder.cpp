// Helper program for the contention tests: opens the clipboard and holds it
// like a slow program would, until told to let go.
// Usage: clipboard_holder READY_EVENT RELEASE_EVENT
// Signals READY_EVENT once the clipboard is open, then keeps it open until
// RELEASE_EVENT is signalled (30 seconds at most). Exit code 0 after a
// release, 2 when the clipboard could not be opened within 10 seconds, 3 when
// no release came.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 1;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, argv[2]);
    if (!ready || !release) return 1;

    // Opened for a window, as programs do: an opening without a window does
    // not keep other programs out under Wine.
    HWND window = CreateWindowExW(0, L"STATIC", L"clipboard holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!OpenClipboard(window)) {
        if (GetTickCount64() >= deadline) return 2;
        Sleep(10);
    }
    SetEvent(ready);
    const DWORD waited = WaitForSingleObject(release, 30000);
    CloseClipboard();
    DestroyWindow(window);
    return waited == WAIT_OBJECT_0 ? 0 : 3;
}
