// Tabwright.exe: the tray program. Starts hidden with its tray icon and runs
// the one user-interface thread until the main window closes or the user
// quits from the tray menu. Started while it runs, it shows the running
// program's window instead and ends.
#include <windows.h>

#include "shell/kestrel.h"
#include "shell/kestrel_snippets.h"
#include "shell/single_instance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const tabwright::SingleInstance single;
    if (!single.First()) return tabwright::SingleInstance::ShowRunning() ? 0 : 1;
    tabwright::Kestrel kestrel(instance);
    if (!kestrel.Create()) return 1;
    tabwright::KestrelSnippets snippets(kestrel);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the access keys move between the controls of the window
        // the message is for: the main window, the settings dialog or the
        // About box.
        HWND window = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (window && IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
