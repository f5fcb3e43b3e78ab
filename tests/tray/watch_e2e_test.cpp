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

constexpr char kLater[] = "WHILE X DO\r\nY:=Y-1;\r\n";

std::u16string Engine(std::string_view code, bool sign = true) {
    Formatter formatter;
    TraceRecorder host(sign, false);
    return formatter.Nesting(Utf16(code), host);
}

// Asking for the format does not open the clipboard: the poll keeps out of
// the program's way.
bool Formatted(const std::u16string& text) {
    return WaitFor([&] { return !HostFormatOnClipboard() && ClipboardText() == text; });
}

// Alive while a program starts, it makes that program hold each formatting
// result until Release lets it go, so that the tests count the runs.
class HeldResults {
public:
    HeldResults() { SetEnvironmentVariableW(L"TABWRIGHT_HOLD_RESULTS", L"Local\\TabwrightTestHeld"); }
    ~HeldResults() {
        SetEnvironmentVariableW(L"TABWRIGHT_HOLD_RESULTS", nullptr);
        for (HANDLE event : {held_, go_}) CloseHandle(event);
    }
    bool Release() const {
        return WaitFor([this] { return WaitForSingleObject(held_, 0) == WAIT_OBJECT_0; }) && SetEvent(go_);
    }
    // Lets every result go until done: for tests that count clipboard
    // changes, not runs.
    bool ReleaseUntil(const std::function<bool()>& done) const {
        return WaitFor([&] { return (WaitForSingleObject(held_, 0) != WAIT_OBJECT_0 || SetEvent(go_)) && done(); });
    }

private:
    const HANDLE held_ = CreateEventW(nullptr, FALSE, FALSE, L"Local\\TabwrightTestHeld");
    const HANDLE go_ = CreateEventW(nullptr, FALSE, FALSE, L"Local\\TabwrightTestHeld.go");
};

enum class Outcome { Formatted, OnlyLogged, Untouched };

struct WatchCase {
    const char* name;
    const wchar_t* switches;  // "Active", "C/SIDE", "Sign", "Auto_Indent" as stored
    const wchar_t* window;    // the class of a window open before the copy, or none
    bool hostFormat;          // the copy carries C/SIDE's format
    Outcome outcome;
    bool icon = false;        // the main window shows the window's icon
    // Then this menu command, or the window opening only now, leaves the
    // clipboard as it is, and the clipboard's text copied again as C/SIDE
    // copies it is formatted. Every case that does not format does this.
    unsigned command = 0;
    bool windowLater = false;
    bool lfBreaks = false;  // the copy's lines end in bare LF
    bool listener = true;   // off: the program runs on its timer alone
};

const WatchCase kCases[] = {
    {"CopyInCSideComesBackFormatted", L"1011", nullptr, true, Outcome::Formatted},
    {"PlainTextIsLeftAlone", L"1011", nullptr, false, Outcome::Untouched},
    {"SignOffLeavesOperatorsAsTheyAreAndSignOnSpacesTheSameTextCopiedAgain", L"1001", nullptr, true,
     Outcome::Formatted, false, IDM_SIGNS},
    {"AutoIndentOffOnlyShowsTheCodeAndOnFormatsItCopiedAgain", L"1010", nullptr, true, Outcome::OnlyLogged, false,
     IDM_AUTO_INDENT},
    {"ActiveOffDoesNothingNorDoesSwitchingItOn", L"0011", nullptr, true, Outcome::Untouched, false,
     IDM_ACTIVATECLIPBOARD},
    {"CSideSwitchWaitsForACSideWindow", L"1111", nullptr, true, Outcome::Untouched, false, IDM_CSIDE},
    {"CSideWindowLetsTheWatchRun", L"1111", L"C/SIDE 2.60", true, Outcome::Formatted, true},
    {"CSideWindowOpenedAfterTheCopyLeavesIt", L"1111", L"C/SIDE 2.60", true, Outcome::Untouched, true, 0, true},
    {"WindowOfAnotherClassIsNoCSide", L"1111", L"Navision", true, Outcome::Untouched, false, IDM_CSIDE},
    {"BareLineFeedsBreakLinesAndComeBackAsCrLf", L"1011", nullptr, true, Outcome::Formatted, false, 0, false, true},
    // On its timer alone the program learns of the copy only after the switch.
    {"WithoutTheListenerNeitherDoesSwitchingOn", L"0011", nullptr, true, Outcome::Untouched, false,
     IDM_ACTIVATECLIPBOARD, false, false, false},
};

class WatchTest : public testing::TestWithParam<WatchCase> {};

TEST_P(WatchTest, Copy) {
    const WatchCase& c = GetParam();
    const wchar_t* const names[] = {L"Active", L"C/SIDE", L"Sign", L"Auto_Indent"};
    for (int i = 0; i < 4; ++i) SetSetting(names[i], std::wstring(1, c.switches[i]));
    std::optional<Program> host;
    const auto openWindow = [&] {
        host.emplace(L"cside_helper.exe", L"window \"" + std::wstring(c.window) + L"\" \"Microsoft NAVISION\"");
        return WindowOf(host->Id(), c.window) != nullptr;
    };
    ASSERT_TRUE(!c.window || c.windowLater || openWindow());
    // The program reads this diagnostic switch once, at its start.
    SetEnvironmentVariableW(L"TABWRIGHT_NO_CLIPBOARD_LISTENER", c.listener ? nullptr : L"1");
    const HeldResults held;
    TrayProgram program;
    SetEnvironmentVariableW(L"TABWRIGHT_NO_CLIPBOARD_LISTENER", nullptr);
    ASSERT_TRUE(program.Started());
    std::string copy = kCode;
    if (c.lfBreaks) std::erase(copy, '\r');
    ASSERT_TRUE(Copy(copy, c.hostFormat ? kHostFormat : nullptr));

    bool sign = c.switches[2] == L'1';
    std::u16string expected = Engine(kCode, sign);
    if (c.outcome == Outcome::Formatted) {
        EXPECT_TRUE(held.Release() && Formatted(expected)) << "one run";
    } else if (c.outcome == Outcome::OnlyLogged) {
        expected = Utf16(kCode);
        EXPECT_TRUE(WaitFor([&] { return program.Log() == expected; }) && HostFormatOnClipboard());
    }
    if (c.outcome != Outcome::Formatted || c.command) {
        const std::u16string before = ClipboardText();
        if (c.command) program.Command(c.command);
        ASSERT_TRUE(!c.windowLater || openWindow());
        // A run this tick started for the copy would hold up the next one.
        program.Tick();
        ASSERT_TRUE(program.CaughtUp());
        EXPECT_TRUE(ClipboardText() == before && HostFormatOnClipboard() == (c.outcome != Outcome::Formatted && c.hostFormat));
        EXPECT_EQ(program.Log(), c.outcome == Outcome::Untouched ? u"" : expected);
        ASSERT_TRUE(Copy(std::string(before.begin(), before.end())));
        sign = sign != (c.command == IDM_SIGNS);
        expected = Engine(std::string(before.begin(), before.end()), sign);
        EXPECT_TRUE(held.Release() && Formatted(expected)) << "one run";
    }
    EXPECT_EQ(ClipboardText(), expected);
    EXPECT_EQ(program.Log(), expected);
    EXPECT_EQ(SendMessageW(program.Control(IDC_IMAGE1), STM_GETICON, 0, 0) != 0, c.icon);
}

INSTANTIATE_TEST_SUITE_P(Tray, WatchTest, testing::ValuesIn(kCases), [](const auto& info) { return info.param.name; });

TEST(TrayWatchTest, CodeCopiedWhileAnotherProgramHoldsTheClipboardIsFormattedOnceItIsFree) {
    SetSetting(L"C/SIDE", L"0");
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    {
        ClipboardHolder holder(kCode);
        ASSERT_TRUE(holder.Held());
        for (int tick = 0; tick < 3; ++tick) program.Tick();
        EXPECT_TRUE(program.CaughtUp()) << "a tick waited for the clipboard";
    }
    EXPECT_TRUE(Formatted(Engine(kCode)));
}

// A second copy lands between the read of the first and its write-back.
TEST(TrayWatchTest, ACopyMadeWhileTheLastIsFormattedIsTakenInsteadOfOverwrittenAndTheWindowAnswersMeanwhile) {
    SetSetting(L"C/SIDE", L"0");
    const HeldResults held;
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Copy(kCode));
    ASSERT_TRUE(program.CaughtUp()) << "handled on its report, the copy is being formatted";
    EXPECT_TRUE(program.Answers()) << "the window's thread waits for the formatting";
    ASSERT_TRUE(Copy(kLater));
    EXPECT_TRUE(held.Release());
    EXPECT_TRUE(held.Release() && Formatted(Engine(kLater))) << "the later copy is formatted in its turn";
    EXPECT_EQ(program.Log(), Engine(kLater));
}

// Where the copy's indentation misleads, the log box says so after the
// formatted text, in the formatted text's line numbers; the clipboard holds
// the formatted text alone.
TEST(TrayWatchTest, MisleadingIndentationIsNotedInTheLogBoxOnly) {
    SetSetting(L"C/SIDE", L"0");
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    const std::string code = "\r\nIF Cust.Blocked THEN\r\n  ERROR(Text001);\r\n  Cust.MODIFY;\r\n";
    ASSERT_TRUE(Copy(code));
    EXPECT_TRUE(Formatted(Engine(code)));
    EXPECT_TRUE(WaitFor([&] {
        return program.Log() == Engine(code) + u"// Tabwright: line 3: indented as part of the IF's statement but runs "
                                               u"after it (the IF of line 1)\r\n";
    }));
}

// The open window's log box takes a copy of 1 MB in a few seconds.
TEST(TrayWatchTest, ALargeCopyFillsTheOpenWindowsLogBoxInATimeBoundedByItsSize) {
    SetSetting(L"C/SIDE", L"0");
    TrayProgram program;
    ASSERT_TRUE(program.Started() && program.CaughtUp());
    std::string code;
    while (code.size() < 1000 * 1000) code += kCode;
    const std::u16string expected = Engine(code);
    const HWND log = program.Control(IDC_TEXT1);
    ASSERT_TRUE(Copy(code));
    // Read-only until the whole text is there; the limit leaves room for a
    // busy machine (in pieces of a fixed length it took 19 s and more).
    EXPECT_TRUE(WaitFor([&] { return !(GetWindowLongW(log, GWL_STYLE) & ES_READONLY) && program.Log() == expected; }, 15s));
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
    const HeldResults held;
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    ChangeCounter counter;
    ASSERT_TRUE(Copy(kCode));
    // Ticks after the report and after the replacement: a second write-back
    // would be a fifth change.
    program.Tick();
    ASSERT_TRUE(held.Release() && Formatted(Engine(kCode)));
    program.Tick();
    program.Tick();
    ASSERT_TRUE(Copy(kLater));
    // A run may be taken again when the clipboard's number moved under it;
    // what counts is that each copy is replaced once.
    EXPECT_TRUE(held.ReleaseUntil([] { return !HostFormatOnClipboard() && ClipboardText() == Engine(kLater); }));
    // Every report was posted before the last replacement could be read.
    EXPECT_TRUE(WaitFor([&] { return counter.Changes() >= 4; }));
    EXPECT_EQ(counter.Changes(), 4) << "two copies, each replaced once";
}

}  // namespace
}  // namespace tabwright::test
