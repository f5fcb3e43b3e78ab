// The running Tabwright.exe's start-up, switches, access keys, autostart,
// tray icon, showing and hiding, About box, a second start, and its two ways
// to end.
#include <gtest/gtest.h>

#include <cwctype>
#include <map>

#include "shell/about_box.h"
#include "tray_program.h"

namespace tabwright::test {
namespace {

// Adds to faults each caption without an access key, each access key that
// two captions of one menu level share (the check boxes share the menu
// bar's: Alt and the key reach both), and each mark that falls on a blank,
// where an ampersand meant to be shown lacks its double; then checks each
// submenu on its own. The disabled dividers need no key.
void CheckAccessKeys(HMENU menu, std::vector<std::wstring> captions, std::vector<std::wstring>& faults) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        if (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED)) captions.emplace_back(text);
        if (const HMENU submenu = GetSubMenu(menu, i)) CheckAccessKeys(submenu, {}, faults);
    }
    std::map<wchar_t, std::wstring> keys;
    for (const std::wstring& caption : captions) {
        wchar_t key = 0;
        for (std::size_t i = 0; i < caption.size() && !key; ++i)
            if (caption[i] == L'&' && (key = i + 1 < caption.size() ? caption[++i] : L' ') == L'&') key = 0;
        if (!key) faults.push_back(L"no key: " + caption);
        else if (key == L' ') faults.push_back(L"a blank for its key: " + caption);
        else if (const auto [other, added] = keys.emplace(std::towlower(key), caption); !added)
            faults.push_back(other->second + L" / " + caption);
    }
}

TEST(TrayShellTest, EachAccessKeyOfTheWindowAndItsMenusLeadsToOnePlace) {
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    std::vector<std::wstring> boxes;
    for (int box = IDC_CHECK1; box <= IDC_CHECK4; ++box) {
        const std::u16string caption = TextOf(program.Control(box));
        boxes.emplace_back(caption.begin(), caption.end());
    }
    // The menus as the program's resources hold them.
    const HMODULE exe = LoadLibraryExW(Beside(L"Tabwright.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HMENU menuBar = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_MAINMENU));
    const HMENU trayMenu = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_TRAYMENU));
    ASSERT_TRUE(menuBar && trayMenu);
    std::vector<std::wstring> faults;
    CheckAccessKeys(menuBar, boxes, faults);
    CheckAccessKeys(GetSubMenu(trayMenu, 0), {}, faults);
    EXPECT_EQ(faults, std::vector<std::wstring>{});
    DestroyMenu(menuBar);
    DestroyMenu(trayMenu);
    FreeLibrary(exe);
}

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

TEST(TrayShellTest, TrayIconMenuAndEveryWayBackShowTheWindowThatMinimizingHides) {
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    for (UINT other : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONDOWN}) program.Tray(other);
    program.Tray(WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = WindowOf(program.Process(), L"#32768", 0ms)) && IsWindowVisible(menu); }));
    PostMessageW(menu, WM_CHAR, L'c', 0);  // "Activate &Clipboard"
    EXPECT_TRUE(WaitFor([&] { return Setting(L"Active") == L"0"; }));
    EXPECT_FALSE(program.Visible());

    // Double-click, "Open program" and a second start each bring the window
    // back restored and in front, also after a minimize hid it; only the
    // double-click leaves it without a task-bar button.
    const std::pair<std::function<void()>, bool> ways[] = {
        {[&] { program.Tray(WM_LBUTTONDBLCLK); }, false},
        {[&] { program.Command(IDM_OPENPROGRAM); }, true},
        {[&] { EXPECT_EQ(Program(L"Tabwright.exe", L"").Wait(), 0) << "a second start ends"; }, true},
    };
    for (int round = 0; round < 4; ++round) {
        const auto& [bringBack, button] = ways[round == 0 ? 0 : round - 1];
        bringBack();
        EXPECT_TRUE(WaitFor([&] {
            return program.Visible() && !IsIconic(program.Window()) && GetForegroundWindow() == program.Window() &&
                   program.TaskbarButton() == button;
        })) << round;
        ShowWindow(program.Window(), SW_MINIMIZE);
        EXPECT_TRUE(WaitFor([&] { return !program.Visible() && !program.TaskbarButton(); })) << round;
    }

    // A shell that starts again has forgotten the icon and says so.
    ASSERT_TRUE(program.TrayIcon(NIM_DELETE));
    PostMessageW(program.Window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return program.TrayIcon(); }));
}

TEST(TrayShellTest, AboutBoxShowsTheVersionOfTheProgramsResourceAndEscapeClosesIt) {
    TrayProgram program;
    ASSERT_TRUE(program.Started());
    program.Command(IDM_OM);
    const HWND about = WindowOf(program.Process(), L"TabwrightAbout");
    VersionInfo version;
    version.major = TABWRIGHT_VERSION_MAJOR;
    version.minor = TABWRIGHT_VERSION_MINOR;
    version.revision = TABWRIGHT_VERSION_PATCH;
    EXPECT_EQ(TextOf(GetDlgItem(about, frmAbout::kLblVersion)), VersionLine(version));
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == about; }));
    Press({VK_ESCAPE});
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); })) << "Escape closes it";
}

// Wine waits up to two seconds for a window manager whenever a program it
// told of one hides or destroys a shown window. The session tells it that
// none runs; this tells it that one does, for Tabwright.exe, while it lives.
struct ManagedWindows {
    static constexpr wchar_t kKey[] = L"Software\\Wine\\AppDefaults\\Tabwright.exe\\X11 Driver";
    ManagedWindows() { RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Managed", REG_SZ, L"Y", sizeof L"Y"); }
    ~ManagedWindows() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Managed"); }
};

TEST(TrayShellTest, ClosingAndQuitEndTheProgramAndTakeTheTrayIconAlongQuitAtOnce) {
    const ManagedWindows managed;
    for (const bool quit : {false, true}) {
        TrayProgram program;
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(!quit || program.CaughtUp()) << "shown";
        const auto start = std::chrono::steady_clock::now();
        PostMessageW(program.Window(), quit ? WM_COMMAND : WM_CLOSE, quit ? IDM_QUITPROGRAM : 0, 0);
        EXPECT_TRUE(program.Ended()) << (quit ? "Quit" : "close box");
        EXPECT_TRUE(!quit || std::chrono::steady_clock::now() - start < 1s) << "Quit waits for nothing";
        EXPECT_FALSE(program.TrayIcon());
    }
}

}  // namespace
}  // namespace tabwright::test
