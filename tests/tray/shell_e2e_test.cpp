// The running Tabwright.exe's start-up, switches, autostart, tray icon,
// showing and hiding, About box, and its two ways to end.
#include <gtest/gtest.h>

#include "shell/about_box.h"
#include "tray_program.h"

namespace tabwright::test {
namespace {

TEST(TrayShellTest, StartsHiddenWithTheStoredSwitchesWhichTrayItemsAndCheckBoxesToggle) {
    SetSetting(L"Sign", L"0");
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    EXPECT_FALSE(program.Visible() || program.TaskbarButton());
    EXPECT_TRUE(program.TrayIcon());
    const std::tuple<const wchar_t*, int, unsigned> switches[] = {{L"Active", IDC_CHECK1, IDM_ACTIVATECLIPBOARD},
                                                                  {L"C/SIDE", IDC_CHECK2, IDM_CSIDE},
                                                                  {L"Sign", IDC_CHECK3, IDM_SIGNS},
                                                                  {L"Auto_Indent", IDC_CHECK4, IDM_AUTO_INDENT}};
    program.Command(IDM_OPENPROGRAM);
    ASSERT_TRUE(WaitFor([&] { return program.Visible(); }));
    for (const auto& [name, box, trayItem] : switches) {
        // Found on, a switch is stored as on at once; only "0" is off.
        const bool on = std::wstring(name) != L"Sign";
        EXPECT_EQ(Setting(name), on ? L"1" : L"0") << name;
        program.Command(trayItem);
        EXPECT_TRUE(WaitFor([&] { return Setting(name) == (on ? L"0" : L"1") && program.Checked(box) != on; })) << name;
        SendMessageW(program.Control(box), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return Setting(name) == (on ? L"1" : L"0") && program.Checked(box) == on; })) << name;
    }
}

TEST(TrayShellTest, LoadAfterRebootEmptiesAnyRunValueThenWritesTheProgramsPath) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Quillmark", REG_SZ,
                    L"other.exe", sizeof L"other.exe");
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    program.Command(IDM_REBOOT);
    EXPECT_TRUE(WaitFor([] { return RunValue() == L""; })) << "any text counts as checked";
    program.Command(IDM_REBOOT);
    EXPECT_TRUE(WaitFor([] { return RunValue() == L"\"" + Beside(L"Tabwright.exe") + L"\""; }))
        << RunValue().value_or(L"(none)");
}

TEST(TrayShellTest, TrayIconShowsTheWindowAndItsMenuAndMinimizingHidesItAgain) {
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    for (UINT other : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONDOWN}) program.Tray(other);
    program.Tray(WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = WindowOf(program.Process(), L"#32768", 0ms)) && IsWindowVisible(menu); }));
    PostMessageW(menu, WM_CHAR, L'c', 0);  // "Activate &Clipboard"
    EXPECT_TRUE(WaitFor([&] { return Setting(L"Active") == L"0"; }));
    EXPECT_FALSE(program.Visible());

    program.Tray(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitFor([&] { return program.Visible(); }));
    EXPECT_FALSE(program.TaskbarButton());
    program.Command(IDM_OPENPROGRAM);
    EXPECT_TRUE(WaitFor([&] { return program.TaskbarButton(); }));
    ShowWindow(program.Window(), SW_MINIMIZE);
    EXPECT_TRUE(WaitFor([&] { return !program.Visible() && !program.TaskbarButton(); }));

    // A shell that starts again has forgotten the icon and says so.
    ASSERT_TRUE(program.TrayIcon(NIM_DELETE));
    PostMessageW(program.Window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return program.TrayIcon(); }));
}

TEST(TrayShellTest, AboutBoxShowsTheVersionOfTheProgramsResource) {
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    program.Command(IDM_OM);
    const HWND about = WindowOf(program.Process(), L"TabwrightAbout");
    VersionInfo version;
    version.major = TABWRIGHT_VERSION_MAJOR;
    version.minor = TABWRIGHT_VERSION_MINOR;
    version.revision = TABWRIGHT_VERSION_PATCH;
    EXPECT_EQ(TextOf(GetDlgItem(about, frmAbout::kLblVersion)), VersionLine(version));
}

TEST(TrayShellTest, ClosingAndQuitEndTheProgramAndTakeTheTrayIconAlong) {
    for (const bool quit : {false, true}) {
        TrayProgram program;
        ASSERT_TRUE(program.Started());
        PostMessageW(program.Window(), quit ? WM_COMMAND : WM_CLOSE, quit ? IDM_QUITPROGRAM : 0, 0);
        EXPECT_TRUE(program.Ended()) << (quit ? "Quit" : "close box");
        EXPECT_FALSE(program.TrayIcon());
    }
}

}  // namespace
}  // namespace tabwright::test
