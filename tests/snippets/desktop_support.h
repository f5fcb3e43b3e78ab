// Helpers for the tests that use the Windows desktop: starting the helper
// programs that sit beside the test binary and pumping this thread's
// messages while waiting. A message filter sees each message first and
// returns true for one it has handled, which is then not dispatched.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace tabwright::test {

using MessageFilter = std::function<bool(MSG&)>;

inline void DispatchWaiting(const MessageFilter& filter) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (filter && filter(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Full path of a program in the test binary's own folder.
inline std::wstring BesideTest(const std::wstring& file) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + file;
}

inline HANDLE StartProgram(const std::wstring& file, const std::wstring& arguments) {
    std::wstring command = L"\"" + file + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// Handles this thread's messages while waiting for the process to end, so
// that what it sends us is answered. Its exit code, or -1.
inline long RunProgram(const std::wstring& file, const std::wstring& arguments, const MessageFilter& filter = {}) {
    HANDLE process = StartProgram(file, arguments);
    if (!process) return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (MsgWaitForMultipleObjects(1, &process, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           std::chrono::steady_clock::now() < deadline)
        DispatchWaiting(filter);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return static_cast<long>(code);
}

// Handles messages until done() holds or the time is up; done() once more.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit,
                      const MessageFilter& filter = {}) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        DispatchWaiting(filter);
    }
    return done();
}

// Handles messages for a while, for what another program caused to arrive.
inline void Pump(std::chrono::milliseconds time, const MessageFilter& filter = {}) {
    PumpUntil([] { return false; }, time, filter);
}

inline HWND CreateMessageWindow() {
    return CreateWindowExW(0, L"STATIC", L"test window", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace tabwright::test
