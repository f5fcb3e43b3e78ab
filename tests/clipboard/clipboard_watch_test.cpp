// The clipboard watch in this test program, on the real clipboard and real
// windows of the Wine desktop; the main window's part is played by a
// recording WatchWindow.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "clipboard/clipboard.h"
#include "clipboard/clipboard_watch.h"
#include "formatter/formatter.h"
#include "host/task_list.h"

namespace tabwright {
namespace {

constexpr char kCode[] = "IF A THEN BEGIN\r\nB:=C+1;\r\nEND;\r\n";

std::u16string Utf16(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string Engine(std::string_view code, bool sign = false) {
    Formatter formatter;
    TraceRecorder host(sign, false);
    return formatter.Nesting(Utf16(code), host);
}

class RecordingWindow : public WatchWindow {
public:
    bool Checked(Switch which) const override {
        switch (which) {
        case Switch::Active: return active;
        case Switch::CSide: return cside;
        case Switch::AutoIndent: return autoIndent;
        case Switch::Sign: break;
        }
        return false;
    }
    void ShowLog(std::u16string_view text) override {
        log = text;
        ++logWrites;
    }
    void ShowHostIcon(HICON shown) override { icon = shown; }
    void ClearHostIcon() override {
        icon = nullptr;
        ++iconClears;
    }
    std::u16string Nesting(std::u16string_view text) override {
        ++formattingRuns;
        TraceRecorder host(false, false);
        return formatter.Nesting(text, host);
    }

    bool active = true;
    bool cside = false;
    bool autoIndent = true;
    std::u16string log;
    int logWrites = 0;
    int formattingRuns = 0;
    int iconClears = 0;
    HICON icon = nullptr;
    Formatter formatter;
};

void PutBytes(UINT format, std::string_view bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    char* data = static_cast<char*>(GlobalLock(block));
    std::copy(bytes.begin(), bytes.end(), data);
    data[bytes.size()] = '\0';
    GlobalUnlock(block);
    ASSERT_NE(SetClipboardData(format, block), nullptr);
}

// What C/SIDE leaves on the clipboard after a copy; hostFormat false: what
// any other program leaves.
void Copy(std::string_view code, bool hostFormat = true) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    PutBytes(CF_TEXT, code);
    if (hostFormat) PutBytes(RegisterClipboardFormatW(L"AL-Source Code"), code);
    CloseClipboard();
}

bool HostFormatOnClipboard() { return IsClipboardFormatAvailable(RegisterClipboardFormatW(L"AL-Source Code")); }

std::u16string ClipboardText() {
    if (!OpenClipboard(nullptr)) return u"(held)";
    std::u16string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const char16_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Keeps the clipboard open on a thread and window of its own, as another
// program would.
class ClipboardHolder {
public:
    ClipboardHolder()
        : thread_([this] {
              HWND window = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            GetModuleHandleW(nullptr), nullptr);
              opened_ = OpenClipboard(window) != FALSE;
              ready_ = true;
              while (!release_) Sleep(1);
              if (opened_) CloseClipboard();
              DestroyWindow(window);
          }) {
        while (!ready_) Sleep(1);
    }
    ~ClipboardHolder() {
        release_ = true;
        thread_.join();
    }
    bool Opened() const { return opened_; }

private:
    std::atomic<bool> opened_{false};
    std::atomic<bool> ready_{false};
    std::atomic<bool> release_{false};
    std::thread thread_;
};

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window of this thread, of the given class, with the class's
// small icon.
class HostWindow {
public:
    HostWindow(const wchar_t* className, const wchar_t* caption) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = PlainWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hIconSm = LoadIconW(nullptr, MAKEINTRESOURCEW(32516));
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
        window_ = CreateWindowExW(0, className, caption, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    }
    ~HostWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

class ClipboardWatchTest : public ::testing::Test {
protected:
    ClipboardWatchTest() : clip(state, nullptr), watch(window, clip, state, tasks) { tasks.HungTimeout(250); }

    RecordingWindow window;
    HostFormatState state;
    CClipboard clip;
    CTaskList tasks;
    ClipboardWatch watch;
};

TEST_F(ClipboardWatchTest, NewHostCodeIsFormattedLoggedAndRecorded) {
    Copy(kCode);
    watch.Timer1_Timer();
    EXPECT_EQ(ClipboardText(), Engine(kCode));
    EXPECT_FALSE(HostFormatOnClipboard());
    EXPECT_EQ(window.log, Engine(kCode));
    EXPECT_EQ(watch.LastClipText(), Engine(kCode));
    // The written content carries no host format: the next ticks leave it.
    watch.Timer1_Timer();
    watch.Timer1_Timer();
    EXPECT_EQ(window.formattingRuns, 1);
    EXPECT_EQ(window.logWrites, 1);
}

TEST_F(ClipboardWatchTest, OtherProgramsTextIsNeitherFormattedNorRecorded) {
    Copy(kCode, false);
    watch.Timer1_Timer();
    EXPECT_EQ(ClipboardText(), Utf16(kCode));
    EXPECT_EQ(window.logWrites, 0);
    EXPECT_EQ(watch.LastClipText(), u"");
}

TEST_F(ClipboardWatchTest, SwitchesDecideWhetherAndHowMuchHappens) {
    window.active = false;
    Copy(kCode);
    watch.Timer1_Timer();
    EXPECT_TRUE(HostFormatOnClipboard());
    EXPECT_EQ(window.logWrites, 0);

    // Auto Indent off: the code is shown and recorded, the clipboard kept.
    window.active = true;
    window.autoIndent = false;
    watch.Timer1_Timer();
    EXPECT_TRUE(HostFormatOnClipboard());
    EXPECT_EQ(window.log, Utf16(kCode));
    EXPECT_EQ(watch.LastClipText(), Utf16(kCode));
    EXPECT_EQ(window.formattingRuns, 0);

    // Switching Auto Indent on does not bring back code already seen.
    window.autoIndent = true;
    watch.Timer1_Timer();
    EXPECT_TRUE(HostFormatOnClipboard());
    EXPECT_EQ(window.formattingRuns, 0);
}

TEST_F(ClipboardWatchTest, OneCharacterIsRecordedButNeitherFormattedNorShown) {
    Copy("X");
    watch.Timer1_Timer();
    EXPECT_EQ(watch.LastClipText(), u"X");
    EXPECT_EQ(window.logWrites, 0);
    EXPECT_EQ(window.formattingRuns, 0);
    EXPECT_TRUE(HostFormatOnClipboard());
}

TEST_F(ClipboardWatchTest, AHeldClipboardLosesNothingAndIsTriedAgain) {
    Copy(kCode);
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Opened());
        watch.Timer1_Timer();
        watch.Timer1_Timer();
        EXPECT_EQ(watch.LastClipText(), u"");
        EXPECT_EQ(window.logWrites, 0);
    }
    EXPECT_EQ(ClipboardText(), Utf16(kCode)) << "the copied code is still there";
    EXPECT_TRUE(HostFormatOnClipboard());
    watch.Timer1_Timer();
    EXPECT_EQ(ClipboardText(), Engine(kCode));
    EXPECT_EQ(window.log, Engine(kCode));
}

TEST_F(ClipboardWatchTest, AnUnchangedClipboardIsNotEnumeratedAgain) {
    Copy(kCode, false);
    watch.Timer1_Timer();
    // Every enumeration rewrites the host-format state; a tick that does not
    // open the clipboard leaves this planted value alone.
    state.ALSourcePresent = true;
    watch.Timer1_Timer();
    watch.Timer1_Timer();
    EXPECT_TRUE(state.ALSourcePresent);
    // A new copy is looked at at once.
    Copy(kCode);
    watch.Timer1_Timer();
    EXPECT_EQ(ClipboardText(), Engine(kCode));
}

TEST_F(ClipboardWatchTest, WithCSideRequiredOnlyAWindowOfItsClassEnablesTheWatch) {
    window.cside = true;
    Copy(kCode);
    watch.Timer1_Timer();
    EXPECT_TRUE(HostFormatOnClipboard()) << "formatted without a C/SIDE window";
    EXPECT_EQ(window.iconClears, 1);

    {
        // Class names are compared exactly; captions without Navision leave
        // the icon as it was.
        HostWindow lowerCase(L"c/side lower", L"Navision");
        HostWindow host(L"C/SIDE watch test", L"Object Designer");
        watch.Timer1_Timer();
        EXPECT_FALSE(HostFormatOnClipboard());
        EXPECT_EQ(window.icon, nullptr);
        EXPECT_EQ(window.iconClears, 1);
    }
    {
        HostWindow host(L"C/SIDE watch test 2", L"Microsoft Business Solutions-naviSION");
        watch.Timer1_Timer();
        EXPECT_EQ(window.icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32516)));
    }
    watch.Timer1_Timer();
    EXPECT_EQ(window.icon, nullptr);
}

TEST(NamesNavisionTest, FindsTheNameInAnyCaseAnywhere) {
    EXPECT_TRUE(NamesNavision(u"Navision Attain"));
    EXPECT_TRUE(NamesNavision(u"Microsoft NAVISION Financials"));
    EXPECT_TRUE(NamesNavision(u"cronus - navision"));
    EXPECT_FALSE(NamesNavision(u"Navi sion"));
    EXPECT_FALSE(NamesNavision(u"Navisio"));
    EXPECT_FALSE(NamesNavision(u""));
}

}  // namespace
}  // namespace tabwright
