// The clipboard watch of the running Tabwright.exe: code copied as C/SIDE
// copies it comes back as exactly what the engine makes of it, or stays as
// it was where the switches and the C/SIDE rule say so.
#include <gtest/gtest.h>

#include <optional>

#include "formatter/formatter.h"
#include "tray_program.h"

namespace tabwright::test {
namespace {

constexpr char kCode[] =
    "IF Customer.FIND('-') THEN BEGIN\r\nREPEAT\r\nIF Customer.Blocked THEN\r\nCounter:=Counter+1\r\nELSE\r\n"
    "MESSAGE('Total: %1, rate=%2',Total+Customer.Amount*Rate/100,Rate);\r\nUNTIL Customer.NEXT=0;\r\nEND;\r\n";

std::u16string Engine(std::string_view code, bool sign = true) {
    Formatter formatter;
    TraceRecorder host(sign, false);
    return formatter.Nesting(Utf16(code), host);
}

enum class Outcome { Formatted, OnlyLogged, Untouched };

struct WatchCase {
    const char* name;
    const wchar_t* switches;  // "Active", "C/SIDE", "Sign", "Auto_Indent" as stored
    const wchar_t* window;    // the class of a window open before the copy, or none
    bool hostFormat;          // the copy carries C/SIDE's format
    Outcome outcome;
    bool icon = false;        // the main window shows the window's icon
    Duration within = 1s;     // until the change, or how long nothing happens
    bool listener = true;     // off: the program runs on its timer alone
};

const WatchCase kCases[] = {
    {"CopyInCSideComesBackFormatted", L"1011", nullptr, true, Outcome::Formatted},
    {"PlainTextIsLeftAlone", L"1011", nullptr, false, Outcome::Untouched},
    {"SignOffLeavesOperatorsAsTheyAre", L"1001", nullptr, true, Outcome::Formatted},
    {"AutoIndentOffOnlyShowsTheCode", L"1010", nullptr, true, Outcome::OnlyLogged},
    {"ActiveOffDoesNothing", L"0011", nullptr, true, Outcome::Untouched},
    {"CSideSwitchWaitsForACSideWindow", L"1111", nullptr, true, Outcome::Untouched},
    {"CSideWindowLetsTheWatchRun", L"1111", L"C/SIDE 2.60", true, Outcome::Formatted, true},
    {"WindowOfAnotherClassIsNoCSide", L"1111", L"Navision", true, Outcome::Untouched},
    // A paste right after the copy gets the formatted code.
    {"CopyIsFormattedBeforeAPaste50msLater", L"1011", nullptr, true, Outcome::Formatted, false, 50ms},
    {"CopyInCSideIsFormattedBeforeAPaste50msLater", L"1111", L"C/SIDE 2.60", true, Outcome::Formatted, true, 50ms},
    {"WithoutTheListenerTheTimerFormats", L"1011", nullptr, true, Outcome::Formatted, false, 1s, false},
};

class WatchTest : public testing::TestWithParam<WatchCase> {};

TEST_P(WatchTest, Copy) {
    const WatchCase& c = GetParam();
    const wchar_t* const names[] = {L"Active", L"C/SIDE", L"Sign", L"Auto_Indent"};
    for (int i = 0; i < 4; ++i) SetSetting(names[i], std::wstring(1, c.switches[i]));
    std::optional<Program> host;
    if (c.window) host.emplace(L"cside_helper.exe", L"window \"" + std::wstring(c.window) + L"\" \"Microsoft NAVISION\"");
    ASSERT_TRUE(!c.window || WindowOf(host->Id(), c.window));
    // The program reads this diagnostic switch once, at its start.
    SetEnvironmentVariableW(L"TABWRIGHT_NO_CLIPBOARD_LISTENER", c.listener ? nullptr : L"1");
    TrayProgram program;
    SetEnvironmentVariableW(L"TABWRIGHT_NO_CLIPBOARD_LISTENER", nullptr);
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Copy(kCode, c.hostFormat ? kHostFormat : nullptr));

    const bool formatted = c.outcome == Outcome::Formatted;
    const std::u16string expected = formatted ? Engine(kCode, c.switches[2] == L'1') : Utf16(kCode);
    // Asking for the format does not open the clipboard: the poll keeps out
    // of the program's way.
    if (formatted)
        EXPECT_TRUE(WaitFor([&] { return !HostFormatOnClipboard() && ClipboardText() == expected; }, c.within));
    else if (c.outcome == Outcome::OnlyLogged)
        EXPECT_TRUE(WaitFor([&] { return program.Log() == expected; }, c.within) && HostFormatOnClipboard());
    else
        EXPECT_TRUE(HoldsFor([&] { return HostFormatOnClipboard() == c.hostFormat; }, c.within));
    EXPECT_EQ(ClipboardText(), expected);
    EXPECT_EQ(program.Log(), c.outcome == Outcome::Untouched ? u"" : expected);
    EXPECT_EQ(SendMessageW(program.Control(IDC_IMAGE1), STM_GETICON, 0, 0) != 0, c.icon);
}

INSTANTIATE_TEST_SUITE_P(Tray, WatchTest, testing::ValuesIn(kCases), [](const auto& info) { return info.param.name; });

TEST(TrayWatchTest, CodeCopiedWhileAnotherProgramHoldsTheClipboardIsFormattedOnceItIsFree) {
    SetSetting(L"C/SIDE", L"0");
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    {
        ClipboardHolder holder(kCode);
        EXPECT_TRUE(HoldsFor([&] { return program.Answers(); })) << "a tick waited for the clipboard";
    }
    EXPECT_TRUE(WaitFor([&] { return !HostFormatOnClipboard() && ClipboardText() == Engine(kCode); }, 1s));
}

// The program holds each formatting result until the test lets it go, so
// that a second copy lands between the read of the first and its write-back.
TEST(TrayWatchTest, ACopyMadeWhileTheLastIsFormattedIsTakenInsteadOfOverwrittenAndTheWindowAnswersMeanwhile) {
    constexpr char kLater[] = "WHILE X DO\r\nY:=Y-1;\r\n";
    SetSetting(L"C/SIDE", L"0");
    const HANDLE held = CreateEventW(nullptr, FALSE, FALSE, L"Local\\TabwrightTestHeld");
    const HANDLE go = CreateEventW(nullptr, FALSE, FALSE, L"Local\\TabwrightTestHeld.go");
    SetEnvironmentVariableW(L"TABWRIGHT_HOLD_RESULTS", L"Local\\TabwrightTestHeld");
    TrayProgram program;
    SetEnvironmentVariableW(L"TABWRIGHT_HOLD_RESULTS", nullptr);
    ASSERT_TRUE(program.Started());
    const auto heldResult = [&] { return WaitFor([&] { return WaitForSingleObject(held, 0) == WAIT_OBJECT_0; }); };
    ASSERT_TRUE(Copy(kCode));
    ASSERT_TRUE(heldResult());
    EXPECT_TRUE(program.Answers(10s)) << "the window's thread waits for the formatting";
    ASSERT_TRUE(Copy(kLater));
    SetEvent(go);
    EXPECT_TRUE(heldResult()) << "the later copy is formatted in its turn";
    SetEvent(go);
    EXPECT_TRUE(WaitFor([] { return !HostFormatOnClipboard(); }));
    EXPECT_EQ(ClipboardText(), Engine(kLater));
    EXPECT_EQ(program.Log(), Engine(kLater));
    CloseHandle(held);
    CloseHandle(go);
}

// Counts the clipboard's changes as another listener sees them.
class ChangeCounter {
public:
    ChangeCounter() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Count;
        windowClass.lpszClassName = L"ChangeCounter";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"ChangeCounter", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&changes_));
        AddClipboardFormatListener(window_);
    }
    ~ChangeCounter() { DestroyWindow(window_); }
    int Changes() const { return changes_; }

private:
    static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM w, LPARAM l) {
        auto* changes = reinterpret_cast<int*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_CLIPBOARDUPDATE && changes) ++*changes;
        return DefWindowProcW(window, message, w, l);
    }
    HWND window_;
    int changes_ = 0;
};

TEST(TrayWatchTest, EachCopyIsReplacedOnceThoughReportAndTimerBothSeeIt) {
    SetSetting(L"C/SIDE", L"0");
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    ChangeCounter counter;
    for (const char* code : {kCode, "IF A THEN\r\nB:=1;\r\n"}) {
        const int before = counter.Changes();
        ASSERT_TRUE(Copy(code));
        // Several ticks: none of them replaces the formatted text again.
        EXPECT_TRUE(WaitFor([&] { return !HostFormatOnClipboard(); }, 1s));
        HoldsFor([] { return true; }, 600ms);
        EXPECT_EQ(counter.Changes() - before, 2) << "the copy and one replacement";
    }
}

}  // namespace
}  // namespace tabwright::test
