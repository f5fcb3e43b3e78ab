// Another program holds the clipboard open: every operation gives up at once
// with its empty value, and the clipboard's content stays as it was.
#include <string>

#include "clipboard/clipboard.h"
#include "clipboard_test_support.h"

namespace tabwright::test {
namespace {

std::wstring HolderPath() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"clipboard_holder.exe";
}

// Runs clipboard_holder.exe and waits, with a deadline, until it holds the
// clipboard; Release() lets it go and waits for it to end.
class ClipboardHolder {
public:
    ClipboardHolder() {
        const std::wstring id = std::to_wstring(GetCurrentProcessId());
        const std::wstring readyName = L"TabwrightHolderReady" + id;
        const std::wstring releaseName = L"TabwrightHolderRelease" + id;
        ready_ = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
        release_ = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
        std::wstring command = L"\"" + HolderPath() + L"\" " + readyName + L" " + releaseName;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_)) {
            return;
        }
        CloseHandle(process_.hThread);
        holding_ = PumpUntil({ready_, process_.hProcess}, 20000) == 0;
    }
    ~ClipboardHolder() {
        Release();
        CloseHandle(ready_);
        CloseHandle(release_);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool Holding() const { return holding_; }
    // True while the holder has neither let go nor ended.
    bool StillHolding() const { return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

    // Exit code of the holder; 0 when it held the clipboard until released.
    DWORD Release() {
        if (!process_.hProcess) return exitCode_;
        SetEvent(release_);
        if (PumpUntil({process_.hProcess}, 20000) != 0) TerminateProcess(process_.hProcess, 4);
        GetExitCodeProcess(process_.hProcess, &exitCode_);
        CloseHandle(process_.hProcess);
        process_.hProcess = nullptr;
        return exitCode_;
    }

private:
    HANDLE ready_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool holding_ = false;
    DWORD exitCode_ = 1;
};

using ClipboardContentionTest = ClipboardTest;

TEST_F(ClipboardContentionTest, OperationsGiveUpAtOnceAndLeaveTheContentIntact) {
    const UINT host = Register(L"AL-Source Contended");
    PutOnClipboard(owner_.get(), {{CF_TEXT, std::string("x := 1;", 8)}, {host, "OBJECT"}});
    CClipboard clip(state_, owner_.get());
    ASSERT_TRUE(clip.ALS());

    ClipboardHolder holder;
    ASSERT_TRUE(holder.Holding()) << "clipboard_holder.exe did not get the clipboard";
    EXPECT_FALSE(clip.ALS());
    EXPECT_FALSE(state_.ALSourcePresent);
    EXPECT_EQ(state_.ALSourceFormat, Decimal(host)) << "kept from the last enumeration that found it";
    EXPECT_EQ(clip.Formats().Count(), 0u);
    EXPECT_EQ(clip.GetText(), u"");
    EXPECT_FALSE(clip.Clear());
    EXPECT_FALSE(clip.SetText(u"lost"));
    EXPECT_FALSE(clip.ReplaceWithText(u"lost"));
    // None of them waited for the holder to let go.
    EXPECT_TRUE(holder.StillHolding());
    EXPECT_EQ(holder.Release(), 0u);

    EXPECT_EQ(clip.GetText(), u"x := 1;");
    EXPECT_TRUE(clip.ALS());
    EXPECT_EQ(RawData(host), "OBJECT");
}

}  // namespace
}  // namespace tabwright::test
