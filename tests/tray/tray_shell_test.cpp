// The tray program's start-up, switches, autostart, showing and hiding, and
// its ways to end, seen from outside the running Tabwright.exe.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/resource.h"
#include "tray_session.h"

namespace tabwright::test {
namespace {

// Hiding a window on a desktop without a window manager makes Wine wait up
// to two seconds for the window to be withdrawn.
constexpr auto kUiDeadline = 5s;

constexpr const wchar_t* kSwitchNames[] = {L"Active", L"C/SIDE", L"Sign", L"Auto_Indent"};
constexpr int kCheckIds[] = {IDC_CHECK1, IDC_CHECK2, IDC_CHECK3, IDC_CHECK4};
constexpr unsigned kTrayItems[] = {IDM_ACTIVATECLIPBOARD, IDM_CSIDE, IDM_SIGNS, IDM_AUTO_INDENT};

class TrayShellTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override {
        program.Stop();
        ClearSettings();
    }

    void Start() { ASSERT_TRUE(program.Start()) << "Tabwright.exe did not start"; }

    bool HasTaskbarButton() const {
        return (GetWindowLongPtrW(program.Window(), GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
    }
    bool Visible() const { return IsWindowVisible(program.Window()) != FALSE; }

    bool SwitchIs(int index, const wchar_t* stored, bool checked) const {
        return ReadSetting(kSwitchNames[index]) == std::wstring(stored) &&
               program.BoxChecked(kCheckIds[index]) == checked;
    }

    TrayProgram program;
};

TEST_F(TrayShellTest, FirstStartStoresEverySwitchOnAndShowsOnlyTheTrayIcon) {
    Start();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ReadSetting(kSwitchNames[i]), L"1") << kSwitchNames[i];
        EXPECT_TRUE(program.BoxChecked(kCheckIds[i])) << kSwitchNames[i];
    }
    EXPECT_FALSE(ReadRunEntry().has_value());
    EXPECT_FALSE(Visible());
    EXPECT_FALSE(HasTaskbarButton());
    EXPECT_TRUE(program.TrayIconPresent());
}

TEST_F(TrayShellTest, OnlyZeroTurnsASwitchOffAndIsNotRewritten) {
    WriteSetting(L"Active", L"off");
    WriteSetting(L"C/SIDE", L"00");
    WriteSetting(L"Sign", L"0");
    WriteSetting(L"Auto_Indent", L" 0");
    Start();
    EXPECT_TRUE(SwitchIs(0, L"1", true));
    EXPECT_TRUE(SwitchIs(1, L"1", true));
    EXPECT_TRUE(SwitchIs(2, L"0", false));
    EXPECT_TRUE(SwitchIs(3, L"1", true));
}

TEST_F(TrayShellTest, TrayItemsAndCheckBoxesToggleTheSameSwitch) {
    Start();
    for (int i = 0; i < 4; ++i) {
        program.Command(kTrayItems[i]);
        EXPECT_TRUE(WaitFor([&] { return SwitchIs(i, L"0", false); }, kUiDeadline)) << kSwitchNames[i];
        program.Command(kTrayItems[i]);
        EXPECT_TRUE(WaitFor([&] { return SwitchIs(i, L"1", true); }, kUiDeadline)) << kSwitchNames[i];
    }
    program.Command(IDM_OPENPROGRAM);
    ASSERT_TRUE(WaitFor([&] { return Visible(); }, kUiDeadline));
    SendMessageW(program.Control(IDC_CHECK3), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return SwitchIs(2, L"0", false); }, kUiDeadline));
    SendMessageW(program.Control(IDC_CHECK3), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return SwitchIs(2, L"1", true); }, kUiDeadline));
}

TEST_F(TrayShellTest, LoadAfterRebootWritesTheQuotedProgramPathThenEmptiesIt) {
    Start();
    program.Command(IDM_REBOOT);
    const std::wstring expected = L"\"" + ProgramFolder() + L"\\Tabwright.exe\"";
    EXPECT_TRUE(WaitFor([&] { return ReadRunEntry() == expected; }, kUiDeadline)) << ReadRunEntry().value_or(L"(none)");
    program.Command(IDM_REBOOT);
    EXPECT_TRUE(WaitFor([&] { return ReadRunEntry() == L""; }, kUiDeadline));
}

TEST_F(TrayShellTest, AnyStoredRunEntryCountsAsAutostartOn) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Quillmark", REG_SZ,
                    L"other.exe", sizeof L"other.exe");
    Start();
    // Checked at start-up, so the first click turns autostart off.
    program.Command(IDM_REBOOT);
    EXPECT_TRUE(WaitFor([&] { return ReadRunEntry() == L""; }, kUiDeadline));
}

TEST_F(TrayShellTest, DoubleClickShowsWithoutButtonAndOpenProgramWithButton) {
    Start();
    // Other mouse messages from the tray icon leave the window hidden.
    program.TrayMouse(WM_MOUSEMOVE);
    program.TrayMouse(WM_LBUTTONUP);
    program.TrayMouse(WM_RBUTTONDOWN);
    EXPECT_TRUE(HoldsFor([&] { return !Visible(); }, 500ms));
    program.TrayMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitFor([&] { return Visible(); }, kUiDeadline));
    EXPECT_FALSE(HasTaskbarButton());
    program.Command(IDM_OPENPROGRAM);
    EXPECT_TRUE(WaitFor([&] { return Visible() && HasTaskbarButton(); }, kUiDeadline))
        << "visible " << Visible() << ", button " << HasTaskbarButton();
}

TEST_F(TrayShellTest, RightClickOpensTheTrayMenuAndItsItemsWork) {
    Start();
    program.TrayMouse(WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            menu = FindWindowW(L"#32768", nullptr);
            return menu && IsWindowVisible(menu);
        },
        kUiDeadline))
        << "no pop-up menu";
    // A tray callback while the menu is open is dropped.
    program.TrayMouse(WM_LBUTTONDBLCLK);
    // The access key of "Activate &Clipboard".
    PostMessageW(menu, WM_CHAR, L'c', 0);
    EXPECT_TRUE(WaitFor([&] { return SwitchIs(0, L"0", false); }, kUiDeadline));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, kUiDeadline));
    EXPECT_TRUE(HoldsFor([&] { return !Visible(); }, 500ms));
}

TEST_F(TrayShellTest, MinimizingFromNormalHidesToTheTrayOnlyOnce) {
    Start();
    program.Command(IDM_OPENPROGRAM);
    ASSERT_TRUE(WaitFor([&] { return Visible(); }, kUiDeadline));
    ShowWindow(program.Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return !Visible() && !HasTaskbarButton(); }, kUiDeadline));

    // Brought back minimized; minimizing it again does not hide it, since
    // it has not been restored to the normal state in between.
    program.TrayMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitFor([&] { return Visible(); }, kUiDeadline));
    EXPECT_TRUE(IsIconic(program.Window()));
    ShowWindow(program.Window(), SW_RESTORE);
    ShowWindow(program.Window(), SW_MAXIMIZE);
    ShowWindow(program.Window(), SW_MINIMIZE);
    EXPECT_TRUE(HoldsFor([&] { return Visible(); }, 500ms)) << "a maximized window minimizes as usual";

    // Restored from minimized it is maximized again; once more, normal.
    ShowWindow(program.Window(), SW_RESTORE);
    ShowWindow(program.Window(), SW_RESTORE);
    ASSERT_FALSE(IsZoomed(program.Window()) || IsIconic(program.Window()));
    ShowWindow(program.Window(), SW_MINIMIZE);
    EXPECT_TRUE(WaitFor([&] { return !Visible(); }, kUiDeadline));
}

TEST_F(TrayShellTest, LogBoxFollowsTheWindowSize) {
    Start();
    program.Command(IDM_OPENPROGRAM);
    ASSERT_TRUE(WaitFor([&] { return Visible(); }, kUiDeadline));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    SetWindowPos(program.Window(), nullptr, 0, 0, px(6000), px(4000), SWP_NOMOVE | SWP_NOZORDER);
    RECT log{};
    ASSERT_TRUE(WaitFor(
        [&] {
            GetWindowRect(program.Control(IDC_TEXT1), &log);
            return std::abs((log.right - log.left) - px(6000 - 330)) <= 1;
        },
        2s))
        << "log box width " << log.right - log.left;
    EXPECT_LE(std::abs((log.bottom - log.top) - px(4000 - 1365)), 1);
}

TEST_F(TrayShellTest, ClosingTheWindowEndsTheProgramAndRemovesTheTrayIcon) {
    Start();
    ASSERT_TRUE(program.TrayIconPresent());
    PostMessageW(program.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_FALSE(program.TrayIconPresent());
}

TEST_F(TrayShellTest, QuitEndsTheProgramAndRemovesTheTrayIcon) {
    Start();
    ASSERT_TRUE(program.TrayIconPresent());
    program.Command(IDM_QUITPROGRAM);
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_FALSE(program.TrayIconPresent());
}

TEST_F(TrayShellTest, TrayIconComesBackWhenTheTaskBarIsCreatedAgain) {
    Start();
    ASSERT_TRUE(program.TrayIconPresent());
    // A restarted shell has forgotten every icon and announces its new task bar.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = program.Window();
    data.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    ASSERT_FALSE(program.TrayIconPresent());
    PostMessageW(program.Window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return program.TrayIconPresent(); }, kUiDeadline));
}

}  // namespace
}  // namespace tabwright::test
