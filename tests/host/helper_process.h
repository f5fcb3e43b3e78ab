// Starts the stand-in C/SIDE program and finds its windows. Each helper is
// stopped when its object goes, also when a test fails half-way.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace tabwright::test {

using namespace std::chrono_literals;

// Generous: the first start of a program in a fresh Wine session is slow.
inline constexpr auto kWindowDeadline = 30s;

class HelperProcess {
public:
    // Starts cside_window.exe (next to the test program) with the arguments.
    explicit HelperProcess(const std::vector<std::wstring>& args);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }

    // The first visible window of the class in this process, waiting for it
    // up to the deadline; nullptr when none appears. Sends no message, so
    // it also finds windows of a hung process.
    HWND WaitForWindow(const std::wstring& className) const;

    // Ends the process and waits until it and its windows are gone.
    void Stop();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Waits up to the deadline for the condition; true when it came true.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds deadline = kWindowDeadline) {
    auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        Sleep(20);
    }
    return true;
}

}  // namespace tabwright::test
