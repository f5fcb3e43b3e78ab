// The running Tabwright.exe's start-up, switches, autostart, tray icon,
// showing and hiding, About box, and its two ways to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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
    EXPECT_EQ(RunValue(), std::nullopt);
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
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    path = L"\"" + path.substr(0, path.find_last_of(L'\\')) + L"\\Tabwright.exe\"";
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    program.Command(IDM_REBOOT);
    EXPECT_TRUE(WaitFor([] { return RunValue() == L""; })) << "any text counts as checked";
    program.Command(IDM_REBOOT);
    EXPECT_TRUE(WaitFor([&] { return RunValue() == path; })) << RunValue().value_or(L"(none)");
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

// cside_helper.exe stands in for the browser, the mail program and the
// system information tool, and logs how it was started.
TEST(TrayShellTest, AboutBoxLinksOpenWhatItShowsAndSystemInfoStartsTheRegisteredTool) {
    const std::filesystem::path log = std::filesystem::temp_directory_path() / "tabwright-probe.log";
    std::filesystem::remove(log);
    SetEnvironmentVariableW(L"TABWRIGHT_PROBE_LOG", log.c_str());
    const std::wstring probe = L"\"" + Beside(L"cside_helper.exe") + L"\" \"%1\"";
    for (const wchar_t* scheme : {L"https", L"mailto"})
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + std::wstring(scheme) + L"\\shell\\open\\command").c_str(),
                        nullptr, REG_SZ, probe.c_str(), static_cast<DWORD>((probe.size() + 1) * 2));
    const std::wstring tool = Beside(L"cside_helper.exe");
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH", REG_SZ, tool.c_str(),
                    static_cast<DWORD>((tool.size() + 1) * 2));
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    program.Command(IDM_OM);
    const HWND about = WindowOf(program.Process(), L"TabwrightAbout");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(TextOf(about), u"About Tabwright");
    VersionInfo version;
    version.major = TABWRIGHT_VERSION_MAJOR;
    version.minor = TABWRIGHT_VERSION_MINOR;
    version.revision = TABWRIGHT_VERSION_PATCH;
    EXPECT_EQ(TextOf(GetDlgItem(about, frmAbout::kLblVersion)), VersionLine(version));
    const auto started = [&](std::size_t starts) {
        std::wstring text;
        WaitFor([&] {
            std::wstringstream read;
            read << std::wifstream(log).rdbuf();
            return std::count((text = read.str()).begin(), text.end(), L'\n') >= static_cast<long>(starts);
        });
        return std::u16string(text.begin(), text.end());
    };
    // Each label ends with the address it opens.
    const std::pair<int, const char16_t*> links[] = {{frmAbout::kLblDescription, u""}, {frmAbout::kLblDisclaimer, u"mailto:"}};
    for (const auto& [label, scheme] : links) {
        const std::u16string text = TextOf(GetDlgItem(about, label));
        const std::u16string address = scheme + text.substr(text.find_last_of(u" \n") + 1);
        SendMessageW(GetDlgItem(about, label), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(GetDlgItem(about, label), WM_LBUTTONUP, 0, 0);
        EXPECT_NE(started(label == frmAbout::kLblDescription ? 1 : 2).find(u'"' + address + u'"'), std::u16string::npos);
    }
    PostMessageW(GetDlgItem(about, frmAbout::kCmdSysInfo), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return started(3).ends_with(u"cside_helper.exe\"\n"); })) << testing::PrintToString(started(3));

    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH");
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
    PostMessageW(GetDlgItem(about, frmAbout::kCmdSysInfo), BM_CLICK, 0, 0);
    const HWND box = WindowOf(program.Process(), L"#32770");
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), u"System Information Is Unavailable At This Time");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    SetEnvironmentVariableW(L"TABWRIGHT_PROBE_LOG", nullptr);
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
