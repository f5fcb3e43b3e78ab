// Tabwright.exe: the tray program. Starts hidden with its tray icon and runs
// the one user-interface thread until the main window closes or the user
// quits from the tray menu.
#include <windows.h>

#include "shell/kestrel.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    tabwright::Kestrel kestrel(instance);
    if (!kestrel.Create()) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the access keys move between the main window's controls.
        if (IsDialogMessageW(kestrel.Handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
