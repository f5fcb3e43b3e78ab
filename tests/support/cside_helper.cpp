// Plays C/SIDE and the user for the tests and the scripts:
//   copy FILE         puts FILE's bytes on the clipboard as ANSI text and in
//                     C/SIDE's format "AL-Source Code"
//   window CLASS CAPTION [- -]
//                     keeps a window of CLASS with an icon until ended; posted
//                     WM_APP, it stops answering
//   send COMMAND      posts a menu command to the running Tabwright
//   paste             waits until C/SIDE's format has left the clipboard and
//                     prints the clipboard's text as UTF-8
//   rect [CLASS]      prints X Y WIDTH HEIGHT of Tabwright's main window (or
//                     its window of CLASS) once it is visible
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"copy" && argc == 3) {
        std::ifstream in(std::filesystem::path(argv[2]), std::ios::binary);
        return Copy(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())) ? 0 : 4;
    }
    if (verb == L"window" && argc >= 4) {
        const TestWindow window(argv[2], argv[3], nullptr, LoadIconW(nullptr, IDI_INFORMATION));
        if (!window.Handle()) return 6;
        WaitFor([] { return false; }, 24h);  // handles its messages
        return 0;
    }
    if (verb == L"send" && argc == 3) {
        HWND window = nullptr;
        WaitFor([&] { return (window = FindWindowW(L"Kestrel", nullptr)) != nullptr; });
        return PostMessageW(window, WM_COMMAND, std::wcstoul(argv[2], nullptr, 0), 0) ? 0 : 7;
    }
    if (verb == L"paste") {
        if (!WaitFor([] { return !HostFormatOnClipboard(); })) return 9;
        const std::wstring text = reinterpret_cast<const wchar_t*>(ClipboardText().c_str());
        std::string bytes(text.size() * 3, '\0');
        bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, nullptr));
        DWORD written = 0;  // unconverted bytes: no text mode on this handle
        return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) ? 0 : 10;
    }
    if (verb == L"rect") return PrintRect(argc > 2 ? argv[2] : L"Kestrel");
    std::fputs("usage: cside_helper copy|window|send|paste|rect ...\n", stderr);
    return 2;
}
