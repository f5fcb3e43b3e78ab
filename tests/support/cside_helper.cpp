// Plays C/SIDE and the user for the tests and the scripts:
//   copy FILE [FORMAT]  puts FILE's bytes on the clipboard as ANSI text and
//                       under the registered FORMAT ("AL-Source Code" by
//                       default; "-" for plain text only)
//   window CLASS CAPTION [- -]
//                       shows a window of CLASS with icons until ended; sent
//                       WM_APP, it stops answering
//   send COMMAND        posts a menu command to the running Tabwright
//   rect [CLASS]        prints X Y WIDTH HEIGHT of Tabwright's main window
//                       (or its window of CLASS) once it is visible
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "desktop.h"

namespace {

using namespace tabwright::test;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP)
        for (;;) Sleep(INFINITE);
    return DefWindowProcW(window, message, wParam, lParam);
}

int Window(const wchar_t* className, const wchar_t* caption) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIconW(nullptr, IDI_INFORMATION);
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass) || !CreateWindowExW(0, className, caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                                            600, 400, 300, 200, nullptr, nullptr, nullptr, nullptr))
        return 6;
    WaitFor([] { return false; }, 24h);  // handles the window's messages
    return 0;
}

HWND Find(const wchar_t* className) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowW(className, nullptr)) != nullptr; });
    return found;
}

int Send(const wchar_t* command) {
    HWND window = Find(L"Kestrel");
    return window && PostMessageW(window, WM_COMMAND, std::wcstoul(command, nullptr, 0), 0) ? 0 : 7;
}

int PrintRect(const wchar_t* className) {
    HWND window = Find(className);
    RECT rect{};
    if (!WaitFor([&] { return window && IsWindowVisible(window); }) || !GetWindowRect(window, &rect)) return 8;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"copy" && argc >= 3) {
        std::ifstream in(std::filesystem::path(argv[2]), std::ios::binary);
        const std::string code((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::wstring format = argc >= 4 ? argv[3] : kHostFormat;
        return Copy(code, format == L"-" ? nullptr : format.c_str()) ? 0 : 4;
    }
    if (verb == L"window" && argc >= 4) return Window(argv[2], argv[3]);
    if (verb == L"send" && argc == 3) return Send(argv[2]);
    if (verb == L"rect") return PrintRect(argc > 2 ? argv[2] : L"Kestrel");
    std::fputs("usage: cside_helper copy|window|send|rect ...\n", stderr);
    return 2;
}
