// The clipboard watch of the running Tabwright.exe: C/SIDE (the helper
// program) copies code, and the clipboard must come back with exactly what
// the engine makes of it, or stay untouched where the switches say so.
#include <windows.h>

#include <gtest/gtest.h>

#include "shell/resource.h"
#include "tray_session.h"

namespace tabwright::test {
namespace {

// The watch ticks four times a second; a copy must be formatted within one.
constexpr auto kFormatDeadline = 1s;
// Long enough for several ticks, to show that nothing happens.
constexpr auto kQuietPeriod = 1s;

constexpr char kCode[] =
    "IF Customer.FIND('-') THEN BEGIN\r\n"
    "REPEAT\r\n"
    "IF Customer.Blocked THEN\r\n"
    "Counter:=Counter+1\r\n"
    "ELSE\r\n"
    "Total:=Total+Customer.Amount*Rate/100;\r\n"
    "UNTIL Customer.NEXT=0;\r\n"
    "END;\r\n";

constexpr char kOtherCode[] =
    "CASE Type OF\r\n"
    "1:\r\n"
    "Amount:=Amount-Discount;\r\n"
    "END;\r\n";

class TrayWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSettings();
        hostFormat = RegisterClipboardFormatW(L"AL-Source Code");
    }
    void TearDown() override {
        program.Stop();
        ClearSettings();
    }

    // Starts with the given switches; C/SIDE is not required unless asked.
    void Start(const wchar_t* active = L"1", const wchar_t* cside = L"0", const wchar_t* sign = L"1",
               const wchar_t* autoIndent = L"1") {
        WriteSetting(L"Active", active);
        WriteSetting(L"C/SIDE", cside);
        WriteSetting(L"Sign", sign);
        WriteSetting(L"Auto_Indent", autoIndent);
        ASSERT_TRUE(program.Start()) << "Tabwright.exe did not start";
    }

    // The host format goes away only when the program replaces the content;
    // asking for it does not open the clipboard, so polling does not get in
    // the program's way.
    bool HostFormatGone() const { return !IsClipboardFormatAvailable(hostFormat); }

    bool ClipboardBecomes(const std::u16string& expected, Clock::duration deadline) {
        return WaitFor([&] { return HostFormatGone() && ClipboardText() == expected; }, deadline);
    }

    bool ClipboardStays(std::string_view code, Clock::duration period) {
        return HoldsFor([&] { return !HostFormatGone() && ClipboardText() == Utf16(code); }, period);
    }

    UINT hostFormat = 0;
    TrayProgram program;
};

TEST_F(TrayWatchTest, CopiedHostCodeComesBackFormattedWithinOneSecond) {
    Start();
    CopyInHost(kCode);
    const std::u16string expected = Formatted(kCode, true);
    ASSERT_NE(expected, Utf16(kCode));
    EXPECT_TRUE(ClipboardBecomes(expected, kFormatDeadline)) << "clipboard: " << ClipboardText().size() << " units";
    EXPECT_EQ(program.LogText(), expected);
    // A second, different copy is formatted as well.
    CopyInHost(kOtherCode);
    EXPECT_TRUE(ClipboardBecomes(Formatted(kOtherCode, true), kFormatDeadline));
}

TEST_F(TrayWatchTest, SignSwitchDecidesOperatorSpacing) {
    ASSERT_NE(Formatted(kCode, false), Formatted(kCode, true));
    Start(L"1", L"0", L"0");
    CopyInHost(kCode);
    EXPECT_TRUE(ClipboardBecomes(Formatted(kCode, false), kFormatDeadline));
    program.Command(IDM_SIGNS);
    ASSERT_TRUE(WaitFor([&] { return program.BoxChecked(IDC_CHECK3); }, 2s));
    CopyInHost(kOtherCode);
    EXPECT_TRUE(ClipboardBecomes(Formatted(kOtherCode, true), kFormatDeadline));
}

TEST_F(TrayWatchTest, TextWithoutTheHostFormatIsLeftAlone) {
    Start();
    CopyInHost(kCode, false);
    EXPECT_TRUE(HoldsFor([&] { return ClipboardText() == Utf16(kCode); }, kQuietPeriod));
    EXPECT_EQ(program.LogText(), u"");
    // The watch was running all along: code from C/SIDE is formatted.
    CopyInHost(kOtherCode);
    EXPECT_TRUE(ClipboardBecomes(Formatted(kOtherCode, true), kFormatDeadline));
}

TEST_F(TrayWatchTest, AutoIndentOffShowsTheCodeButLeavesTheClipboard) {
    Start(L"1", L"0", L"1", L"0");
    CopyInHost(kCode);
    EXPECT_TRUE(WaitFor([&] { return program.LogText() == Utf16(kCode); }, kFormatDeadline));
    EXPECT_TRUE(ClipboardStays(kCode, kQuietPeriod));
}

TEST_F(TrayWatchTest, ActiveOffDoesNothingUntilSwitchedOn) {
    Start(L"0");
    CopyInHost(kCode);
    EXPECT_TRUE(ClipboardStays(kCode, kQuietPeriod));
    EXPECT_EQ(program.LogText(), u"");
    program.Command(IDM_ACTIVATECLIPBOARD);
    EXPECT_TRUE(ClipboardBecomes(Formatted(kCode, true), kFormatDeadline));
}

TEST_F(TrayWatchTest, CSideSwitchWaitsForACSideWindowAndShowsItsIcon) {
    Start(L"1", L"1");
    CopyInHost(kCode);
    EXPECT_TRUE(ClipboardStays(kCode, kQuietPeriod)) << "formatted without a C/SIDE window";

    SharedEvent ready;
    SharedEvent release;
    HANDLE host = StartHelper(L"window \"C/SIDE 2.60\" \"Microsoft NAVISION Attain - CRONUS\" " + ready.Name() +
                              L" " + release.Name());
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(ready.Wait(10000));
    EXPECT_TRUE(ClipboardBecomes(Formatted(kCode, true), kFormatDeadline));
    HWND image = program.Control(IDC_IMAGE1);
    EXPECT_TRUE(WaitFor([&] { return SendMessageW(image, STM_GETICON, 0, 0) != 0; }, 2s));

    // Without a C/SIDE window the icon goes and the clipboard is not looked at.
    release.Set();
    WaitForSingleObject(host, 10000);
    CloseHandle(host);
    EXPECT_TRUE(WaitFor([&] { return SendMessageW(image, STM_GETICON, 0, 0) == 0; }, 2s));
    CopyInHost(kOtherCode);
    EXPECT_TRUE(ClipboardStays(kOtherCode, kQuietPeriod));
}

TEST_F(TrayWatchTest, ACSideWindowWithoutNavisionInItsCaptionEnablesTheWatchWithoutIcon) {
    Start(L"1", L"1");
    SharedEvent ready;
    SharedEvent release;
    HANDLE host = StartHelper(L"window \"C/SIDE test\" \"Object Designer\" " + ready.Name() + L" " + release.Name());
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(ready.Wait(10000));
    CopyInHost(kCode);
    EXPECT_TRUE(ClipboardBecomes(Formatted(kCode, true), kFormatDeadline));
    EXPECT_EQ(SendMessageW(program.Control(IDC_IMAGE1), STM_GETICON, 0, 0), 0);
    release.Set();
    WaitForSingleObject(host, 10000);
    CloseHandle(host);
}

TEST_F(TrayWatchTest, CodeArrivingWhileTheClipboardIsHeldIsFormattedOnceItIsFree) {
    Start();
    SharedEvent ready;
    SharedEvent release;
    const std::wstring file = TextFile(kCode);
    HANDLE holder = StartHelper(L"hold \"" + file + L"\" " + ready.Name() + L" " + release.Name());
    ASSERT_NE(holder, nullptr);
    ASSERT_TRUE(ready.Wait(10000));
    // Several ticks find the clipboard held by the other program.
    Sleep(1000);
    EXPECT_TRUE(program.Running());
    release.Set();
    WaitForSingleObject(holder, 10000);
    CloseHandle(holder);
    DeleteFileW(file.c_str());
    EXPECT_TRUE(ClipboardBecomes(Formatted(kCode, true), kFormatDeadline));
    EXPECT_EQ(program.LogText(), Formatted(kCode, true));
}

TEST_F(TrayWatchTest, CodeSeenBeforeIsLeftAsItIs) {
    Start();
    // Code that is already formatted comes back the same, and the next copy
    // of it equals the text recorded last: it is not touched again.
    const std::u16string once = Formatted(kCode, true);
    const std::string formatted(once.begin(), once.end());
    ASSERT_EQ(Formatted(formatted, true), once) << "the engine leaves formatted code as it is";
    CopyInHost(formatted);
    ASSERT_TRUE(ClipboardBecomes(Utf16(formatted), kFormatDeadline));
    CopyInHost(formatted);
    EXPECT_TRUE(ClipboardStays(formatted, kQuietPeriod));
    // Unformatted code is formatted again, however often it is copied.
    CopyInHost(kCode);
    EXPECT_TRUE(ClipboardBecomes(Utf16(formatted), kFormatDeadline));
    CopyInHost(kCode);
    EXPECT_TRUE(ClipboardBecomes(Utf16(formatted), kFormatDeadline));
}

TEST_F(TrayWatchTest, OneCharacterIsNeitherFormattedNorShown) {
    Start();
    CopyInHost("X");
    EXPECT_TRUE(ClipboardStays("X", kQuietPeriod));
    EXPECT_EQ(program.LogText(), u"");
}

TEST_F(TrayWatchTest, HostCodeOnTheClipboardAtStartIsFormattedAtTheFirstTick) {
    CopyInHost(kCode);
    Start();
    EXPECT_TRUE(ClipboardBecomes(Formatted(kCode, true), kFormatDeadline));
}

}  // namespace
}  // namespace tabwright::test
