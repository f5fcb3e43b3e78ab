// Plays C/SIDE and the user for the tests and the scripts:
//   copy FILE         puts FILE's bytes on the clipboard as ANSI text and in
//                     C/SIDE's format "AL-Source Code"; a file that cannot be
//                     read leaves the clipboard alone and ends with status 2
//   window CLASS CAPTION [- -]
//                     keeps a window of CLASS with an icon until ended; posted
//                     WM_APP, it stops answering
//   send COMMAND      posts a menu command to the running Tabwright
//   post MESSAGE WPARAM LPARAM
//                     posts any message to it (the tray icon's, a menu key)
//   paste             prints the clipboard's text once C/SIDE's format is gone
//   rect [CLASS]      prints X Y WIDTH HEIGHT of Tabwright's main window (or
//                     its window of CLASS) once it is visible
//   environment       prints "ready" once its window is up, then waits up to a
//                     minute for the broadcast of a changed environment
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "desktop.h"

namespace {

using namespace tabwright::test;

HWND Shown(const wchar_t* className) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowW(className, nullptr)) && IsWindowVisible(found); });
    return found;
}

int PrintRect(const wchar_t* className) {
    RECT rect{};
    if (!GetWindowRect(Shown(className), &rect)) return 8;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

bool environmentChanged = false;

LRESULT CALLBACK EnvironmentWatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    if (message == WM_SETTINGCHANGE && area && std::wstring_view(area) == L"Environment") environmentChanged = true;
    return DefWindowProcW(window, message, wParam, lParam);
}

// Broadcasts reach top-level windows only, so this one is not message-only.
int AwaitEnvironmentChange() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = EnvironmentWatch;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TabwrightEnvironmentWatch";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
    if (!window) return 6;
    std::puts("ready");
    std::fflush(stdout);
    return WaitFor([] { return environmentChanged; }, 60s) ? 0 : 11;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"copy" && argc == 3) {
        std::ifstream in(std::filesystem::path(argv[2]), std::ios::binary);
        std::string code(std::istreambuf_iterator<char>(in), {});
        if (!in.is_open() || in.bad()) {
            std::fprintf(stderr, "cside_helper: cannot read %ls\n", argv[2]);
            return 2;
        }
        return Copy(code) ? 0 : 4;
    }
    if (verb == L"window" && argc >= 4) {
        const TestWindow window(argv[2], argv[3], nullptr, LoadIconW(nullptr, IDI_INFORMATION));
        if (!window.Handle()) return 6;
        WaitFor([] { return false; }, 24h);  // handles its messages
        return 0;
    }
    if ((verb == L"send" && argc == 3) || (verb == L"post" && argc == 5)) {
        HWND window = nullptr;
        WaitFor([&] { return (window = FindWindowW(L"Kestrel", nullptr)) != nullptr; });
        const auto number = [&](int at) { return std::wcstoul(argv[at], nullptr, 0); };
        if (argc == 5) return PostMessageW(window, number(2), number(3), static_cast<LPARAM>(number(4))) ? 0 : 7;
        return PostMessageW(window, WM_COMMAND, number(2), 0) ? 0 : 7;
    }
    if (verb == L"paste") {
        if (!WaitFor([] { return !HostFormatOnClipboard(); })) return 9;
        const std::u16string text = ClipboardText();
        const std::string bytes(text.begin(), text.end());  // ASCII code; no text mode on this handle
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(bytes.size());
        return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), size, &written, nullptr) ? 0 : 10;
    }
    if (verb == L"rect") return PrintRect(argc > 2 ? argv[2] : L"Kestrel");
    if (verb == L"environment") return AwaitEnvironmentChange();
    std::fputs("usage: cside_helper copy|window|send|post|paste|rect|environment ...\n", stderr);
    return 2;
}
