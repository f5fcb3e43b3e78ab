#include "shell/single_instance.h"

#include "shell/kestrel.h"
#include "shell/resource.h"

namespace tabwright {
namespace {

// "Local\": one name per session, so that each user logged on to the machine
// runs a Tabwright of their own.
constexpr wchar_t kMutexName[] = L"Local\\Quillmark.Tabwright";

// How long a second start waits for the first one's window to appear, for
// two starts at the same moment (autostart, and the user's double-click).
constexpr DWORD kWindowWaitMs = 5000;
constexpr DWORD kWindowPollMs = 50;

}  // namespace

SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
    first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
}

bool SingleInstance::ShowRunning() {
    for (DWORD waited = 0;; waited += kWindowPollMs) {
        if (const HWND window = FindWindowW(Kestrel::kClassName, Kestrel::kCaption)) {
            // The program the user just started may hand the foreground on.
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            AllowSetForegroundWindow(process);
            return PostMessageW(window, WM_TABWRIGHT_SHOW, 0, 0) != 0;
        }
        if (waited >= kWindowWaitMs) return false;
        Sleep(kWindowPollMs);
    }
}

}  // namespace tabwright
