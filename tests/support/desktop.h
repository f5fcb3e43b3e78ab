// What the Windows tests share: waits that keep this thread's messages
// flowing, programs started beside the test, the clipboard as another
// program sees it, windows, keys and the program's registry values.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tabwright::test {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

// Until done() holds or the time is up; a program that empties a clipboard
// we own waits for our answer meanwhile. The limit only bounds a failure.
bool WaitFor(const std::function<bool()>& done, Duration limit = 30s);

// A program from the test's folder, ended when the object goes.
class Program {
public:
    Program(const std::wstring& file, const std::wstring& arguments);
    ~Program();
    Program(const Program&) = delete;
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    long Wait(Duration limit = 30s);  // the exit code; -1 while it runs

private:
    PROCESS_INFORMATION info_{};
};

std::wstring Beside(const std::wstring& file);
HWND WindowOf(DWORD process, const wchar_t* className, Duration limit = 10s);
std::u16string TextOf(HWND window);
std::u16string Utf16(std::string_view ascii);
// SendInput: {VK_CONTROL, 'H'} is Ctrl+H, let go of in the other order.
void Press(const std::vector<WORD>& keys);

inline constexpr wchar_t kHostFormat[] = L"AL-Source Code";
// The bytes as ANSI text and, unless format is null, under that registered
// format, as C/SIDE's editor copies them.
bool Copy(std::string_view code, const wchar_t* format = kHostFormat);
std::u16string ClipboardText();
bool HostFormatOnClipboard();  // asked without opening the clipboard

// Holds the clipboard open from a thread of its own while it lives, with
// the code copied onto it unless that is null.
class ClipboardHolder {
public:
    explicit ClipboardHolder(const char* code = nullptr);
    ~ClipboardHolder();
    bool Held() const { return held_; }

private:
    HANDLE release_;
    std::atomic<bool> ready_{false}, held_{false};
    std::thread thread_;
};

// A shown top-level window of this thread, off the screen, of a class of its
// own (class names are shared by the whole program). Posted WM_APP, its
// thread stops answering.
class TestWindow {
public:
    TestWindow(const wchar_t* className, const wchar_t* caption, HWND owner = nullptr, HICON classIcon = nullptr);
    ~TestWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

// Values under HKEY_CURRENT_USER\Software\Quillmark, which every test starts
// without, and the Run value "Quillmark"; nothing when missing.
std::optional<std::wstring> Setting(const wchar_t* name);
void SetSetting(const wchar_t* name, const std::wstring& value);
std::optional<std::wstring> RunValue();

}  // namespace tabwright::test
