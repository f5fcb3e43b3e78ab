// Test helpers that work on the real clipboard with the raw Windows calls,
// so the classes under test are checked against what the system holds.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "clipboard/host_format_state.h"

namespace tabwright::test {

// A hidden message-only window, the program's stand-in as clipboard owner.
class OwnerWindow {
public:
    OwnerWindow()
        : hwnd_(CreateWindowExW(0, L"STATIC", L"clipboard test owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {}
    ~OwnerWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

// Clipboard blocks as raw bytes, keyed by format number.
using Blocks = std::vector<std::pair<UINT, std::string>>;

inline std::string Bytes(const std::u16string& units) {
    return std::string(reinterpret_cast<const char*>(units.data()), units.size() * sizeof(char16_t));
}

// Every unit of a literal, embedded zeros included, but not its own final zero.
template <std::size_t N>
std::string Bytes(const char16_t (&units)[N]) {
    return Bytes(std::u16string(units, N - 1));
}

// Replaces the clipboard's content by exactly these blocks.
inline void PutOnClipboard(HWND owner, const Blocks& blocks) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    for (const auto& [format, bytes] : blocks) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        ASSERT_NE(block, nullptr);
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        EXPECT_NE(SetClipboardData(format, block), nullptr) << "format " << format;
    }
    CloseClipboard();
}

// The whole block of a format as the clipboard holds it; empty when absent.
inline std::string RawData(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (HANDLE block = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
}

inline UINT Register(const wchar_t* name) {
    const UINT format = RegisterClipboardFormatW(name);
    EXPECT_NE(format, 0u) << "cannot register a clipboard format";
    return format;
}

inline std::u16string Decimal(UINT number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

// Waits up to timeoutMs for one of the handles, the index of which it
// returns (-1 on time-out). Other programs send messages to the clipboard
// owner's window (ours) while they use the clipboard, so the wait keeps
// dispatching them instead of blocking those programs.
inline int PumpUntil(std::initializer_list<HANDLE> handles, DWORD timeoutMs) {
    const std::vector<HANDLE> list(handles);
    const DWORD count = static_cast<DWORD>(list.size());
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        const DWORD woken =
            MsgWaitForMultipleObjects(count, list.data(), FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        if (woken < WAIT_OBJECT_0 + count) return static_cast<int>(woken - WAIT_OBJECT_0);
        if (woken != WAIT_OBJECT_0 + count) return -1;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    return -1;
}

inline DWORD WINAPI TryToOpenClipboard(void* opened) {
    const OwnerWindow window;
    *static_cast<bool*>(opened) = OpenClipboard(window.get()) != 0;
    if (*static_cast<bool*>(opened)) CloseClipboard();
    return 0;
}

// Whether another thread, with a window of its own, can open the clipboard:
// only when nobody holds it open. (Wine lets two openings without a window
// share the clipboard, so the window matters.)
inline bool FreeForOthers() {
    bool opened = false;
    HANDLE other = CreateThread(nullptr, 0, TryToOpenClipboard, &opened, 0, nullptr);
    EXPECT_NE(other, nullptr);
    if (PumpUntil({other}, 20000) != 0) {
        ADD_FAILURE() << "the other thread did not finish";
        WaitForSingleObject(other, INFINITE);  // it writes to opened; CTest's time-out ends a hang
    }
    CloseHandle(other);
    return opened;
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The expected ANSI bytes below are those of code page 1252.
        ASSERT_EQ(GetACP(), 1252u) << "the Wine session should run in the English locale";
        ASSERT_NE(owner_.get(), nullptr);
    }

    OwnerWindow owner_;
    HostFormatState state_;
};

}  // namespace tabwright::test
