// Drives the real Tabwright.exe from outside, as a user and C/SIDE would:
// starts and stops it, sets and reads its registry values, puts code on the
// clipboard through the helper program and reads the clipboard back. Every
// wait has a deadline; nothing relies on a fixed pause alone.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "clipboard_access.h"

namespace tabwright::test {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Polls the condition every 10 ms until it holds or the deadline passes.
bool WaitFor(const std::function<bool()>& condition, Clock::duration deadline);
// True when the condition holds throughout the whole period.
bool HoldsFor(const std::function<bool()>& condition, Clock::duration period);

// Folder of the running test program, where Tabwright.exe and the helper are.
std::wstring ProgramFolder();

// The registry values of the program (HKEY_CURRENT_USER\Software\Quillmark)
// and its Run entry. A missing value reads as nothing.
std::optional<std::wstring> ReadSetting(const wchar_t* name);
void WriteSetting(const wchar_t* name, const wchar_t* value);
std::optional<std::wstring> ReadRunEntry();
// Deletes the program's key and its Run entry.
void ClearSettings();

// The helper program; returns its exit code, or -1 when it could not run.
int RunHelper(const std::wstring& arguments, DWORD timeoutMs = 30000);
// Starts the helper without waiting; the caller closes the handle.
HANDLE StartHelper(const std::wstring& arguments);

// Writes text to a new file in the temporary folder and returns its path.
std::wstring TextFile(std::string_view text);

// Puts C/AL code on the clipboard as C/SIDE does: ANSI text together with a
// format registered as "AL-Source Code". hostFormat false: text only.
void CopyInHost(std::string_view code, bool hostFormat = true);


// What the engine makes of the text with the given operator-spacing switch.
std::u16string Formatted(std::string_view code, bool sign);
std::u16string Utf16(std::string_view ascii);

// A named event shared with the helper program.
class SharedEvent {
public:
    SharedEvent();
    ~SharedEvent() { CloseHandle(handle_); }
    SharedEvent(const SharedEvent&) = delete;
    SharedEvent& operator=(const SharedEvent&) = delete;
    const std::wstring& Name() const { return name_; }
    void Set() { SetEvent(handle_); }
    bool Wait(DWORD timeoutMs) { return WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0; }

private:
    std::wstring name_;
    HANDLE handle_;
};

// A running Tabwright.exe. Stopping asks it to quit through its tray menu
// command and terminates it only if it does not end in time.
class TrayProgram {
public:
    TrayProgram() = default;
    ~TrayProgram() { Stop(); }
    TrayProgram(const TrayProgram&) = delete;
    TrayProgram& operator=(const TrayProgram&) = delete;

    // Starts the program and waits for its main window; false on failure.
    bool Start();
    // True when the program ended by itself within the deadline.
    bool WaitForExit(DWORD timeoutMs);
    void Stop();

    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    bool Running() const;

    void Command(unsigned id) const { PostMessageW(window_, WM_COMMAND, id, 0); }
    void TrayMouse(UINT mouseMessage) const;
    bool BoxChecked(int checkId) const;
    std::u16string LogText() const;
    // Asks the shell whether it holds the program's tray icon.
    bool TrayIconPresent() const;

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace tabwright::test
