// Plays C/SIDE and the user for the tray program's end-to-end tests and the
// screenshot script:
//   copy FILE [FORMAT]   puts FILE's bytes on the clipboard as ANSI text and
//                        under the registered FORMAT ("AL-Source Code" by
//                        default; "-" for plain text only)
//   hold FILE READY RELEASE
//                        like copy, but keeps the clipboard open from before
//                        the code arrives until event RELEASE is set; sets
//                        event READY once the code is there
//   window CLASS CAPTION READY RELEASE
//                        shows a top-level window of CLASS until RELEASE
//                        ("-" for both: until the helper is ended)
//   send COMMAND         posts a menu command to the running Tabwright
//   tray MESSAGE         posts a tray-icon mouse message to it
//   rect [CLASS]         waits until Tabwright's main window (or its window
//                        of CLASS) is visible and prints its rectangle on
//                        the screen: X Y WIDTH HEIGHT
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "clipboard_access.h"
#include "shell/resource.h"

namespace {

using namespace tabwright::test;

constexpr wchar_t kDefaultHostFormat[] = L"AL-Source Code";
constexpr DWORD kWaitLimit = 60000;

std::string ReadFile(const wchar_t* path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

UINT HostFormat(const wchar_t* formatName) {
    return std::wstring(formatName) == L"-" ? 0 : RegisterClipboardFormatW(formatName);
}

HANDLE OpenEventNamed(const wchar_t* name) { return OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name); }

int Copy(const wchar_t* file, const wchar_t* formatName) {
    const std::string text = ReadFile(file);
    if (!OpenClipboardPatiently()) return 3;
    const bool done = PutCode(text, HostFormat(formatName));
    CloseClipboard();
    return done ? 0 : 4;
}

int Hold(const wchar_t* file, const wchar_t* ready, const wchar_t* release) {
    HANDLE readyEvent = OpenEventNamed(ready);
    HANDLE releaseEvent = OpenEventNamed(release);
    if (!readyEvent || !releaseEvent) return 5;
    const std::string text = ReadFile(file);
    if (!OpenClipboardPatiently()) return 3;
    const bool done = PutCode(text, HostFormat(kDefaultHostFormat));
    SetEvent(readyEvent);
    WaitForSingleObject(releaseEvent, kWaitLimit);
    CloseClipboard();
    return done ? 0 : 4;
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

int Window(const wchar_t* className, const wchar_t* caption, const wchar_t* ready, const wchar_t* release) {
    const bool unattended = std::wstring(ready) == L"-";
    HANDLE readyEvent = unattended ? CreateEventW(nullptr, TRUE, FALSE, nullptr) : OpenEventNamed(ready);
    HANDLE releaseEvent = unattended ? CreateEventW(nullptr, TRUE, FALSE, nullptr) : OpenEventNamed(release);
    if (!readyEvent || !releaseEvent) return 5;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIconW(nullptr, IDI_INFORMATION);
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass)) return 6;
    HWND window = CreateWindowExW(0, className, caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 300, 200,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 6;
    SetEvent(readyEvent);
    for (;;) {
        const DWORD woke =
            MsgWaitForMultipleObjects(1, &releaseEvent, FALSE, unattended ? INFINITE : kWaitLimit, QS_ALLINPUT);
        if (woke != WAIT_OBJECT_0 + 1) break;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    DestroyWindow(window);
    return 0;
}

HWND Tabwright() { return FindWindowW(L"Kestrel", L"Tabwright"); }

int Post(UINT message, WPARAM wParam, LPARAM lParam) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (HWND window = Tabwright()) return PostMessageW(window, message, wParam, lParam) ? 0 : 7;
        Sleep(20);
    }
    return 8;
}

int PrintRect(const wchar_t* className) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        HWND window = className ? FindWindowW(className, nullptr) : Tabwright();
        RECT rect{};
        if (window && IsWindowVisible(window) && GetWindowRect(window, &rect)) {
            std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
            return 0;
        }
        Sleep(20);
    }
    return 8;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"copy" && argc >= 3) return Copy(argv[2], argc >= 4 ? argv[3] : kDefaultHostFormat);
    if (verb == L"hold" && argc == 5) return Hold(argv[2], argv[3], argv[4]);
    if (verb == L"window" && argc == 6) return Window(argv[2], argv[3], argv[4], argv[5]);
    if (verb == L"send" && argc == 3) return Post(WM_COMMAND, std::wcstoul(argv[2], nullptr, 0), 0);
    if (verb == L"tray" && argc == 3) return Post(WM_TABWRIGHT_TRAY, 1, static_cast<LPARAM>(std::wcstoul(argv[2], nullptr, 0)));
    if (verb == L"rect") return PrintRect(argc >= 3 ? argv[2] : nullptr);
    std::fputs("usage: cside_helper copy|hold|window|send|tray|rect ...\n", stderr);
    return 2;
}
